#!/usr/bin/env bash
# Times KORVA's start beside a bare Win32 window's, under Wine (win64 build): from the start to its top
# window on the screen, PAIRS pairs (9 by default), the two programs taking turns, after one warm-up
# start of each. KORVA starts configured (a KORVA.INI beside it names a game folder), so no first-start
# box comes before its window. Two ways of starting are timed:
#   - from the shell, with the wine command, as a user's launcher starts a program (the headline): a
#     watcher inside Wine notes when the window shows and closes it;
#   - inside Wine, with CreateProcess: the program's own start, with less of Wine's around it.
# Prints each pair, the medians, the working set after start, and last the median of the pairs'
# ratios (KORVA / bare window) from the shell. A measurement: judges nothing.
#   bench/start-bench.sh                  the korva.exe built from this checkout
#   KORVA_EXE=path bench/start-bench.sh   another korva.exe (an older build, to compare)
set -euo pipefail
root=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
source "$root/bench/common.sh"
bench_on_display "$0" "$@"
pairs="${PAIRS:-9}"
build="$root/build/bench-start-win64" # the release build type, as korva.exe ships
work="$root/build/bench-start"

echo "building korva.exe and the start benchmark programs (win64) in $build"
bench_build_win64 "$build" MinSizeRel korva korva_bare_window korva_start_timer

# The program in a folder of its own, configured, so that its start is the everyday one.
rm -rf "$work" && mkdir -p "$work/korva"
cp "${KORVA_EXE:-$build/korva.exe}" "$work/korva/korva.exe"
printf '[General]\r\nVersion=150\r\nRunHL=0\r\nComMode=0\r\n[Folders]\r\nGameDir=C:\\Games\\Half-Life\\\r\nToolsDir=C:\\Tools\\\r\nMapsDir=C:\\Maps\\\r\nMapname=No map selected\r\n' \
    >"$work/korva/KORVA.INI"
cp "$build/bench/korva_bare_window.exe" "$work/bare.exe"

use_wine_prefix "$root/build/wine-bench"
"$korva_wine" wineserver -p
trap '"$korva_wine" wineserver -k 2>/dev/null || true' EXIT
windows() { printf 'Z:%s' "$1" | tr / '\\'; }
timer="$build/bench/korva_start_timer.exe"
korva="$(windows "$work/korva/korva.exe")"
bare="$(windows "$work/bare.exe")"

# The medians and ratios of lines "pair=<n> a_ms=<t> b_ms=<t> a_kb=<k> b_kb=<k>" (a: KORVA, b: bare).
report() {
    awk -v last="$1" '
    function median(list, n,    i, j, t) {
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && list[j - 1] > list[j]; j--) { t = list[j]; list[j] = list[j - 1]; list[j - 1] = t }
        return n % 2 ? list[(n + 1) / 2] : (list[n / 2] + list[n / 2 + 1]) / 2
    }
    {
        for (i = 1; i <= NF; i++) { split($i, kv, "="); f[kv[1]] = kv[2] }
        n++
        korva[n] = f["a_ms"]; bare[n] = f["b_ms"]; ratio[n] = f["a_ms"] / f["b_ms"]
        korvaKb[n] = f["a_kb"]; bareKb[n] = f["b_kb"]
        printf "pair %2d: KORVA %7.1f ms, bare window %7.1f ms, ratio %.2f\n", n, korva[n], bare[n], ratio[n]
    }
    END {
        if (!n) { print "no pair was timed" > "/dev/stderr"; exit 1 }
        printf "median start: KORVA %.1f ms, bare window %.1f ms\n", median(korva, n), median(bare, n)
        printf "median working set after start: KORVA %d KB, bare window %d KB\n", median(korvaKb, n), median(bareKb, n)
        printf "median of the pair ratios (KORVA / bare window)%s: %.2f\n", last, median(ratio, n)
    }'
}

echo "$pairs pairs, taking turns; each timed from its start to its window on the screen"
echo
echo "inside Wine (CreateProcess):"
"$korva_wine" "$timer" "$pairs" "$korva" "$bare" | tr -d '\r' | report " inside Wine"
echo

# From the shell: the watcher notes each window and closes it, which ends the wine command.
watch="$work/watch.txt"
"$korva_wine" "$timer" watch $((2 * pairs + 2)) TfrmMain KorvaBareWindow >"$watch" &
until grep -q ready "$watch" 2>/dev/null; do sleep 0.1; done
lines() { tr -d '\r' <"$watch" | wc -l; }
# start <program>: "<milliseconds> <working set KB>" of one start from the shell
start() {
    local begin line seen
    seen=$(($(lines) + 1))
    begin=$(date +%s.%N)
    "$korva_wine" "$1" >/dev/null 2>&1
    until [ "$(lines)" -ge "$seen" ]; do sleep 0.05; done
    line=$(tr -d '\r' <"$watch" | sed -n "${seen}p")
    awk -v b="$begin" -v l="$line" 'BEGIN { split(l, p, " "); split(p[2], at, "="); split(p[3], kb, "=");
        printf "%.1f %d", (at[2] - b) * 1000, kb[2] }'
}
start "$korva" >/dev/null
start "$bare" >/dev/null
echo "from the shell (the wine command):"
for pair in $(seq "$pairs"); do
    if [ $((pair % 2)) -eq 1 ]; then
        k=$(start "$korva"); b=$(start "$bare")
    else
        b=$(start "$bare"); k=$(start "$korva")
    fi
    echo "pair=$pair a_ms=${k% *} b_ms=${b% *} a_kb=${k#* } b_kb=${b#* }"
done | report " from the shell"
wait
