#!/usr/bin/env bash
# Whole runs of the programs beside the reference tools, in one run, with
# medians (hyperfine, warm cache) and peak memory (GNU time):
#
#   bench/speed_table.sh BUILD_DIR [WORK_DIR] [RUNS]
#
# BUILD_DIR (a Release build) holds bin/quorvane, bin/quorfind, bin/search_bench
# and bench/{bench_home,build_generate_cache}. WORK_DIR (default
# /tmp/quor-speed) receives the generated trees and lists, made once and
# kept. Rows:
#   quorvane auto, 200,000 files (size, date)   find -printf '%s %t %p\n' > file
#   quorvane auto, /usr/share (size, date)      the same find
#   big sorted numbered list, 1M cache lines    LC_ALL=C.UTF-8 sort -f > file
#   10,000 MP3, bitrate and length              the same build without them
#   own list of 1M entries, "love"              grep -i -F > file
#   own list of 1M entries, "winter girl"       grep -i -F > file
# Needs hyperfine, GNU time, python3 (Debian packages hyperfine, time).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$(cd "${1:?usage: speed_table.sh BUILD_DIR [WORK_DIR] [RUNS]}" && pwd)"
work="${2:-/tmp/quor-speed}"
runs="${3:-5}"
quorvane="$build/bin/quorvane"
quorfind="$build/bin/quorfind"
for tool in "$quorvane" "$quorfind" "$build/bin/search_bench" "$build/bench/bench_home" \
    "$build/bench/build_generate_cache"; do
    [ -x "$tool" ] || { echo "build $tool first" >&2; exit 1; }
done
for tool in hyperfine /usr/bin/time python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (apt-get install hyperfine time)" >&2; exit 1; }
done
mkdir -p "$work"

# The inputs, made once.
[ -d "$work/files" ] || python3 "$here/make_scan_tree.py" files "$work/files" >/dev/null
[ -d "$work/mp3" ] || python3 "$here/make_scan_tree.py" mp3 "$work/mp3" >/dev/null
[ -f "$work/big/lines.txt" ] || "$build/bench/build_generate_cache" "$work/big" 1000000 >/dev/null
[ -f "$work/own/data/bench.lst" ] || "$build/bin/search_bench" "$work/own" 1000000 >/dev/null 2>&1 || true
[ -f "$work/own/data/bench.lst" ] || { echo "search_bench did not lay out $work/own" >&2; exit 1; }

# Program folders, set up afresh on every run of this script.
home() {  # NAME OPTIONS...: a program folder, its path on standard output
    local dir="$work/home-$1"
    shift
    rm -rf "$dir"
    "$build/bench/bench_home" "$dir" "$@"
    echo "$dir"
}
tree_home=$(home tree --tree "$work/files" --columns size,date)
share_home=$(home share --tree /usr/share --columns size,date)
mp3_home=$(home mp3 --tree "$work/mp3" --columns size,date,mp3,length)
plain_home=$(home plain --tree "$work/mp3" --columns size,date)
big_home="$work/big"
"$build/bench/bench_home" "$big_home" --big
"$build/bench/bench_home" "$work/own" --own-list bench
dats=("$work"/own/data/bench*.dat)

auto() { echo "QUORVANE_HOME='$1' '$quorvane' auto >/dev/null 2>&1"; }
search() { echo "QUORVANE_HOME='$work/own' '$quorfind' --search '$1' > '$work/q.out'"; }
grep_own() { echo "grep -h -i -F '$1' ${dats[*]} > '$work/g.out'"; }
find_tree() { echo "find '$1' -type f -printf '%s %t %p\n' > '$work/f.out'"; }

# Reads hyperfine's JSON: "median_ours median_ref cpu_ours cpu_ref".
medians() {
    python3 -c '
import json, sys
r = json.load(open(sys.argv[1]))["results"]
print(" ".join("%.3f" % x for x in
      (r[0]["median"], r[1]["median"], r[0]["user"] + r[0]["system"], r[1]["user"] + r[1]["system"])))' "$1"
}

peak_mb() {  # SHELL COMMAND: its peak resident memory, in MB
    /usr/bin/time -f '%M' -o "$work/peak" sh -c "$1" >/dev/null 2>&1 || true
    # The last line: a failed command's status line comes first.
    awk 'END { printf "%.0f", $1 / 1024 }' "$work/peak"
}

printf '%-40s %9s %7s %9s   %-26s %9s %7s %9s   %s\n' work ours peak cpu reference ref peak cpu \
    "ratio (wall, cpu)"
row() {  # LABEL OURS REFERENCE-LABEL REFERENCE
    local label="$1" ours="$2" rlabel="$3" ref="$4"
    # -i: a search that finds nothing ends with status 1, like grep.
    hyperfine -i --warmup 1 --runs "$runs" --export-json "$work/h.json" "$ours" "$ref" \
        >/dev/null 2>"$work/hyperfine.log" || { cat "$work/hyperfine.log" >&2; return 1; }
    read -r q r qc rc <<<"$(medians "$work/h.json")"
    printf '%-40s %8ss %5sMB %8ss   %-26s %8ss %5sMB %8ss   %.2f× %.2f×\n' "$label" "$q" \
        "$(peak_mb "$ours")" "$qc" "$rlabel" "$r" "$(peak_mb "$ref")" "$rc" \
        "$(echo "$q / $r" | bc -l)" "$(echo "$qc / $rc" | bc -l)"
}

row "quorvane auto, 200k files" "$(auto "$tree_home")" "find -printf" "$(find_tree "$work/files")"
row "quorvane auto, /usr/share" "$(auto "$share_home")" "find -printf" "$(find_tree /usr/share)"
row "big numbered list, 1M lines (Update 0)" "$(auto "$big_home")" "sort -f (C.UTF-8)" \
    "LC_ALL=C.UTF-8 sort -f '$big_home/lines.txt' > '$work/s.out'"
row "10k MP3, bitrate and length" "$(auto "$mp3_home")" "the same without them" "$(auto "$plain_home")"
row "own list 1M, \"love\" ($(grep -h -i -F love "${dats[@]}" | wc -l) rows)" "$(search love)" \
    "grep -i -F > file" "$(grep_own love)"
row "own list 1M, \"winter girl\" ($(grep -h -i -F 'winter girl' "${dats[@]}" | wc -l) rows)" \
    "$(search 'winter girl')" "grep -i -F > file" \
    "$(grep_own 'winter girl')"
