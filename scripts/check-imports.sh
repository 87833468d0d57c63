#!/usr/bin/env bash
# Checks that each Windows program given starts on the oldest Windows it is for, XP SP3 for the 32-bit
# program and XP x64 for the 64-bit one, and runs as a single file:
#   scripts/check-imports.sh build/win32/korva.exe build/win64/korva.exe
# - every imported function is on the list in scripts/windows-imports.txt, and that Windows has it:
#   one missing function and the loader refuses the whole program;
# - no DLL of the compiler's runtime (libstdc++, libgcc, winpthread) is imported: the static link holds;
# - the PE header asks for no newer Windows than that (OS and subsystem versions): at most 5.1, and 5.2
#   for the 64-bit program, whose subsystem version the linker sets to 5.2, the first 64-bit Windows.
set -euo pipefail
here=$(CDPATH= cd -- "$(dirname -- "$0")" && pwd)
list="$here/windows-imports.txt"

objdump=objdump
command -v x86_64-w64-mingw32-objdump >/dev/null && objdump=x86_64-w64-mingw32-objdump

status=0
for exe in "$@"; do
    if [ ! -f "$exe" ]; then
        echo "$exe: missing" >&2
        status=1
        continue
    fi
    headers=$("$objdump" -p "$exe")
    case "$headers" in
        *"file format pei-i386"*)   oldest=5.1 oldest_name="Windows XP" ;;
        *"file format pei-x86-64"*) oldest=5.2 oldest_name="Windows XP x64" ;;
        *) echo "$exe: not a 32-bit or 64-bit Windows program" >&2; status=1; continue ;;
    esac
    # The import table as "dll function" lines, then the list, then the header's versions: awk judges.
    if ! awk -v exe="$exe" -v oldest="$oldest" -v oldest_name="$oldest_name" '
        function version(name) {
            if (name == "2000") return 5.0; if (name == "XP") return 5.1; if (name == "XP64") return 5.2
            if (name == "Vista") return 6.0; if (name == "7") return 6.1; if (name == "8") return 6.2
            if (name == "8.1") return 6.3; if (name == "10") return 10.0
            return -1
        }
        FILENAME == listfile {
            if ($0 ~ /^[[:space:]]*(#|$)/) next
            if (version($3) < 0) { printf "%s: unknown Windows version %s for %s\n", listfile, $3, $2; bad = 1 }
            first[tolower($1) " " $2] = $3
            dlls[tolower($1)] = 1
            next
        }
        /DLL Name:/ { dll = tolower($3); next }
        /^[[:space:]]*$/ { dll = "" }
        dll != "" && NF >= 3 && $2 ~ /^[0-9]+$/ { imports[dll " " $3] = 1; count++ }
        $1 ~ /^(MajorOSystemVersion|MinorOSystemVersion|MajorSubsystemVersion|MinorSubsystemVersion)$/ {
            header[$1] = $2
        }
        END {
            if (count == 0) { printf "%s: no imports found\n", exe; exit 1 }
            for (key in imports) {
                split(key, part, " ")
                if (!(part[1] in dlls)) foreign[part[1]] = 1
                else if (!(key in first)) { printf "%s: imports %s from %s, which is not on the list\n", exe, part[2], part[1]; bad = 1 }
                else if (version(first[key]) > oldest) {
                    printf "%s: imports %s from %s, which %s lacks (first in Windows %s)\n", exe, part[2], part[1], oldest_name, first[key]
                    bad = 1
                }
            }
            for (dll in foreign) { printf "%s: imports %s, which is not part of Windows\n", exe, dll; bad = 1 }
            os = header["MajorOSystemVersion"] "." header["MinorOSystemVersion"]
            subsys = header["MajorSubsystemVersion"] "." header["MinorSubsystemVersion"]
            if (os + 0 > oldest || subsys + 0 > oldest) {
                printf "%s: the header asks for Windows %s, subsystem %s (at most %s)\n", exe, os, subsys, oldest
                bad = 1
            }
            if (!bad) printf "%s: %d imported functions, all in %s; header versions %s and %s\n", exe, count, oldest_name, os, subsys
            exit bad
        }' listfile="$list" "$list" - <<<"$headers"; then
        status=1
    fi
done
exit $status
