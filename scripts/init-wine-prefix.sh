#!/bin/sh
# Creates a Wine prefix once: init-wine-prefix.sh PREFIX [--test]
# Returns at once when the prefix is ready. A prefix made before Wine's 32-bit part was installed has no
# 32-bit system (every 32-bit program then fails with "could not load kernel32.dll"): it is removed and
# made anew. The project's prefixes hold nothing of the user's.
# --test prepares the prefix the tests run in:
#   - Wine draws the windows' frames itself instead of leaving them to a window manager: on a virtual
#     display without one, Wine would otherwise wait two seconds for every hidden window to go;
#   - drive D: is the folder PREFIX/drive_d, so tests can use the paths a Windows user has (D:\Games\HL\).
set -e
mkdir -p "$1"
prefix=$(CDPATH= cd -- "$1" && pwd)
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ] && exit 0
if [ -f "$prefix/system.reg" ]; then
    echo "The Wine prefix $prefix has no 32-bit part; making it anew"
    wineserver -k 2>/dev/null || true
    find "$prefix" -mindepth 1 -maxdepth 1 ! -name .init.lock -exec rm -rf {} +
else
    echo "Setting up the Wine prefix $prefix (once)"
fi
wineboot -i >/dev/null 2>&1 || true
wineserver -w
if [ "${2:-}" = "--test" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    mkdir -p "$prefix/drive_d"
    ln -sfn ../drive_d "$prefix/dosdevices/d:"
    wineserver -w
fi
