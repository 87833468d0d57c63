#!/usr/bin/env bash
# Takes screenshots of KORVA's windows on a virtual display, for the README:
#   scripts/screenshots.sh            writes docs/screenshots/*.png
# The four windows at 100% (96 DPI), and the main window at 150% (144 DPI, main-150.png). Under Wine the
# display's DPI is LogPixels in HKCU\Control Panel\Desktop, read by each program as it starts.
# Builds the 64-bit program and the tool that drives it; installs xwd and ImageMagick when they are missing.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$korva_root"

ensure_packages "${KORVA_PACKAGES[@]}" x11-apps imagemagick
cmake --preset win64 >/dev/null
cmake --build --preset win64 >/dev/null
cmake --preset win64-tests >/dev/null
cmake --build --preset win64-tests --target korva_shots >/dev/null
use_wine_prefix "$korva_root/build/wine-shots" --test
# The caption buttons are letters of the Marlett font; without it Wine draws them as "0 1 r" in a text
# font. Debian's Wine 8.0 finds none of its own fonts (package fonts-wine, in /usr/share/wine/fonts):
# it looks for them under "usr\share\wine\../fonts", a path its file layer does not resolve
# (WINEDEBUG=+file says "not found"). Marlett goes into the prefix's Fonts folder, which Wine reads;
# the text keeps the system's fonts, which the tests see too.
ln -sfn /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"

out="$korva_root/docs/screenshots"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Nothing of Wine may run before the virtual display exists: a Wine desktop made without a display
# would be shared by the programs started on it. So no winepath here; Z: is the Unix root.
"$korva_wine" wineserver -k 2>/dev/null || true
winout="Z:${out//\//\\}"
mkdir -p "$out"
cp build/win64/korva.exe "$work/"
# The settings of a configured designer, so the window opens on a map, as after a few runs.
printf '[General]\r\nVersion=150\r\nRunHL=1\r\nComMode=1\r\n[Folders]\r\nGameDir=D:\\Games\\HL\\\r\nToolsDir=D:\\Tools\\Compile\\\r\nMapsDir=D:\\Editor\\maps\\\r\nMapname=D:\\Editor\\maps\\castle.map\r\n' > "$work/KORVA.INI"

# shoot DPI SUFFIX: starts KORVA at that DPI on a fresh virtual display and captures its windows. The
# DPI is set on that display too, before KORVA starts.
shoot() {
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        set -e
        "$4" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d "$6" /f >/dev/null
        "$4" "$1/korva.exe" & korva=$!
        "$4" "$2" "$3" "$5" >/dev/null
        kill $korva 2>/dev/null || true
        "$4" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null
    ' _ "$work" "$korva_root/build/win64-tests/tests/korva_shots.exe" "$winout" "$korva_wine" "$2" "$1"
    "$korva_wine" wineserver -k 2>/dev/null || true
}
shoot 96 ""
shoot 144 "-150"
# Of the windows at 150%, the README shows the main window.
rm -f "$out"/about-150.bmp "$out"/config-150.bmp "$out"/select-150.bmp
for bmp in "$out"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls -l "$out"
