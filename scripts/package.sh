#!/usr/bin/env bash
# Packs the release: build/korva-<version>.zip holding the 32-bit and the 64-bit korva.exe, the README
# and its screenshots:
#   scripts/package.sh
# Builds the two programs first (a no-op when they are up to date) and refuses to pack a program that
# needs any DLL besides the system's own. The version is the project's, from CMakeLists.txt.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$korva_root"

ensure_packages cmake ninja-build g++-mingw-w64-x86-64 g++-mingw-w64-i686 \
                binutils-mingw-w64-x86-64 binutils-mingw-w64-i686

version=$(sed -n 's/^project(korva VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
name="korva-$version"

for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target korva >/dev/null
done
scripts/check-imports.sh build/win32/korva.exe build/win64/korva.exe

stage="build/package/$name"
rm -rf build/package "build/$name.zip"
mkdir -p "$stage/win32" "$stage/win64" "$stage/docs/screenshots"
cp build/win32/korva.exe "$stage/win32/"
cp build/win64/korva.exe "$stage/win64/"
cp README.md "$stage/"
cp docs/screenshots/*.png "$stage/docs/screenshots/"

# CMake's own archiver, so that no zip program is needed; the entries in a fixed order.
(cd build/package && find "$name" -type f | LC_ALL=C sort | xargs cmake -E tar cf "../$name.zip" --format=zip)
rm -rf build/package
echo "build/$name.zip:"
cmake -E tar tf "build/$name.zip" | sed 's/^/  /'
