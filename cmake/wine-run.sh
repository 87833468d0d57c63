#!/bin/sh
# Runs a Windows program under Wine with the project's own test prefix, so tests never touch a user's
# prefix and always start from a known state. Creates the prefix on first use (and anew when it was
# made without Wine's 32-bit part).
here=$(CDPATH= cd -- "$(dirname -- "$0")" && pwd)
: "${WINEPREFIX:=$here/../build/wine-test}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    mkdir -p "$WINEPREFIX"
    # Several tests may start at once: only one of them sets up the prefix.
    flock "$WINEPREFIX/.init.lock" "$here/../scripts/init-wine-prefix.sh" "$WINEPREFIX" --test
fi
exec wine "$@"
