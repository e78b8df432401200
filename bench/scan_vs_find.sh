#!/usr/bin/env bash
# Times the folder scanner against find on the same warm trees, in one run:
#
#   bench/scan_vs_find.sh [BUILD_DIR] [WORK_DIR]
#
# BUILD_DIR holds bench/scan_bench (default: build). WORK_DIR (default:
# /tmp/quor-bench) receives the generated trees, made once and kept.
# Prints, for the generated 200,000-file tree and for /usr/share, the best
# of three runs of a scan with size and date columns and of
#   find TREE -type f -printf '%s %t %p\n' >/dev/null
# and their ratio; then the MP3 column ratio on 10,000 MP3 files (scan
# with bitrate and length against the scan without, once with no other
# column and once beside size and date).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-$here/../build}"
work="${2:-/tmp/quor-bench}"
bench="$build/bench/scan_bench"
[ -x "$bench" ] || { echo "build $bench first (cmake --build $build --target scan_bench)" >&2; exit 1; }

mkdir -p "$work"
[ -d "$work/files" ] || python3 "$here/make_scan_tree.py" files "$work/files"
[ -d "$work/mp3" ] || python3 "$here/make_scan_tree.py" mp3 "$work/mp3"

# Best of three wall-clock seconds of a command.
best_of_three() {
    local best="" t
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc -l)
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
    done
    printf '%.3f' "$best"
}

scan_seconds() {  # TREE COLUMNS
    "$bench" "$1" --columns "$2" --repeat 3 | sed -n 's/^scan \([0-9.]*\) s.*/\1/p'
}

compare_with_find() {  # LABEL TREE
    local label="$1" tree="$2"
    find "$tree" -type f -printf '%s %t %p\n' >/dev/null 2>&1 || true  # warm the cache
    local f s
    f=$(best_of_three find "$tree" -type f -printf '%s %t %p\n')
    s=$(scan_seconds "$tree" size,date)
    printf '%-28s find %7.3f s   scan %7.3f s   scan/find %.2f\n' "$label" "$f" "$s" \
        "$(echo "$s / $f" | bc -l)"
}

echo "files: $(find "$work/files" -type f | wc -l) in $(find "$work/files" -type d | wc -l) folders"
compare_with_find "generated tree" "$work/files"
compare_with_find "/usr/share" /usr/share

"$bench" "$work/mp3" --columns "" --repeat 1 >/dev/null  # warm
for base in "" size,date; do
    plain=$(scan_seconds "$work/mp3" "$base")
    mp3=$(scan_seconds "$work/mp3" "${base:+$base,}mp3,length")
    printf '%-28s without %6.3f s   with bitrate+length %6.3f s   ratio %.2f\n' \
        "10,000 MP3 [${base:-no columns}]" "$plain" "$mp3" "$(echo "$mp3 / $plain" | bc -l)"
done
