#!/usr/bin/env bash
# The real Linux build under Xvfb, played with xdotool and judged by
# screenshots: run by ctest inside xvfb-run.
#
#   linux_e2e.sh <quobbin> <docs/shots>
#
# Every check prints a line; the first failure ends the run with 1.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

GAME=$(realpath "$1")
SHOTS=$(realpath "$2")
work_in_scratch
export XDG_RUNTIME_DIR=$WORK/run XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data
mkdir -m 700 "$XDG_RUNTIME_DIR"
BEST=$XDG_DATA_HOME/quobbin/Best.dat
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$WORK/audio.raw SDL_DISKAUDIODELAY=11

focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Ctrl+I, the About command, opens the box with the focus.
open_about() {
    xdotool windowfocus --sync "$WID"
    key ctrl+i
    BOX=$(timeout 10 xdotool search --sync --limit 1 --name '^About$' 2>/dev/null | head -1)
    [ -n "$BOX" ] || fail "Ctrl+I showed no About box"
    within 5 focused "$BOX" || fail "the About box did not take the focus"
}

# --- Start-up: the window, the logo, then the title. A best score of 0
# left in the working directory by an earlier version is taken over into
# the data folder.
printf '\0\0\0\0\1\0\0\0\0\0\0\0' >Best.dat
start_game
read -r SW SH < <(xdotool getdisplaygeometry)
centred() {
    read -r CX CY CW CH < <(geometry "$WID")
    [ "$CX $CY $CW $CH" = "$(((SW - 640) / 2)) $(((SH - 480) / 2)) 640 480" ]
}
within 5 centred || fail "not a centred 640x480 client area: ${CW}x${CH} at $CX,$CY on ${SW}x${SH}"
within 3 shows logo "$SHOTS/logo.png" 0 0 640 480 0 || fail "the start-up logo differs from the rendered one"
within 10 shows title "$SHOTS/title.png" 160 96 320 80 0 || fail "the title picture differs"
cmp -s Best.dat "$BEST" || fail "the old Best.dat was not taken over into the data folder"
pass "window '[ Quobbin ] Murvale', 640x480, centred at $CX,$CY; the logo, the title; the old Best.dat taken over"

# --- A whole game, blind, with Best.dat written in the data folder; the
# results table on the final screen: its labels are the rendered ones.
xdotool windowfocus --sync "$WID"
play_blind_game "$BEST" || fail "the game did not close three stages"
within 10 shows final "$SHOTS/final-result.png" 270 296 32 16 39 || fail "no results table"
pass "three stages played, Best.dat written in the data folder; final result"

# --- Focus elsewhere freezes the game; focus back resumes it.
display -geometry 200x200+$((CX + 20))+$((CY + 20)) "$SHOTS/pause.png" &
OTHER_PID=$!
OTHER=$(timeout 10 xdotool search --sync --name '^ImageMagick' | head -1)
[ -n "$OTHER" ] || fail "the other window did not appear"
key space # a new game, so the seals move
within 5 moving || fail "the new game does not move"
xdotool windowfocus --sync "$OTHER"
within 5 still || fail "the game kept running without the focus"
xdotool windowfocus --sync "$WID"
within 5 moving || fail "the game did not resume with the focus"
pass "focus loss freezes the game, focus resumes it"
kill $OTHER_PID

# --- SIGTERM ends the game with 0. (The close box ends it the same way:
# SDL sends the same quit when the last window closes.)
stop_game
pass "SIGTERM ends the game with 0"

# --- No display at all: the display cannot be opened. Left to itself, SDL
# would draw into memory, and the game would play to nobody and keep the
# claim from the next copy.
for driver in "" x11; do
    env -u DISPLAY -u WAYLAND_DISPLAY ${driver:+SDL_VIDEODRIVER=$driver} timeout 10 "$GAME" >"$WORK/nodisplay.log" 2>&1
    status=$?
    [ $status = 1 ] && grep -q dxdraw "$WORK/nodisplay.log" ||
        fail "without a display (driver '${driver:-any}'): status $status, $(cat "$WORK/nodisplay.log")"
done
pass "no display: 'dxdraw', exit status 1"

# --- Started with standard input, output and error closed, as some
# launchers do. The About box is the game's own window in the game's own
# process; Enter closes it (it writes a line to standard error) and the
# game goes on. SIGTERM ends the game at
# once with the box open, and nothing of the game stays behind to hold the
# claim; nothing was written into the lock file.
"$GAME" <&- >&- 2>&- &
GAME_PID=$!
WID=$(window_id) || true
[ -n "$WID" ] || fail "the game did not start again"
open_about
key Return
within 5 not xdotool search --name '^About$' || fail "Enter did not close the About box"
within 5 focused "$WID" || fail "the game did not get the focus back from the About box"
key Escape
within 5 shows pause "$SHOTS/pause.png" 0 0 640 480 19 || fail "the game did not go on to its pause screen"
pass "with its standard streams closed: Ctrl+I shows the About box, Enter closes it, Escape pauses"
open_about
[ -z "$(pgrep -P $GAME_PID)" ] || fail "the game has child processes: $(pgrep -P $GAME_PID | tr '\n' ' ')"
kill -TERM $GAME_PID
end_status $GAME_PID 3
[ $status = 0 ] || fail "with the About box open, SIGTERM ended the game with $status"
for lock in "$XDG_RUNTIME_DIR"/*.lock; do
    flock -n "$lock" true && [ ! -s "$lock" ] || fail "$lock is still held or was written into"
done
pass "SIGTERM with the About box open ends the game with 0, nothing left behind"

# --- The audio really went out: the disk driver wrote the mix.
[ -s "$WORK/audio.raw" ] || fail "no audio was written"
pass "audio written through SDL's disk driver ($(stat -c %s "$WORK/audio.raw") bytes)"
echo "all end-to-end checks passed"
