# Shared by run.sh and test.sh: installs missing Debian packages and sets up the project's Wine
# environment. Sourced, not run.

# Everything the program, its tests, benchmarks and fuzzers need on a fresh Debian machine.
KORVA_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev
                g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
                wine wine64 fonts-wine xvfb xauth googletest libbenchmark-dev)

korva_root=$(CDPATH= cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the packages that are not installed yet; does nothing (and needs no network) when all are.
ensure_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if ! as_root apt-get install -y --no-install-recommends "${missing[@]}"; then
        as_root apt-get update
        as_root apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

# The project's own Wine prefix (never the user's), quiet, and without the Mono and Gecko prompts.
# use_wine_prefix PREFIX [--test]
use_wine_prefix() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Setting up the Wine prefix $WINEPREFIX (once)"
        "$korva_root/scripts/init-wine-prefix.sh" "$@"
    fi
}
