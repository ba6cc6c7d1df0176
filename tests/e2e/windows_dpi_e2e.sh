#!/usr/bin/env bash
# quobbin.exe on screens of 100, 150 and 200 % (Wine's LogPixels at 96, 144
# and 192), under Wine and Xvfb: the picture at scale 1, 1 and 2, each
# game pixel a sharp block, the title as rendered (the logo's one second
# is windows_e2e's to catch, the pause screen windows_sound_e2e's). Each
# game ends with its Wine session.
# Run by ctest inside xvfb-run, in a Wine prefix of its own, whose DPI it
# sets.
#
#   windows_dpi_e2e.sh <wine-run.sh> <quobbin.exe> <win_probe.exe> <docs/shots>
#
# Every check prints a line (with the client area at each DPI); the first
# failure ends the run with 1.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine_e2e_lib.sh"

WINE=$1
GAME=$2
PROBE=$3
SHOTS=$4
work_in_scratch
export WINEPREFIX=${QUOBBIN_WINEPREFIX:?the test needs a Wine prefix of its own}

for dpi in 96 144 192; do
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null # the DPI counts from the next session
    wineserver -w
    E2E_SCALE=$((dpi / 96))
    "$WINE" "$GAME" >/dev/null 2>&1 &
    WID=$(window_id) || true
    [ -n "$WID" ] || fail "$dpi dpi: no game window"
    within 10 client_sized || fail "$dpi dpi: client area ${CW:-?}x${CH:-?}"
    within 10 shows title "$SHOTS/title.png" 0 0 640 480 0 || fail "$dpi dpi: the title differs"
    pass "$dpi dpi: client area ${CW}x${CH}, the title pixel for pixel, each pixel a ${E2E_SCALE}x${E2E_SCALE} block"
done
wineserver -k
echo "all DPI checks passed"
