# What the Windows end-to-end scripts share besides e2e_lib.sh: win_probe's
# answers, the game's client area, the focus, and the menu. Sourced; the
# script sets WINE and PROBE first, and WID once the window is there.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

probe() { "$WINE" "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
about_open() { probe about >/dev/null; }
about_closed() { ! about_open; }
foreground_is() { [ "$(probe foreground)" = "$1" ]; }
# The window is made hidden and small, then sized and centred.
client_sized() {
    read -r CX CY CW CH < <(probe client) && [ "${CW}x${CH}" = "$((640 * ${E2E_SCALE:-1}))x$((480 * ${E2E_SCALE:-1}))" ]
}
# The frame-rate figure in the top right corner is the one part of a frame
# that depends on the machine's pace: comparisons of whole frames leave it out.
whole_frame() { # shot ref limit
    shows "$1" "$2" 0 0 600 480 "$3" && shows "$1" "$2" 600 16 40 464 "$3"
}
# Without a window manager, Wine takes the focus back from another program's
# window only on a click, as a player would give it.
focus_game() {
    xdotool windowfocus --sync "$WID" 2>/dev/null
    within 2 foreground_is 1 && return
    xdotool mousemove $((CX + 320)) $((CY + 240)) click 1
    within 5 foreground_is 1
}
open_menu_item() { # how many items down
    xdotool mousemove $((CX + 16)) $((CY - 9)) click 1
    within 5 probe menu || fail "the menu did not open"
    local i
    for i in $(seq 1 "$1"); do key Down; done
    key Return
}

# A scratch folder of the run's own, $WORK, made the working directory and
# removed at the end with every job the run started (QUOBBIN_E2E_KEEP=1
# keeps it for a look after a failure).
work_in_scratch() {
    WORK=$(mktemp -d)
    trap 'kill $(jobs -p) 2>/dev/null; [ -n "${QUOBBIN_E2E_KEEP:-}" ] && echo "kept $WORK" || rm -rf "$WORK"' EXIT
    cd "$WORK" || exit 1
}
