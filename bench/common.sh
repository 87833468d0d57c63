# What the Windows benchmark scripts share; sourced by them, after setting root to the project folder.
source "$root/scripts/common.sh"

# Runs the calling script again on a virtual display when there is none: bench_on_display "$0" "$@"
bench_on_display() {
    if [ -z "${DISPLAY:-}" ] && [ -z "${KORVA_BENCH_XVFB:-}" ]; then
        exec env KORVA_BENCH_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
    fi
}

# Configures a win64 tree with the benchmarks and builds the targets named:
#   bench_build_win64 <folder> <build type> <target>...
bench_build_win64() {
    local build=$1 type=$2
    shift 2
    cmake -S "$korva_root" -B "$build" -G Ninja --toolchain "$korva_root/cmake/mingw-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE="$type" -DKORVA_BENCH=ON -DKORVA_TESTS=OFF >/dev/null
    cmake --build "$build" --target "$@" >/dev/null
}
