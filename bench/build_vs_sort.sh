#!/usr/bin/env bash
# Times the list body build from cache files holding LINES file lines (broken
# down by folders, and one big sorted numbered list) against
# `LC_ALL=C.UTF-8 sort -f` of the same lines, in one run.
#   bench/build_vs_sort.sh [BUILD_DIR] [LINES]
set -euo pipefail
build="${1:-build}"
lines="${2:-1000000}"
bin="$build/bench"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$bin/build_generate_cache" "$work" "$lines"
cat "$work"/*.txt >/dev/null  # warm the page cache

seconds() {  # seconds COMMAND...: wall time of one run
    local t0 t1
    t0=$(date +%s.%N)
    "$@" >/dev/null
    t1=$(date +%s.%N)
    echo "$t1 - $t0" | bc -l
}

sort_s=$(seconds env LC_ALL=C.UTF-8 sort -f "$work/lines.txt")
printf 'sort -f (C.UTF-8): %.3f s\n' "$sort_s"
for layout in broken-down big-numbered; do
    out=$("$bin/build_body" "$work" "$layout")
    echo "$out"
    build_s=$(echo "$out" | sed -E 's/.* ([0-9.]+) s,.*/\1/')
    printf '  ratio build / sort: %.2f\n' "$(echo "$build_s / $sort_s" | bc -l)"
done
