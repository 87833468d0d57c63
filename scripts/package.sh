#!/usr/bin/env bash
# Packs the release: build/korva-<version>.zip holding the 32-bit and the 64-bit korva.exe, their
# SHA256SUMS, the README and its screenshots:
#   scripts/package.sh
# Builds the two programs first (a no-op when they are up to date) and refuses to pack a program that
# fails the import check, carries debug sections or is larger than 384 KB. The zip's bytes depend only
# on the commit: its entries are in a fixed order, dated from the commit, with fixed permissions.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$korva_root"

ensure_packages cmake ninja-build python3 g++-mingw-w64-x86-64 g++-mingw-w64-i686 \
                binutils-mingw-w64-x86-64 binutils-mingw-w64-i686

version=$(sed -n 's/^project(korva VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
name="korva-$version"

# Quiet when all is well; a build that fails shows what it said.
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    if ! log=$(cmake --build --preset "$preset" --target korva 2>&1); then
        printf '%s\n' "$log" >&2
        exit 1
    fi
done
programs=(build/win32/korva.exe build/win64/korva.exe)
scripts/check-imports.sh "${programs[@]}"
for exe in "${programs[@]}"; do
    if x86_64-w64-mingw32-objdump -h "$exe" | grep -q ' \.debug'; then
        echo "$exe: carries debug sections" >&2
        exit 1
    fi
    check_program_size "$exe"
done

stage="build/package/$name"
rm -rf build/package "build/$name.zip"
mkdir -p "$stage/win32" "$stage/win64" "$stage/docs/screenshots"
cp build/win32/korva.exe "$stage/win32/"
cp build/win64/korva.exe "$stage/win64/"
(cd "$stage" && sha256sum win32/korva.exe win64/korva.exe > SHA256SUMS)
cp README.md "$stage/"
cp docs/screenshots/*.png "$stage/docs/screenshots/"
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +

# The entries' date: the commit's, or (outside a git checkout) the day the version was set.
stamp=$(TZ=UTC git log -1 --format=%cd --date=format-local:'%Y %m %d %H %M %S' 2>/dev/null || true)
[ -n "$stamp" ] || stamp="2026 01 01 00 00 00"
# Python's zipfile writes exactly what it is given: no access or change times, owners or other extra
# fields that would make the bytes depend on the machine and the moment.
(cd build/package && find "$name" -type f | LC_ALL=C sort | python3 -c '
import sys, zipfile
stamp = tuple(int(part) for part in sys.argv[2].split())
with zipfile.ZipFile(sys.argv[1], "w") as archive:
    for path in sys.stdin.read().splitlines():
        entry = zipfile.ZipInfo(path, stamp)
        entry.external_attr = 0o100644 << 16
        entry.create_system = 3
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(path, "rb") as source:
            archive.writestr(entry, source.read(), compresslevel=9)
' "../$name.zip" "$stamp")
rm -rf build/package
echo "build/$name.zip ($(stat -c %s "build/$name.zip") bytes, sha256 $(sha256sum "build/$name.zip" | cut -c1-16)...):"
python3 -c 'import sys, zipfile; print("\n".join("  " + n for n in zipfile.ZipFile(sys.argv[1]).namelist()))' "build/$name.zip"
