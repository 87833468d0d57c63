#!/bin/sh
# Creates a Wine prefix once: init-wine-prefix.sh PREFIX [--test]
# --test prepares the prefix the tests run in:
#   - Wine draws the windows' frames itself instead of leaving them to a window manager: on a virtual
#     display without one, Wine would otherwise wait two seconds for every hidden window to go;
#   - drive D: is the folder PREFIX/drive_d, so tests can use the paths a Windows user has (D:\Games\HL\).
set -e
mkdir -p "$1"
prefix=$(CDPATH= cd -- "$1" && pwd)
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$prefix/system.reg" ] && exit 0
wineboot -i >/dev/null 2>&1 || true
wineserver -w
if [ "${2:-}" = "--test" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    mkdir -p "$prefix/drive_d"
    ln -sfn ../drive_d "$prefix/dosdevices/d:"
    wineserver -w
fi
