#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for a bounded time, FUZZ_SECONDS
# each (15 by default; set it higher for a long run by hand): the masks and path joining, then the
# picture decoder. Prints each run's executions and peak memory.
# Exit status non-zero on a crash, a sanitizer report, an unexpected exception or a hang
# (an input that takes over 10 seconds). Crash inputs land in build/fuzz/artifacts.
set -euo pipefail
root=$(CDPATH= cd -- "$(dirname -- "$0")/../.." && pwd)
build="$root/build/fuzz"
seconds="${FUZZ_SECONDS:-15}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVA_FUZZ=ON >/dev/null
cmake --build "$build" --target korva_mask_fuzz korva_picture_fuzz

# The corpora grow from run to run. The masks' starts with a few masks of every kind; the pictures'
# with the browse buttons' pictures the program ships (the large one would slow every run down).
masks="$build/corpus/masks"
pictures="$build/corpus/pictures"
mkdir -p "$masks" "$pictures" "$build/artifacts"
if [ -z "$(ls -A "$masks")" ]; then
    i=0
    for seed in '\0QCSG.EXE\0qcsg.exe' '\0*.EXE\0a.b.exe\0exe' '\0*[!a]\0aaa\0ab' '\0a*b*c*d\0aXbYcZd' \
                '\0[a-c-e]x\0dx' '\0[_-a]\0_' '\0[a-]x]\0]' '\0[!]\0' '\0*a*a*a*a*a*a*b\0aaaaaaaaaaaaaaaa' \
                '\1*.exe , *.com,,x;y\0X.COM' '\1[a,b]\0a' '\2C:\\Tools\0QCSG.EXE' '\2C:\\\x95\\\0a'; do
        printf "$seed" >"$masks/seed$((i++))"
    done
fi
[ -n "$(ls -A "$pictures")" ] || cp "$root"/res/folder*.kpx "$pictures/"

# fuzz NAME CORPUS MAX_LEN: one run; its figures, and the whole output in build/fuzz/NAME.log.
fuzz() {
    local log="$build/$1.log" status=0
    "$build/tests/fuzz/korva_$1_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$3" -print_final_stats=1 -artifact_prefix="$build/artifacts/$1-" "$2" >"$log" 2>&1 || status=$?
    echo "-- $1:"
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)|==[0-9]+==|SUMMARY|broken|ERROR|Test unit written' "$log" || true
    [ "$status" -eq 0 ] || echo "fuzzing the $1 failed (exit $status); the whole output is in $log"
    return "$status"
}

status=0
fuzz mask "$masks" 512 || status=$?
fuzz picture "$pictures" 4096 || status=$?
exit "$status"
