# What the Windows end-to-end scripts share besides e2e_lib.sh: win_probe's
# answers, the game's client area, the focus, and the menu. Sourced; the
# script sets WINE and PROBE first, and WID once the window is there.
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

probe() { "$WINE" "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
about_open() { probe about >/dev/null; }
# The window is made hidden and small, then sized and centred.
client_sized() {
    read -r CX CY CW CH < <(probe client) && [ "${CW}x${CH}" = "$((640 * ${E2E_SCALE:-1}))x$((480 * ${E2E_SCALE:-1}))" ]
}
# Without a window manager, Wine takes the focus back from another program's
# window only on a click, as a player would give it.
focus_game() {
    xdotool windowfocus --sync "$WID" 2>/dev/null
    within 2 probe foreground && return
    xdotool mousemove $((CX + 320)) $((CY + 240)) click 1
    within 5 probe foreground
}
open_menu_item() { # how many items down
    xdotool mousemove $((CX + 16)) $((CY - 9)) click 1
    within 5 probe menu || fail "the menu did not open"
    local i
    for i in $(seq 1 "$1"); do key Down; done
    key Return
}
