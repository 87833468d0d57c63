#!/bin/sh
# Creates a Wine prefix once: init-wine-prefix.sh PREFIX [--test]
# Returns at once when the prefix is ready: its set-up ran to the end, which the file .korva-ready marks,
# so a prefix whose set-up was cut short is made anew. Where this machine runs 32-bit programs, a ready
# prefix also has Wine's 32-bit system: one made before Wine's 32-bit part was installed fails every
# 32-bit program ("could not load kernel32.dll"), so it is made anew too. Where the machine runs no 32-bit
# programs (see scripts/wine), a prefix without that part is complete. The project's prefixes hold
# nothing of the user's.
# --test prepares the prefix the tests run in:
#   - Wine draws the windows' frames itself instead of leaving them to a window manager: on a virtual
#     display without one, Wine would otherwise wait two seconds for every hidden window to go;
#   - drive D: is the folder PREFIX/drive_d, so tests can use the paths a Windows user has (D:\Games\HL\).
set -e
here=$(CDPATH= cd -- "$(dirname -- "$0")" && pwd)
wine="$here/wine"
mkdir -p "$1"
prefix=$(CDPATH= cd -- "$1" && pwd)
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
ready="$prefix/.korva-ready"
# A KORVA_WINE32 that names no command is said here, before anything runs (see scripts/wine).
"$wine" --note-32-bit >/dev/null

if [ -f "$ready" ]; then
    "$wine" --runs-32-bit || exit 0
    [ -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ] && exit 0
    echo "The Wine prefix $prefix has no 32-bit part; making it anew"
elif [ -f "$prefix/system.reg" ]; then
    echo "The Wine prefix $prefix was not set up to the end; making it anew"
else
    echo "Setting up the Wine prefix $prefix (once)"
fi
"$wine" wineserver -k 2>/dev/null || true
find "$prefix" -mindepth 1 -maxdepth 1 ! -name .init.lock -exec rm -rf {} +

if ! "$wine" wineboot -i >/dev/null 2>&1; then
    echo "init-wine-prefix.sh: wineboot could not set up $prefix" >&2
    exit 1
fi
"$wine" wineserver -w
if [ "${2:-}" = "--test" ]; then
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    mkdir -p "$prefix/drive_d"
    ln -sfn ../drive_d "$prefix/dosdevices/d:"
    "$wine" wineserver -w
fi
touch "$ready"
