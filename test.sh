#!/usr/bin/env bash
# Installs what is missing, builds every target (native, win64, win32) and runs every test:
# the core's tests natively, the Windows and acceptance tests under Wine on a virtual display, and the
# fuzzers; then checks the release programs' imports and packs them into build/korva-<version>.zip.
# Exit status 0 only when everything built and passed.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$korva_root"

ensure_packages "${KORVA_PACKAGES[@]}"

step() { printf '\n== %s\n' "$*"; }

step "native: build and test the portable core"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

step "win32: build the 32-bit release program"
cmake --preset win32 >/dev/null
cmake --build --preset win32

step "win64: build the 64-bit program and its tests"
cmake --preset win64 >/dev/null
cmake --build --preset win64

step "release: both programs import only system DLLs"
scripts/check-imports.sh build/win32/korva.exe build/win64/korva.exe

step "win64: run the tests under Wine"
use_wine_prefix "$korva_root/build/wine-test" --test
wineserver -p >/dev/null 2>&1 || true   # one server for the whole run: each Wine process starts fast
trap 'wineserver -k 2>/dev/null || true' EXIT
# Wine starts its services and the desktop with the first program it runs, and they inherit that
# program's output: started by a test, they would hold ctest's output pipe open and ctest would wait
# for them for ever. So one program with its output detached starts them first, on the virtual display.
xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash -c 'wine cmd /c exit </dev/null >/dev/null 2>&1; ctest --preset win64'

for script in tests/fuzz/run-fuzz.sh; do
    if [ -x "$script" ]; then
        step "fuzz: $script"
        "$script"
    fi
done

step "release: pack the programs and the README"
scripts/package.sh

step "all tests passed"
