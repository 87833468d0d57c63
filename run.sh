#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit program and starts KORVA under Wine on this display.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$korva_root"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display (DISPLAY is not set). Start KORVA from a graphical session," >&2
    echo "or use ./test.sh, which runs everything on a virtual display." >&2
    exit 1
fi

ensure_packages "${KORVA_PACKAGES[@]}"
cmake --preset win64 >/dev/null
cmake --build --preset win64
use_wine_prefix "$korva_root/build/wine"
# KORVA keeps KORVA.INI beside the program, so it runs from its own folder in the build tree.
exec "$korva_wine" "$korva_root/build/win64/korva.exe"
