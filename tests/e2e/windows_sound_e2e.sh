#!/usr/bin/env bash
# What the real quobbin.exe sounds like under Wine and Xvfb: everything
# Wine's DirectSound plays goes to the sound server of with_sound_server.sh,
# which records it to $QUOBBIN_CAPTURE (32-bit float stereo, 48000 Hz),
# while sound_read logs when the file grew. Run by ctest inside xvfb-run
# and with_sound_server.sh.
#
#   windows_sound_e2e.sh <wine-run.sh> <quobbin.exe> <win_probe.exe> <sound_read> <res> <docs/shots>
#
# Every check prints a line; the first failure ends the run with 1. The
# figures it measures (the effects' delay after a key, levels) are printed
# too.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_e2e_lib.sh"

WINE=$(realpath "$1")
GAME=$(realpath "$2")
PROBE=$(realpath "$3")
READ=$(realpath "$4")
RES=$(realpath "$5")
SHOTS=$(realpath "$6")
work_in_scratch

now() { date +%s%N; }
# The level of the capture between two times (ns): left, right and the
# quietest 100 ms, in dBFS, and where that begins.
level() { "$READ" level "$CAPTURE" capture.log "$1" "$2"; }
louder() { awk "BEGIN { exit !($1 > $2) }"; }
ms() { awk "BEGIN { printf \"%.1f\", ($1 - $2) / 1e6 }"; }
# The last $1 ms of the capture are silent in both channels.
quiet_for() {
    local t l r q qat
    t=$(now)
    read -r l r q qat < <(level $((t - $1 * 1000000)) "$t")
    louder -70 "$l" && louder -70 "$r"
}
# Something passes -40 dBFS after the time $1.
heard_after() { "$READ" onsets "$CAPTURE" capture.log -40 "$1" >/dev/null; }

# --- The sound server's capture, logged as it grows.
CAPTURE=${QUOBBIN_CAPTURE:?run inside with_sound_server.sh}
"$READ" watch "$CAPTURE" capture.log &
within 5 test -s capture.log || fail "nothing is captured"
pass "the sound server takes what Wine plays"

# --- Start-up; the title after the start-up reset plays the seal's call
# once and no tune.
# Wine's trace tells when the game got each key and when it played a sound.
t_start=$(now)
WINEDEBUG=+timestamp,+key,+dsound "$WINE" "$GAME" >"$WORK/game.log" 2>&1 &
GAME_PID=$!
WID=$(window_id)
[ -n "$WID" ] || fail "no game window"
within 10 client_sized || fail "client area ${CW:-?}x${CH:-?}"
within 10 heard_after "$t_start" || fail "the title's call was not heard"
within 10 quiet_for 1500 || fail "the title is not silent after its call"
pass "the title's call, then silence before play"
focus_game || fail "the game window did not take the focus"

# --- Play. The left seal is hit before its release; the middle one is
# caught as soon as it falls; the right one drops out.
head_shot() { # seal name
    import -window root -crop "60x40+$((CX + 90 + 200 * $1))+$((CY + 190))" +repage "$WORK/$2.png"
}
moved() { # seal
    # A falling seal changes most of the picture; drops from a hit seal
    # flying past change a few pixels.
    head_shot "$1" now && [ "$(compare -metric AE "$WORK/still$1.png" "$WORK/now.png" null: 2>&1 | cut -d' ' -f1)" -gt 800 ]
}
# The stage takes keys 48 frames after Space (the title's closing and its
# own opening), and no seal is released earlier than 124 frames after it.
# The time between is waited for, not watched: screenshots now would load
# the machine while the tune's first seconds are measured.
t_space=$(now)
key space
sleep 0.9
t_hit=$(now)
key 1
head_shot 1 still1
head_shot 2 still2
within 10 moved 1 || fail "the middle seal never fell"
t_catch=$(now)
key 2
within 10 moved 2 || fail "the right seal never fell"
t_fall=$(now)
sleep 4 # it falls out, 71 frames after its release, and the count ends: nothing on screen says so
pass "a game played: left seal hit, middle caught, right dropped"

# The title closes over 24 frames before play begins with the tune and the
# stage's call; from then on the tune has no gap.
start=$("$READ" onsets "$CAPTURE" capture.log -40 "$t_space")
[ -n "$start" ] || fail "no sound after Space"
read -r l r q qat < <(level $((t_space + ${start%.*} * 1000000)) $((t_space + 3000000000)))
louder "$q" -50 || fail "a gap in play's first seconds: the quietest 100 ms is $q dBFS, $qat ms in"
pass "the tune from the start of play, $start ms after Space: $l / $r dBFS, never below $q dBFS in 100 ms"

