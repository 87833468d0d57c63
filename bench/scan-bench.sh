#!/usr/bin/env bash
# Times a full recursive search for QCSG.EXE over a generated tree of 101,111 entries (build/bench-tree)
# and sets it beside the platform's own speed on the same tree:
#   - the scanner, win64 build under Wine, with Messages off and on (a window repaints meanwhile), and
#     for comparison with the message queue looked at after every entry instead of every 10 ms,
#   - a bare FindFirstFileW/FindNextFileW walk under Wine (list and recurse, nothing else),
#   - Wine's cmd /c dir /s /b,
#   - native find -iname qcsg.exe.
# Each is run RUNS times (5 by default) after one warm-up run; the best time counts. Scanner and bare
# walk are timed inside the programs; dir and find by the wall clock, with a bare walk timed the same
# way beside them. Prints figures and ratios; judges nothing.
set -euo pipefail
root=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
source "$root/bench/common.sh"
bench_on_display "$0" "$@"
runs="${RUNS:-5}"
build="$root/build/bench-win64"
tree="$root/build/bench-tree"

echo "building the win64 benchmark programs in $build"
bench_build_win64 "$build" Release korva_scan_bench korva_bare_walk

# 10 x 10 x 10 folders with 100 files in each of the 1,000 deepest, and one QCSG.EXE near the end.
if [ ! -f "$tree.complete" ]; then
    echo "generating $tree"
    rm -rf "$tree"
    for a in 0 1 2 3 4 5 6 7 8 9; do
        for b in 0 1 2 3 4 5 6 7 8 9; do
            for c in 0 1 2 3 4 5 6 7 8 9; do
                leaf="$tree/maps$a/textures$b/set$c"
                mkdir -p "$leaf"
                (cd "$leaf" && touch wall{000..099}.bmp)
            done
        done
    done
    touch "$tree/maps9/textures9/set9/QCSG.EXE"
    touch "$tree.complete"
fi

use_wine_prefix "$root/build/wine-bench"
"$korva_wine" wineserver -p
trap '"$korva_wine" wineserver -k 2>/dev/null || true' EXIT
wintree="Z:$(printf '%s' "$tree" | tr / '\\')"
scan="$build/bench/korva_scan_bench.exe"
bare="$build/bench/korva_bare_walk.exe"

field() { sed -n "s/.*$1=\([^ ]*\).*/\1/p"; }
now() { date +%s.%N; }
# best_wall <command...>: the shortest wall-clock time over the runs (after one warm-up run)
best_wall() {
    local start end lowest=""
    "$@" >/dev/null 2>&1
    for _ in $(seq "$runs"); do
        start=$(now)
        "$@" >/dev/null 2>&1
        end=$(now)
        lowest=$(awk -v s="$start" -v e="$end" -v b="$lowest" 'BEGIN { t = e - s; print (b == "" || t < b) ? t : b }')
    done
    echo "$lowest"
}

entries=$("$korva_wine" "$bare" "$wintree" | field entries)
folders=$("$korva_wine" "$bare" "$wintree" | field folders)
echo "tree: $entries entries in $folders folders; best of $runs runs"
echo

# The four programs timed inside take turns, so a change in the machine's load touches them alike.
bare_in="" off="" on="" every=""
lower() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a < b) ? a : b }'; }
"$korva_wine" "$bare" "$wintree" >/dev/null
"$korva_wine" "$scan" "$wintree" QCSG.EXE --no-messages >/dev/null
for _ in $(seq "$runs"); do
    bare_in=$(lower "$("$korva_wine" "$bare" "$wintree" | field seconds)" "$bare_in")
    off=$(lower "$("$korva_wine" "$scan" "$wintree" QCSG.EXE --no-messages | field seconds)" "$off")
    on=$(lower "$("$korva_wine" "$scan" "$wintree" QCSG.EXE --messages | field seconds)" "$on")
    every=$(lower "$("$korva_wine" "$scan" "$wintree" QCSG.EXE --messages-every-entry | field seconds)" "$every")
done
on_line=$("$korva_wine" "$scan" "$wintree" QCSG.EXE --messages)
small_line=$("$korva_wine" "$scan" "$wintree\\maps0\\textures0" QCSG.EXE --messages)
bare_wall=$(best_wall "$korva_wine" "$bare" "$wintree")
dir_wall=$(best_wall "$korva_wine" cmd /c "dir /s /b $wintree > NUL")
find_wall=$(best_wall find "$tree" -iname qcsg.exe)

row() { awk -v label="$1" -v t="$2" -v n="$entries" 'BEGIN { printf "  %-40s %8.3f s  %7.2f us/entry\n", label, t, t / n * 1e6 }'; }
ratio() { awk -v label="$1" -v a="$2" -v b="$3" 'BEGIN { printf "  %-40s %8.2f\n", label, a / b }'; }

echo "timed inside the programs:"
row "bare FindFirstFileW/FindNextFileW walk" "$bare_in"
row "scan for QCSG.EXE, Messages off" "$off"
row "scan for QCSG.EXE, Messages on" "$on"
row "scan, Messages on, queue every entry" "$every"
echo "  with Messages on the window repainted $(field paints <<<"$on_line") times during one scan" \
     "($(field window <<<"$on_line") window on screen)"
echo "  peak working set: $(field peak_kb <<<"$on_line") KB for the whole tree," \
     "$(field peak_kb <<<"$small_line") KB for one folder of 1,010 entries"
echo "wall clock, process start included:"
row "bare walk under Wine" "$bare_wall"
row "cmd /c dir /s /b under Wine" "$dir_wall"
row "native find -iname qcsg.exe" "$find_wall"
echo
echo "ratios:"
ratio "scan (Messages off) / bare walk" "$off" "$bare_in"
ratio "scan Messages on / Messages off" "$on" "$off"
ratio "queue looked at after every entry / off" "$every" "$off"
ratio "Wine dir /s / bare walk (wall)" "$dir_wall" "$bare_wall"
ratio "bare walk under Wine / native find (wall)" "$bare_wall" "$find_wall"
