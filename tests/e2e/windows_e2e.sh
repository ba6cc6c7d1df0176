#!/usr/bin/env bash
# The real quobbin.exe under Wine and Xvfb, played with xdotool and judged
# by screenshots against the headless renders of docs/shots: run by ctest
# inside xvfb-run.
#
#   windows_e2e.sh <wine-run.sh> <quobbin.exe> <win_probe.exe> <best_read> <docs/shots>
#
# Every check prints a line; the first failure ends the run with 1.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_e2e_lib.sh"

WINE=$1
GAME=$2
PROBE=$3
BEST_READ=$4
SHOTS=$5
work_in_scratch

# --- Start-up: the window, its client area, the logo, then the title.
"$WINE" "$GAME" >"$WORK/game.log" 2>&1 &
GAME_PID=$!
WID=$(window_id) || true
[ -n "$WID" ] || fail "no window titled [ Quobbin ] Murvale"
within 10 client_sized || fail "client area ${CW:-?}x${CH:-?}"
within 5 shows logo "$SHOTS/logo.png" 0 0 640 480 0 || fail "the start-up logo differs from the rendered one"
within 10 shows title "$SHOTS/title.png" 0 0 640 480 0 || fail "the title differs from the rendered one"
pass "window '[ Quobbin ] Murvale', client area 640x480 at $CX,$CY; the logo, the title, pixel for pixel"

focus_game || fail "the game window did not take the focus"
# --- The menu, opened with the mouse: Reset goes back from play to the
# title; About shows the dialog and Enter closes it.
key space # into play: the first stage, open, shows its label as rendered
within 5 shows play "$SHOTS/play.png" 288 40 64 16 0 || fail "Space did not start the game"
open_menu_item 1
within 5 shows reset "$SHOTS/title.png" 0 0 640 480 0 || fail "the menu's Reset did not return to the title"
pass "Reset returns to the title"
focus_game
open_menu_item 3
within 5 about_open || fail "the menu's About showed no dialog"
key Return
within 5 not about_open || fail "Enter did not close the About dialog"
pass "About shows its dialog; Enter closes it"

# --- A whole game, blind; Best.dat is the file the Linux build reads.
focus_game || fail "the game did not get the focus back from the About dialog"
play_blind_game Best.dat || fail "the game did not close three stages"
[ "$(stat -c %s Best.dat)" = 12 ] || fail "Best.dat is not 12 bytes"
[ "$("$BEST_READ")" = 0 ] || fail "the Linux reader does not read Best.dat as 0"
within 5 shows final "$SHOTS/final-result.png" 270 296 32 16 40 || fail "no results table"
pass "three stages played; Best.dat is 12 bytes and the Linux reader reads it; final result"

# --- A second copy, started while another program's window has the
# focus, ends with 0 without a window and brings the first forward. (What
# the game does without the focus is the window procedure's tests'.)
display -geometry 200x200+20+20 "$SHOTS/pause.png" &
OTHER=$(timeout 10 xdotool search --sync --name '^ImageMagick' | head -1)
[ -n "$OTHER" ] || fail "the other window did not appear"
xdotool windowfocus --sync "$OTHER"
within 5 not probe foreground || fail "the other window did not take the focus"
timeout 20 "$WINE" "$GAME" >"$WORK/second.log" 2>&1
status=$?
[ $status = 0 ] || fail "the second copy ended with $status"
[ "$(xdotool search --name '^\[ Quobbin \] Murvale$' | wc -l)" = 1 ] || fail "the second copy made a window"
within 5 probe foreground || fail "the game was not brought forward"
pass "a second copy ends with 0 and brings the first forward"
# The game, still running, ends with the run (pausing and Escape twice are
# windows_sound_e2e's, with the music library playing).
echo "all end-to-end checks passed"
