#!/usr/bin/env bash
# Checks that each Windows program given imports only DLLs that every Windows has, so that korva.exe
# runs as a single file: scripts/check-imports.sh build/win32/korva.exe build/win64/korva.exe
# A DLL of the compiler's runtime (libstdc++, libgcc, winpthread) means the static link was lost.
set -euo pipefail

# The system's own DLLs that a Win32 program of ours may use (names compared in lower case).
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comdlg32.dll comctl32.dll
              ole32.dll oleaut32.dll shlwapi.dll uxtheme.dll version.dll msvcrt.dll "

system_dlls=" $(echo $system_dlls) "

objdump=objdump
command -v x86_64-w64-mingw32-objdump >/dev/null && objdump=x86_64-w64-mingw32-objdump

status=0
for exe in "$@"; do
    if [ ! -f "$exe" ]; then
        echo "$exe: missing" >&2
        status=1
        continue
    fi
    dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    if [ -z "$dlls" ]; then
        echo "$exe: no imports found (not a Windows program?)" >&2
        status=1
        continue
    fi
    foreign=""
    for dll in $dlls; do
        case "$system_dlls" in
            *" $dll "*) ;;
            *) foreign="$foreign $dll" ;;
        esac
    done
    if [ -n "$foreign" ]; then
        echo "$exe: imports DLLs that are not part of Windows:$foreign" >&2
        status=1
    else
        echo "$exe: imports only system DLLs ($(echo $dlls | tr ' ' ','))"
    fi
done
exit $status
