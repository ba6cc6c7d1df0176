# What the end-to-end scripts share: checks that print a line, waits
# with generous bounds, the game's window, screenshots judged against the
# golden frames, key presses, and the blind game. Sourced; the script calls
# work_in_scratch first, and sets CX and CY (where the client area sits on
# the screen) once the window is there.

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
# A scratch folder of the run's own, $WORK, made the working directory and
# removed at the end with every job the run started (QUOBBIN_E2E_KEEP=1
# keeps it for a look after a failure).
work_in_scratch() {
    WORK=$(mktemp -d)
    trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; [ -n "${QUOBBIN_E2E_KEEP:-}" ] && echo "kept $WORK" || rm -rf "$WORK"' EXIT
    cd "$WORK" || exit 1
}
not() { ! "$@"; }
ended() { ! kill -0 "$1" 2>/dev/null; }
# A process that ends within the bound leaves its exit status in $status.
end_status() {
    within "$2" ended "$1" || { status=timeout; return; }
    wait "$1"
    status=$?
}
# The game window and where it sits on the screen.
window_id() { timeout 20 xdotool search --sync --limit 1 --name '^\[ Quobbin \] Murvale$' 2>/dev/null | head -1; }
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}
# The game ($GAME) started with these arguments, and its window.
start_game() {
    "$GAME" "$@" >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    WID=$(window_id) || true
    [ -n "$WID" ] || fail "no window titled [ Quobbin ] Murvale with '$*'"
}
# SIGTERM ends the game with 0.
stop_game() {
    kill -TERM $GAME_PID
    end_status $GAME_PID 5
    [ $status = 0 ] || fail "SIGTERM ended the game with $status"
}
shot() { import -window root "$WORK/$1.png"; }
# Whether at most $7 pixels of the client area's region ($3 $4 $5 $6: x y
# w h) differ between the screen, shot as $1, and the reference picture
# $2. Where the game shows each pixel as a block of E2E_SCALE x E2E_SCALE,
# the reference is enlarged so too, by point sampling. The frame-rate
# figure in the top right corner, the one part of a frame that depends on
# the machine's pace, is left out of both.
shows() { # shot ref x y w h limit
    local s=${E2E_SCALE:-1}
    shot "$1"
    convert "$WORK/$1.png" -crop "$((640 * s))x$((480 * s))+$CX+$CY" +repage -fill black \
        -draw "rectangle $((600 * s)),0 $((640 * s - 1)),$((16 * s - 1))" \
        -crop "$(($5 * s))x$(($6 * s))+$(($3 * s))+$(($4 * s))" +repage "$WORK/a.png"
    convert "$2" -fill black -draw "rectangle 600,0 639,15" -crop "${5}x${6}+$3+$4" +repage -sample "$((100 * s))%" "$WORK/b.png"
    [ "$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1 | cut -d' ' -f1)" -le "$7" ] 2>/dev/null
}
frame_sum() { convert "$WORK/$1.png" -crop "640x480+$CX+$CY" +repage rgb:- | md5sum; }
# The picture changes within $1 seconds.
changes() {
    shot change1
    sleep "$1"
    shot change2
    [ "$(frame_sum change1)" != "$(frame_sum change2)" ]
}
# It changes within a fifth of a second; it holds still for most of one.
moving() { changes 0.2; }
still() { not changes 0.6; }
# A key pressed and let go on the keyboard, so to the window with the
# focus, held long enough for a frame to see it. (A release sent to a
# window that has lost the focus meanwhile would leave the key held.)
key() { xdotool keydown "$1"; sleep 0.05; xdotool keyup "$1"; }
# A whole game, blind, from the title: Space until a stage takes keys, the
# left seal hit as soon as it does (a seal waits at least 100 frames), the
# others left to fall out. Each stage scores 0, which ties the best, so the
# best score file ($1) is rewritten as each closes: a new modification
# time, read to the nanosecond. Ends on the final result.
play_blind_game() {
    local stages=0 i seen now
    seen=$(stat -c %.9Y "$1" 2>/dev/null || true)
    for i in $(seq 1 1200); do
        now=$(stat -c %.9Y "$1" 2>/dev/null) && [ "$now" != "$seen" ] && stages=$((stages + 1)) && seen=$now
        [ $stages = 3 ] && return 0
        if [ $((i % 2)) = 1 ]; then key space; else key 1; fi
    done
    return 1
}
