# Shared by run.sh and test.sh: installs missing Debian packages and sets up the project's Wine
# environment. Sourced, not run.

# Everything the program, its tests, benchmarks and fuzzers need on a fresh Debian machine. wine32:i386
# is Wine's 32-bit part, which runs the 32-bit release beside the 64-bit program where the machine runs
# 32-bit programs at all; scripts/wine finds out and runs Wine without it where it does not.
KORVA_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev
                g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
                wine wine64 wine32:i386 fonts-wine xvfb xauth googletest libbenchmark-dev)

korva_root=$(CDPATH= cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
# Stands for `wine` (see the script): every Wine program of the project is started through it.
korva_wine="$korva_root/scripts/wine"

# Each release program is at most 384 KB.
korva_size_limit=393216

# Prints a release program's size; fails when it is over the limit.
check_program_size() {
    local size
    size=$(stat -c %s "$1")
    if [ "$size" -gt "$korva_size_limit" ]; then
        echo "$1: $size bytes, more than the $korva_size_limit bytes (384 KB) a release program may have" >&2
        return 1
    fi
    echo "$1: $size bytes (at most $korva_size_limit)"
}

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
    # A package of another architecture (wine32:i386) needs that architecture known to dpkg, and then
    # the package lists of it.
    local arch fresh_lists=""
    for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*:\([a-z0-9]*\)$/\1/p' | sort -u); do
        if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
            as_root dpkg --add-architecture "$arch"
            fresh_lists=yes
        fi
    done
    [ -n "$fresh_lists" ] && as_root apt-get update
    if ! as_root apt-get install -y --no-install-recommends "${missing[@]}"; then
        as_root apt-get update
        as_root apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

# The project's own Wine prefix (never the user's), quiet, and without the Mono and Gecko prompts; set up
# once (see scripts/init-wine-prefix.sh).
# use_wine_prefix PREFIX [--test]
use_wine_prefix() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    "$korva_root/scripts/init-wine-prefix.sh" "$@"
}
