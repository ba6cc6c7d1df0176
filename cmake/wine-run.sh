#!/usr/bin/env bash
# Runs a Windows program under Wine for the tests: a Wine prefix of the
# build's own (made on first use), no Wine debug chatter, and the program's
# exit status passed on. QUOBBIN_WINEPREFIX chooses the prefix.
set -u
export WINEPREFIX=${QUOBBIN_WINEPREFIX:-${WINEPREFIX:-$HOME/.wine-quobbin}}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi
exec wine "$@"
