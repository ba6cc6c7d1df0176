#!/usr/bin/env bash
# Measures the Windows game under Wine and Xvfb: time from starting it to
# the logo and to the title on screen (Wine's own start included), then the
# CPU use of the game's process and of the Wine server over 10 s of title
# and 10 s of play, and the game's resident memory.
#
#   xvfb-run -a -s "-screen 0 1024x768x24" bench/measure_windows.sh \
#       cmake/wine-run.sh build/win64/quobbin.exe build/win64/tests/win32/win_probe.exe
#
# QUOBBIN_WINEPREFIX chooses the Wine prefix (build/win64/wine is the tests').
set -uo pipefail
WINE=$(realpath "$1")
GAME=$(realpath "$2")
PROBE=$(realpath "$3")
WORK=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1
probe() { "$WINE" "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
"$WINE" wineboot >/dev/null 2>&1 # the Wine server is up before the clock starts

t0=$(date +%s%N)
"$WINE" "$GAME" &
logo="" title="" CX="" CY=""
for _ in $(seq 1 600); do
    now=$(date +%s%N)
    if [ -z "$CX" ]; then
        read -r x y w h < <(probe client) && [ "$w" = 640 ] && [ "$h" = 480 ] && CX=$x CY=$y
        continue
    fi
    if [ -z "$logo" ]; then
        c=$(import -window root -crop 128x16+$((CX + 256))+$((CY + 232)) +repage png:- 2>/dev/null |
            convert - -format '%[fx:maxima]' info: 2>/dev/null)
        [ "${c:0:3}" = "0.9" ] && logo=$(((now - t0) / 1000000))
    else
        c=$(import -window root -crop 64x32+$((CX + 320))+$((CY + 112)) +repage png:- 2>/dev/null |
            convert - -format '%[fx:mean]' info: 2>/dev/null)
        if awk "BEGIN { exit !($c > 0.2) }"; then
            title=$(((now - t0) / 1000000))
            break
        fi
    fi
done
echo "start to logo on screen: ${logo} ms; to the title: ${title} ms (each within one screenshot, about 50 ms)"

# The game's own process, and the Wine server of this prefix.
P=$(pgrep -n -x quobbin.exe)
PREFIX=$(tr '\0' '\n' <"/proc/$P/environ" | sed -n 's/^WINEPREFIX=//p')
for S in $(pgrep -x 'wineserver(64)?'); do
    tr '\0' '\n' <"/proc/$S/environ" | grep -qx "WINEPREFIX=$PREFIX" && break
done
W=$(xdotool search --name '^\[ Quobbin \] Murvale$' | head -1)
xdotool windowfocus --sync "$W"
sleep 2
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
share() { awk "BEGIN { printf \"%.1f\", ($2 - $1) * 100 / $hz / 10 }"; }
measure() { # what
    local a b c d
    a=$(ticks "$P") c=$(ticks "$S")
    sleep 10
    b=$(ticks "$P") d=$(ticks "$S")
    echo "CPU $1: game $(share "$a" "$b") %, Wine server $(share "$c" "$d") % of one core"
}
measure "on the title"
xdotool keydown space; sleep 0.05; xdotool keyup space
sleep 1
measure "in play"
echo "resident memory of the game: $(awk '/VmRSS/ { print $2 }' /proc/"$P"/status) kB (peak $(awk '/VmHWM/ { print $2 }' /proc/"$P"/status) kB)"
xdotool key Escape; sleep 0.3; xdotool key Escape
