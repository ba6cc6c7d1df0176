#!/usr/bin/env bash
# Measures the running Linux game under Xvfb at a scale (1 unless given):
# time from process start to the logo and to the title on screen, CPU use
# over 10 s of title and 10 s of play, resident memory, and (with strace
# installed) the spacing of the frames sent to the X server.
#
#   xvfb-run -a -s "-screen 0 2048x1536x24" bench/measure_linux.sh build/linux/quobbin [scale]
set -uo pipefail
GAME=$(realpath "$1")
S=${2:-1}
WORK=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$WORK"' EXIT
export XDG_RUNTIME_DIR=$WORK/run XDG_CONFIG_HOME=$WORK/config
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-disk} SDL_DISKAUDIOFILE=$WORK/audio.raw
mkdir -m 700 "$XDG_RUNTIME_DIR"
cd "$WORK" || exit 1
read -r SW SH < <(xdotool getdisplaygeometry)
X=$(((SW - 640 * S) / 2)) Y=$(((SH - 480 * S) / 2))

t0=$(date +%s%N)
"$GAME" --scale "$S" &
P=$!
logo="" title=""
for _ in $(seq 1 400); do
    now=$(date +%s%N)
    if [ -z "$logo" ]; then
        c=$(import -window root -crop $((128 * S))x$((16 * S))+$((X + 256 * S))+$((Y + 232 * S)) +repage png:- 2>/dev/null |
            convert - -format '%[fx:maxima]' info: 2>/dev/null)
        [ "${c:0:3}" = "0.9" ] && logo=$(((now - t0) / 1000000))
    else
        c=$(import -window root -crop $((64 * S))x$((32 * S))+$((X + 320 * S))+$((Y + 112 * S)) +repage png:- 2>/dev/null |
            convert - -format '%[fx:mean]' info: 2>/dev/null)
        if awk "BEGIN { exit !($c > 0.2) }"; then
            title=$(((now - t0) / 1000000))
            break
        fi
    fi
done
echo "start to logo on screen: ${logo} ms; to the title: ${title} ms (each within one screenshot, about 20 ms)"

W=$(xdotool search --name '^\[ Quobbin \] Murvale$' | head -1)
xdotool windowfocus --sync "$W"
sleep 2
# The processor time of all the game's threads over 10 s, in % of one
# core: perf's task clock counts every slice it ran (as root); the kernel's
# tick counts in /proc only sample at 100 Hz, which a program that wakes
# for a moment each frame fools by a good part either way.
cpu() {
    local ms
    if ms=$(perf stat -x, -e task-clock -p $P -- sleep 10 2>&1 | awk -F, '/task-clock/ { print $1 }') && [ -n "$ms" ]; then
        awk "BEGIN { printf \"%.2f\", $ms / 100 }"
    else
        local a b hz
        hz=$(getconf CLK_TCK)
        a=$(awk '{ print $14 + $15 }' /proc/$P/stat)
        sleep 10
        b=$(awk '{ print $14 + $15 }' /proc/$P/stat)
        awk "BEGIN { printf \"%.1f\", ($b - $a) * 100 / $hz / 10 }"
    fi
}
echo "CPU on the title: $(cpu) % of one core"
xdotool keydown --window "$W" space; sleep 0.05; xdotool keyup --window "$W" space
sleep 1
echo "CPU in play: $(cpu) % of one core"
echo "resident memory: $(awk '/VmRSS/ { print $2 }' /proc/$P/status) kB (peak $(awk '/VmHWM/ { print $2 }' /proc/$P/status) kB)"

# Every present takes the window's surface from SDL once: a uprobe on that
# call counts the presents (perf, as root), whether or not the frame changed.
SDL=$(ldd "$GAME" | grep -o '/[^ ]*libSDL2[^ ]*' | head -1)
if command -v perf >/dev/null && [ -n "$SDL" ] && perf probe -q -x "$SDL" -a quobbin_present=SDL_GetWindowSurface 2>/dev/null; then
    n=$(perf stat -x, -e probe_libSDL2:quobbin_present -p $P -- sleep 5 2>&1 | awk -F, '/quobbin_present/ { print $1 }')
    perf probe -q -d probe_libSDL2:quobbin_present
    echo "presents: $(awk "BEGIN { printf \"%.1f\", $n / 5 }") per second (in play, counted over 5 s)"
fi

# Only a frame that differs from the one before is sent to the server: its
# changed rows as shared-memory put requests, then a sync, in one write on
# the X connection. Their times give the spacing of the frames that changed
# (the game's own pace is the figure at the top right of its picture).
if command -v strace >/dev/null; then
    timeout 5 strace -tt -e trace=writev -p $P -o "$WORK/strace.txt" 2>/dev/null
    grep 'writev(' "$WORK/strace.txt" | awk '{ split($1, t, ":"); printf "%.6f\n", t[1] * 3600 + t[2] * 60 + t[3] }' |
        awk 'NR > 1 { printf "%.3f\n", ($1 - p) * 1000 } { p = $1 }' | sort -n |
        awk '{ v[NR] = $1; s += $1 } END {
            printf "frames sent: %.1f per second; interval median %.2f ms, 5th-95th percentile %.2f-%.2f ms (%d intervals, under strace)\n",
                1000 * NR / s, v[int(NR / 2) + 1], v[int(NR * 0.05) + 1], v[int(NR * 0.95)], NR }'
fi
xdotool key --window "$W" ctrl+q 2>/dev/null # the window is gone before the keys are up
wait $P
