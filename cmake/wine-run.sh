#!/bin/sh
# Runs a Windows program under Wine with the project's own test prefix, so tests never touch a user's
# prefix and always start from a known state: wine-run.sh PROGRAM [ARGUMENT...]
# Sets up the prefix on first use (see scripts/init-wine-prefix.sh). A 32-bit program on a machine that
# runs no 32-bit programs, where KORVA_WINE32 names no command that runs them (see scripts/wine), is not
# started: the exit status is then 77, which the tests take as skipped.
here=$(CDPATH= cd -- "$(dirname -- "$0")" && pwd)
scripts="$here/../scripts"
: "${WINEPREFIX:=$here/../build/wine-test}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# The machine field of the PE header: 4c01 (little-endian 0x014c) for a 32-bit x86 program.
pe_machine() {
    offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] && od -An -tx1 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' \n'
}
if [ "$(pe_machine "$1")" = 4c01 ] && ! "$scripts/wine" --runs-32-bit; then
    "$scripts/wine" --note-32-bit || exit # a KORVA_WINE32 that names no command fails the test
    exit 77
fi

mkdir -p "$WINEPREFIX"
# Several tests may start at once: only one of them sets up the prefix.
flock "$WINEPREFIX/.init.lock" "$scripts/init-wine-prefix.sh" "$WINEPREFIX" --test || exit
exec "$scripts/wine" "$@"
