#!/usr/bin/env bash
# The Linux game's scale, fullscreen and remembered settings, under an
# Xvfb screen large enough for the window at scale 3 (2048x1536), judged
# by screenshots against the golden frames; and its command line.
#
#   linux_view_e2e.sh <quobbin> <docs/shots> <version>
#
# The fullscreen checks need a window manager (openbox); without one they
# are skipped.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

GAME=$(realpath "$1")
SHOTS=$(realpath "$2")
VERSION=$3
work_in_scratch
export XDG_RUNTIME_DIR=$WORK/run XDG_CONFIG_HOME=$WORK/config SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR"
SETTINGS=$XDG_CONFIG_HOME/quobbin/settings

# --- The command line (its every form is the unit tests'): a bad option
# ends the game with 2, and --version answers on the output.
"$GAME" --big 2>/dev/null
[ $? = 2 ] || fail "a bad option did not end the game with 2"
[ "$("$GAME" --version)" = "quobbin $VERSION" ] || fail "--version says: $("$GAME" --version)"
pass "a bad option refused with status 2; --version"

read -r SW SH < <(xdotool getdisplaygeometry)
placed() { [ "$(geometry "$WID")" = "$*" ]; }

# --- Scales 1 and 3, each the rendered title in blocks of its size. A
# remembered scale too large for the screen starts at the largest that
# fits, 3 here, and the file stays as it was.
mkdir -p "$(dirname "$SETTINGS")"
printf 'scale=4\nfullscreen=0\n' >"$SETTINGS"
for run in "3|" "1|--scale 1"; do
    E2E_SCALE=${run%%|*}
    # shellcheck disable=SC2086
    start_game ${run#*|}
    w=$((640 * E2E_SCALE)) h=$((480 * E2E_SCALE))
    CX=$(((SW - w) / 2)) CY=$(((SH - h) / 2))
    within 5 placed "$CX $CY $w $h" || fail "scale $E2E_SCALE: the window is at $(geometry "$WID"), not $CX $CY $w $h"
    within 10 shows title "$SHOTS/title.png" 0 0 640 480 0 || fail "scale $E2E_SCALE: the title differs"
    stop_game
done
[ "$(tr '\n' ' ' <"$SETTINGS")" = "scale=4 fullscreen=0 " ] || fail "the settings were rewritten without a key"
pass "1920x1440 for a remembered scale 4, 640x480 by option, centred, the title"

if ! command -v openbox >/dev/null; then
    echo "skipped: fullscreen (no openbox)"
    exit 0
fi
openbox >/dev/null 2>&1 &
sleep 1
rm "$SETTINGS"

# --- Fullscreen by key, at the largest scale that fits, centred; back in
# the window's place and size.
start_game --scale 2
# (Its place is read once the window manager has framed it: framing moves
# the picture by the frame's left and top.)
framed() { xprop -id "$WID" _NET_FRAME_EXTENTS | grep -q =; }
within 5 framed || fail "--scale 2: the window manager gave no frame"
# The game moves a framed window inside the work area once it knows the
# frame: the place is read when it has stopped moving.
settled() { local was=$(geometry "$WID"); sleep 0.3; [ "$(geometry "$WID")" = "$was" ]; }
within 5 settled || fail "--scale 2: the window kept moving"
read -r WX WY WW WH < <(geometry "$WID")
[ "$WW $WH" = "1280 960" ] || fail "--scale 2 under a window manager: ${WW}x${WH}"
xdotool windowfocus --sync "$WID"
key F11
within 5 placed "0 0 $SW $SH" || fail "F11: the window is at $(geometry "$WID")"
E2E_SCALE=3 CX=$(((SW - 1920) / 2)) CY=$(((SH - 1440) / 2))
# (A shot may fall between the window system's steps into fullscreen.)
within 5 shows full "$SHOTS/title.png" 0 0 640 480 0 || fail "fullscreen: the title is not the rendered one at scale 3 in the middle"
key alt+Return
within 5 placed "$WX $WY $WW $WH" || fail "Alt+Enter: the window is at $(geometry "$WID"), not $WX $WY $WW $WH"
pass "F11 fullscreen at scale 3; Alt+Enter back at $WX,$WY ${WW}x${WH}"

# --- Ctrl+plus and Ctrl+minus step the scale, Ctrl+plus no further than
# the largest that fits, and both are remembered; the command line wins
# over the file.
# (The window is back before the change is saved.)
remembers() { [ "$(tr '\n' ' ' <"$SETTINGS")" = "$*" ]; }
within 5 remembers "fullscreen=0 " || fail "after F11 twice the settings say: $(cat "$SETTINGS")"
sized() { [ "$(geometry "$WID" | cut -d' ' -f3-)" = "$1 $2" ]; }
key ctrl+plus
key ctrl+plus # past the largest that fits
within 5 sized 1920 1440 || fail "Ctrl+plus: the window is $(geometry "$WID")"
key ctrl+minus
within 5 sized 1280 960 || fail "Ctrl+minus: the window is $(geometry "$WID")"
key ctrl+KP_Subtract
within 5 sized 640 480 || fail "Ctrl+minus on the keypad: the window is $(geometry "$WID")"
key F11
within 5 placed "0 0 $SW $SH" || fail "F11 again did not go fullscreen"
key ctrl+plus # in fullscreen: the window's scale stays
within 5 remembers "scale=1 fullscreen=1 " || fail "the settings say: $(cat "$SETTINGS")"
stop_game
start_game
within 5 placed "0 0 $SW $SH" || fail "the remembered fullscreen was not restored: $(geometry "$WID")"
stop_game
start_game --windowed
within 5 sized 640 480 || fail "--windowed with the remembered scale 1: $(geometry "$WID")"
stop_game
pass "Ctrl+plus and Ctrl+minus step the scale; it and F11 remembered; --windowed wins over the file"

# --- A second copy brings a minimised game back, shown and in front, and
# ends with 0 without a window of its own.
start_game --windowed
xdotool windowminimize --sync "$WID"
shown() { [ -n "$(xdotool search --onlyvisible --name '^\[ Quobbin \] Murvale$' 2>/dev/null)" ]; }
within 3 not shown || fail "the game was not minimised"
timeout 10 "$GAME" >"$WORK/second.log" 2>&1
status=$?
[ $status = 0 ] || fail "the second copy ended with $status"
[ "$(xdotool search --name '^\[ Quobbin \] Murvale$' | wc -l)" = 1 ] || fail "the second copy made a window"
in_front() { shown && [ "$(xdotool getactivewindow 2>/dev/null)" = "$WID" ]; }
within 3 in_front || fail "the minimised game was not brought back and to the front"
stop_game
pass "a second copy restores a minimised game and brings it to the front"
echo "all view checks passed"
