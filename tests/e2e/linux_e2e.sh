#!/usr/bin/env bash
# The real Linux build under Xvfb, played with xdotool and judged by
# screenshots: run by ctest inside xvfb-run.
#
#   linux_e2e.sh <quobbin> <quobbin_x_close> <docs/shots>
#
# Every check prints a line; the first failure ends the run with 1.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

GAME=$(realpath "$1")
X_CLOSE=$(realpath "$2")
SHOTS=$(realpath "$3")
WORK=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$WORK"' EXIT
export XDG_RUNTIME_DIR=$WORK/run XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data
mkdir -m 700 "$XDG_RUNTIME_DIR"
BEST=$XDG_DATA_HOME/quobbin/Best.dat
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$WORK/audio.raw SDL_DISKAUDIODELAY=11
cd "$WORK" || exit 1

# Nobody holds the single-instance claim.
unclaimed() {
    local lock
    for lock in "$XDG_RUNTIME_DIR"/*.lock; do flock -n "$lock" true || return 1; done
}
# Pixel (x, y) of a picture as rrggbb.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | tr 'A-F' 'a-f' | cut -c1-6; }
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
named() { [ -n "$(xdotool search --name "$1" 2>/dev/null)" ]; }
start_game() {
    "$GAME" >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    WID=$(window_id) || true
    [ -n "$WID" ] || fail "no window titled [ Quobbin ] Murvale"
}
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
pass "window titled '[ Quobbin ] Murvale'"
read -r SW SH < <(xdotool getdisplaygeometry)
centred() {
    read -r CX CY CW CH < <(geometry "$WID")
    [ "$CX" = $(((SW - 640) / 2)) ] && [ "$CY" = $(((SH - 480) / 2)) ]
}
within 5 centred || fail "not centred: at $CX,$CY on ${SW}x${SH}"
[ "$CW" = 640 ] && [ "$CH" = 480 ] || fail "client area ${CW}x${CH}"
pass "client area 640x480, centred on the work area at $CX,$CY"
within 3 shows logo "$SHOTS/logo.png" 0 0 640 480 0 || fail "the start-up logo differs from the rendered one"
pass "start-up logo"
within 10 shows title "$SHOTS/title.png" 160 96 320 80 0 || fail "the title picture differs"
within 5 shows title "$SHOTS/title.png" 100 300 440 150 0 || fail "the instructions differ"
pass "title screen"
cmp -s Best.dat "$BEST" || fail "the old Best.dat was not taken over into the data folder"

# --- A whole game, blind, with Best.dat written in the data folder and the
# old one taken over and left alone; the results table on the final
# screen: its labels are the rendered ones.
xdotool windowfocus --sync "$WID"
play_blind_game "$BEST" || fail "the game did not close three stages"
[ "$(stat -c %s "$BEST")" = 12 ] || fail "Best.dat is not 12 bytes"
[ "$(stat -c %a "$XDG_DATA_HOME/quobbin")" = 700 ] || fail "the data folder is open to others"
[ "$(od -An -tx1 Best.dat | tr -d ' \n')" = 000000000100000000000000 ] || fail "the old Best.dat was changed"
within 10 shows final "$SHOTS/final-result.png" 270 296 32 16 39 || fail "no results table"
pass "three stages played, Best.dat written in the data folder, the old one left alone; final result"

# --- Pause with Escape, continue with F1.
key Escape
within 5 shows pause "$SHOTS/pause.png" 0 0 640 480 19 || fail "the pause screen differs"
pass "pause screen"
key F1
within 5 not shows pause "$SHOTS/pause.png" 0 0 640 480 19 || fail "F1 did not end the pause"

# --- Another window over the game: a second copy brings the game forward
# and ends with 0 without a window of its own.
display -geometry 200x200+$((CX + 20))+$((CY + 20)) "$SHOTS/pause.png" &
OTHER_PID=$!
OTHER=$(timeout 10 xdotool search --sync --name '^ImageMagick' | head -1)
[ -n "$OTHER" ] || fail "the other window did not appear"
covered() {
    shot covered
    [ "$(pixel "$WORK/covered.png" $((CX + 150)) $((CY + 150)))" = 000000 ]
}
xdotool windowraise "$OTHER"
within 5 covered || fail "the other window does not cover the game"
timeout 10 "$GAME" >"$WORK/second.log" 2>&1
status=$?
[ $status = 0 ] || fail "the second copy ended with $status"
[ "$(xdotool search --name '^\[ Quobbin \] Murvale$' | wc -l)" = 1 ] || fail "the second copy made a window"
within 5 not covered || fail "the game was not brought forward"
pass "a second copy brings the first forward and ends with 0"

# --- Focus elsewhere freezes the game; focus back resumes it.
key space # a new game, so the seals move
within 5 moving || fail "the new game does not move"
xdotool windowfocus --sync "$OTHER"
within 5 still || fail "the game kept running without the focus"
xdotool windowfocus --sync "$WID"
within 5 moving || fail "the game did not resume with the focus"
pass "focus loss freezes the game, focus resumes it"
kill $OTHER_PID

# --- The close box ends the game with 0.
"$X_CLOSE" "$WID" || fail "could not send the close message"
end_status $GAME_PID 5
[ $status = 0 ] || fail "the game ended with $status after the close box"
pass "close box ends the game with 0"

# --- No display at all: the display cannot be opened. Left to itself, SDL
# would draw into memory, and the game would play to nobody and keep the
# claim from the next copy.
for driver in "" x11; do
    env -u DISPLAY -u WAYLAND_DISPLAY ${driver:+SDL_VIDEODRIVER=$driver} timeout 10 "$GAME" >"$WORK/nodisplay.log" 2>&1
    status=$?
    [ $status = 1 ] || fail "without a display (driver '${driver:-any}') the game ended with $status"
    grep -q dxdraw "$WORK/nodisplay.log" || fail "without a display (driver '${driver:-any}') no 'dxdraw' message"
done
pass "no display: 'dxdraw', exit status 1"

# --- The About box is the game's own window in the game's own process:
# SIGTERM ends the game at once with it open, and nothing of the game
# stays behind to hold the claim.
start_game
open_about
read -r CX CY CW CH < <(geometry "$WID")
read -r BX BY BW BH < <(geometry "$BOX")
dx=$((2 * BX + BW - 2 * CX - CW)) dy=$((2 * BY + BH - 2 * CY - CH))
[ $((dx * dx + dy * dy)) -le 2 ] || fail "the About box at $BX,$BY (${BW}x${BH}) is not centred over the game"
shot about
# Its light rim, and the text in the game's white font.
[ "$(pixel "$WORK/about.png" "$BX" "$BY")" = badefc ] || fail "the About box is not drawn"
white=$(convert "$WORK/about.png" -crop "${BW}x${BH}+$BX+$BY" +repage -colorspace gray -threshold 95% \
    -format '%[fx:round(mean * w * h)]' info:)
[ "$white" -gt 200 ] || fail "the About box shows no text ($white white pixels)"
pass "Ctrl+I shows the About box (${BW}x${BH}) over the game"
children=$(pgrep -P $GAME_PID | tr '\n' ' ')
[ -z "$children" ] || fail "the game has child processes: $children"
kill -TERM $GAME_PID
end_status $GAME_PID 3
[ $status = 0 ] || fail "with the About box open, SIGTERM ended the game with $status"
unclaimed || fail "the claim is still held after the game ended"
pass "SIGTERM with the About box open ends the game with 0, nothing left behind"

# --- Started with standard input, output and error closed, as some
# launchers do: the About box (which writes a line to standard error)
# closes with Enter and the game goes on; Escape pauses, a second Escape
# ends the game with 0, and nothing was written into the lock file.
"$GAME" <&- >&- 2>&- &
GAME_PID=$!
WID=$(window_id) || true
[ -n "$WID" ] || fail "the game did not start again"
open_about
key Return
within 5 not named '^About$' || fail "Enter did not close the About box"
within 5 focused "$WID" || fail "the game did not get the focus back from the About box"
key Escape
within 5 shows pause "$SHOTS/pause.png" 0 0 640 480 19 || fail "the game did not go on after the About box"
key Escape
end_status $GAME_PID 3
[ $status = 0 ] || fail "the game ended with $status after Escape twice"
for lock in "$XDG_RUNTIME_DIR"/*.lock; do [ ! -s "$lock" ] || fail "something was written into $lock"; done
pass "with its standard streams closed: Enter closes the About box and the game goes on; Escape, Escape ends it with 0"

# --- The audio really went out: the disk driver wrote the mix.
[ -s "$WORK/audio.raw" ] || fail "no audio was written"
pass "audio written through SDL's disk driver ($(stat -c %s "$WORK/audio.raw") bytes)"
echo "all end-to-end checks passed"
