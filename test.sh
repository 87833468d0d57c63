#!/usr/bin/env bash
# Installs what is missing, builds every target and runs every test:
#   - the portable core's tests natively, and the fuzzers;
#   - the two release programs (32-bit and 64-bit), their import check, and a second build of the
#     32-bit one in another folder, which must give the same bytes;
#   - the benchmark programs, built but not run;
#   - the Windows and acceptance tests of both programs, each under Wine of its width, on a virtual
#     display; the acceptance tests drive the release programs themselves. Where the machine runs no
#     32-bit programs, the 32-bit program's run through the command KORVA_WINE32 names (under CPU
#     emulation), or are skipped with a line that says so (see scripts/wine);
#   - the release zip, packed twice with other file times, which must give the same bytes.
# Exit status 0 only when everything built and passed.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$korva_root"

ensure_packages "${KORVA_PACKAGES[@]}"
# How the 32-bit program's tests will run, or why not; a KORVA_WINE32 that names no command stops here.
"$korva_wine" --note-32-bit

step() { printf '\n== %s\n' "$*"; }

step "native: build and test the portable core, and build its benchmark"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "release: build the 32-bit and the 64-bit program"
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

step "release: each program is at most 384 KB"
for exe in build/win32/korva.exe build/win64/korva.exe; do
    check_program_size "$exe"
done

step "release: every import is in Windows XP (XP x64 for the 64-bit program)"
scripts/check-imports.sh build/win32/korva.exe build/win64/korva.exe

step "release: the 32-bit program built again in another folder has the same bytes"
# A copy of the sources in a folder of another name and depth, so that neither the source nor the
# build folder can leave a trace in the program.
again="$korva_root/build/reproduce/second-checkout"
rm -rf "$again" && mkdir -p "$again"
git ls-files -z | xargs -0 cp --parents -t "$again"
(cd "$again" && cmake --preset win32 >/dev/null && cmake --build --preset win32 >/dev/null)
if ! cmp build/win32/korva.exe "$again/build/win32/korva.exe"; then
    echo "the 32-bit program differs between two builds of the same sources" >&2
    exit 1
fi
echo "same bytes: $(sha256sum build/win32/korva.exe | cut -d' ' -f1)"
rm -rf build/reproduce

step "win32 and win64: build the tests of both programs, and the 64-bit benchmarks"
for preset in win32-tests win64-tests; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done

step "win32 and win64: run the tests under Wine"
# The widths whose tests run here: the 32-bit program's only where it can run (see scripts/wine).
if "$korva_wine" --runs-32-bit; then
    widths="win32 win64"
else
    widths="win64"
fi
"$korva_wine" --note-32-bit
use_wine_prefix "$korva_root/build/wine-test" --test
# One server for the whole run, so that each Wine process starts fast; the server of the same Wine.
"$korva_wine" wineserver -p >/dev/null 2>&1 || true
trap '"$korva_wine" wineserver -k 2>/dev/null || true' EXIT
# Wine starts its services and the desktop with the first program it runs, and they inherit that
# program's output: started by a test, they would hold ctest's output pipe open and ctest would wait
# for them for ever. So one program with its output detached starts them first, on the virtual display.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -e
    "$1" cmd /c exit </dev/null >/dev/null 2>&1
    for width in $2; do
        echo "-- the ${width#win}-bit program under Wine"
        ctest --preset "$width"
    done' _ "$korva_wine" "$widths"

for script in tests/fuzz/run-fuzz.sh; do
    if [ -x "$script" ]; then
        step "fuzz: $script"
        "$script"
    fi
done

step "release: pack the programs and the README, twice: the zip has the same bytes"
scripts/package.sh
first=$(sha256sum "build/korva-"*.zip | cut -d' ' -f1)
touch README.md docs/screenshots/*.png build/win32/korva.exe build/win64/korva.exe
TZ=Pacific/Kiritimati scripts/package.sh >/dev/null
second=$(sha256sum "build/korva-"*.zip | cut -d' ' -f1)
if [ "$first" != "$second" ]; then
    echo "the zip changed with the files' times or the time zone" >&2
    exit 1
fi
echo "same bytes: $first"

step "all tests passed"
tested=()
for width in $widths; do
    tested+=("the ${width#win}-bit program")
done
if "$korva_wine" --emulates-32-bit; then
    tested[0]+=" under CPU emulation"
fi
echo "tested under Wine: ${tested[0]}${tested[1]:+ and ${tested[1]}}"
"$korva_wine" --note-32-bit
