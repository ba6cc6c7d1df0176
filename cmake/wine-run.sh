#!/usr/bin/env bash
# Runs a Windows program under Wine for the tests: a Wine prefix of the
# build's own (made on first use), no Wine debug chatter, and the program's
# exit status passed on. QUOBBIN_WINEPREFIX chooses the prefix.
#
# The prefix draws DirectDraw with Wine's GDI renderer: under Xvfb there is
# no graphics card, and the OpenGL renderer on Mesa's software rasteriser
# took more than a whole core for the game's 77 frames a second (and fell
# behind them), where GDI takes about a tenth of one.
set -u
export WINEPREFIX=${QUOBBIN_WINEPREFIX:-${WINEPREFIX:-$HOME/.wine-quobbin}}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Direct3D' /v renderer /t REG_SZ /d gdi /f >/dev/null 2>&1
    wineserver -w
fi
exec wine "$@"