# --- The About box holds the game's thread; the tune plays on. Its first
# second is left out: the last effects still end in it.
open_menu_item 3
within 5 about_open || fail "the menu's About showed no dialog"
t=$(now)
sleep 3
read -r l r q qat < <(level $((t + 1000000000)) $((t + 3000000000)))
about_open || fail "the About dialog closed by itself"
louder "$q" -50 || fail "the tune dropped out under the About box: the quietest 100 ms is $q dBFS, $qat ms in"
pass "the tune plays on while the About box is open: $l / $r dBFS, never below $q dBFS in 100 ms"
key Return
focus_game || fail "the game did not get the focus back"

# --- Reset: the title's call once, then silence.
open_menu_item 1
within 10 quiet_for 1200 || fail "the tune goes on after a reset"
pass "silence on the title after a reset"

# --- Each effect where its seal hangs, and soon after its key. The tune
# plays under the effects (louder against them since they made room for
# the busiest moment), so the balance read from the capture wanders by a
# few dB: within 8 of its place still tells a side from the middle and
# from the other side, 20 dB apart.
effect() { # name from to expected-dB waves...
    local name=$1 from=$2 to=$3 expect=$4
    shift 4
    read -r EFFECT_AT EFFECT_DB fit < <("$READ" find "$CAPTURE" capture.log "$from" "$to" "$@")
    [ -n "${EFFECT_AT:-}" ] || fail "no $name found"
    awk "BEGIN { d = $EFFECT_DB - ($expect); exit !(d < 8 && d > -8) }" ||
        fail "the $name is $EFFECT_DB dB louder on the left than the right, not about $expect (fit $fit)"
    louder "$fit" 0.3 || fail "the $name does not sound like itself (fit $fit)"
    pass "the $name: $EFFECT_DB dB left over right, fit $fit"
}
# How soon an effect follows its key: the game's own answer, from the key
# reaching it to Play, must fit in two frames (26 ms). What the sound path
# adds after Play is Wine's mixing ahead and the sound server's buffer,
# which grows each time the server runs dry while the test's screenshots
# load the machine: from xdotool to the sound in the capture, only a lag a
# player would notice fails.
latency() { # name keysym key-time
    local name=$1 got played answer total
    read -r got played < <("$READ" reply game.log "$2" $(($3 - 20000000)))
    [ -n "${played:-}" ] || fail "no Play after the key of the $name in Wine's trace"
    answer=$(ms "$played" "$got") total=$(ms "$EFFECT_AT" "$3")
    louder 26 "$answer" || fail "the $name was played $answer ms after the game got its key"
    louder 250 "$total" || fail "the $name was heard $total ms after its key"
    pass "the $name: played $answer ms after the game got the key, heard $total ms after xdotool"
}
effect "hit on the left seal" $((t_hit - 50000000)) $((t_hit + 600000000)) 20 "$RES/hit.wav" "$RES/shot.wav"
latency "hit on the left seal" 31 "$t_hit"
effect "catch of the middle seal" $((t_catch - 50000000)) $((t_catch + 600000000)) 0 "$RES/safe.wav" "$RES/shot.wav"
latency "catch of the middle seal" 32 "$t_catch"
# The right seal may have fallen before the middle one: its drop is the
# only one of the game, looked for from the start.
effect "right seal's drop" "$t_hit" $((t_fall + 4000000000)) -20 "$RES/out.wav"

# --- Escape, Escape ends the game, with the library's thread still
# playing, as it does on Windows.
focus_game
key Escape
within 5 shows pause "$SHOTS/pause.png" 0 0 640 480 0 || fail "Escape did not pause"
key Escape
end_status "$GAME_PID" 20
[ "$status" = 1 ] || fail "the game ended with $status"
pass "Escape, Escape ends the game with 1"

# --- sorvel.dll as any program may call it: loaded by name, its entries
# found by name, the window a plain one of the caller's own.
within 10 quiet_for 500 || fail "not silent after the game ended"
t=$(now)
"$WINE" "$PROBE" tune "Z:$(dirname "$GAME" | tr / '\\')\\sorvel.dll" 4 &
PROBE_PID=$!
within 10 heard_after "$t" || fail "sorvel.dll played nothing for a window handle"
start=$("$READ" onsets "$CAPTURE" capture.log -40 "$t")
from=$((t + ${start%.*} * 1000000))
sleep 2.5
read -r l r q qat < <(level $((from + 200000000)) $((from + 2000000000)))
louder "$q" -50 || fail "the tune for a window handle has a gap: the quietest 100 ms is $q dBFS"
end_status "$PROBE_PID" 20
[ "$status" = 0 ] || fail "the program calling sorvel.dll ended with $status"
pass "sorvel.dll plays the tune for another program's window handle: $l / $r dBFS"
echo "all sound checks passed"
