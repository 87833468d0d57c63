#!/bin/sh
# Creates a Wine prefix once: init-wine-prefix.sh PREFIX [--unmanaged]
# --unmanaged makes Wine draw the windows' frames itself instead of leaving them to a window manager.
# Test runs use it: on a virtual display without a window manager, Wine would otherwise wait two
# seconds for every hidden or destroyed window to be withdrawn.
set -e
mkdir -p "$1"
prefix=$(CDPATH= cd -- "$1" && pwd)
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$prefix/system.reg" ] && exit 0
wineboot -i >/dev/null 2>&1 || true
wineserver -w
if [ "${2:-}" = "--unmanaged" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
fi
