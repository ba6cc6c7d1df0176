# What the end-to-end scripts share: checks that print a line, waits
# with generous bounds, the game's window, screenshots and key presses.
# Sourced; the script sets WORK first.

fail() { echo "FAIL: $*"; exit 1; }
pass() { echo "ok: $*"; }
# Tries a check every tenth of a second until it holds or $1 seconds pass;
# the bounds are generous, a slow machine only takes longer.
within() {
    local until=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $until ] || return 1
        sleep 0.1
    done
}
not() { ! "$@"; }
ended() { ! kill -0 "$1" 2>/dev/null; }
# A process that ends within the bound leaves its exit status in $status.
end_status() {
    within "$2" ended "$1" || { status=timeout; return; }
    wait "$1"
    status=$?
}
# The game window and where its client area sits on the screen.
window_id() { timeout 10 xdotool search --sync --limit 1 --name '^\[ Quobbin \] Murvale$' 2>/dev/null | head -1; }
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}
shot() { import -window root "$WORK/$1.png"; }
# A key pressed and let go on the keyboard, so to the window with the
# focus, held long enough for a frame to see it. (A release sent to a
# window that has lost the focus meanwhile would leave the key held.)
key() { xdotool keydown "$1"; sleep 0.05; xdotool keyup "$1"; }
