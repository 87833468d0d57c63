#!/usr/bin/env bash
# Builds the mask benchmark natively (Release, in build/bench-native) and runs it: ns per name for each
# mask, korva's matcher beside glibc's fnmatch. Extra arguments go to Google Benchmark.
set -euo pipefail
root=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
build="$root/build/bench-native"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVA_BENCH=ON -DKORVA_TESTS=OFF >/dev/null
cmake --build "$build" --target korva_mask_bench >/dev/null
"$build/bench/korva_mask_bench" --benchmark_min_time=0.5 "$@"
