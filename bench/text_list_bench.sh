#!/usr/bin/env bash
# Searches a large text list with quorfind and with grep, both writing their
# output to a file (GNU grep stops at the first match when its output is
# /dev/null):
#
#   bench/text_list_bench.sh [BUILD_DIR] [WORK_DIR] [SIZE_MB]
#
# BUILD_DIR holds bin/quorfind (default: build). WORK_DIR (default:
# /tmp/quor-text-bench) receives the generated lists, made once and kept.
# For a list of SIZE_MB (default 100) megabytes of short lines (about 30
# bytes, CR LF), prints the median time (hyperfine) and the peak memory
# (/usr/bin/time -v) of
#   quorfind --search TEXT --text-list LIST > out
#   grep -i -F TEXT LIST > out
# for a search every line matches (".mp3") and a selective one; then the
# peak memory of quorfind listing every line of 150 MB of 3-byte lines.
# Needs hyperfine and GNU time (Debian packages hyperfine, time).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-$here/../build}"
work="${2:-/tmp/quor-text-bench}"
size_mb="${3:-100}"
quorfind="$build/bin/quorfind"
[ -x "$quorfind" ] || { echo "build $quorfind first (cmake --build $build --target quorfind)" >&2; exit 1; }
for tool in hyperfine /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (apt-get install hyperfine time)" >&2; exit 1; }
done

mkdir -p "$work/home"
export QUORVANE_HOME="$work/home"  # no settings of the user's are read or written
list="$work/short-$size_mb.txt"
tiny="$work/three-byte.txt"
if [ ! -f "$list" ]; then
    awk -v bytes="$((size_mb * 1000 * 1000))" 'BEGIN {
        for (i = 0; total < bytes; i++) {
            line = sprintf("Artist %d - Title %d.mp3\r\n", i % 4999, i)
            printf "%s", line
            total += length(line)
        }
    }' >"$list"
fi
if [ ! -f "$tiny" ]; then
    awk 'BEGIN { for (i = 0; i < 37500000; i++) printf "%03d\n", i % 1000 }' >"$tiny"
fi

median() {  # JSON file of hyperfine: the median of its one command, in seconds
    python3 -c 'import json,sys; print("%.3f" % json.load(open(sys.argv[1]))["results"][0]["median"])' "$1"
}

peak_mb() {  # command...: its peak resident memory, in MB
    /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F: '/Maximum resident/ { printf "%.0f", $2 / 1024 }'
}

compare() {  # TEXT DESCRIPTION
    local text="$1" what="$2"
    hyperfine --warmup 1 --runs 5 --export-json "$work/q.json" \
        "'$quorfind' --search '$text' --text-list '$list' > '$work/q.out'" >/dev/null 2>&1
    hyperfine --warmup 1 --runs 5 --export-json "$work/g.json" \
        "grep -i -F '$text' '$list' > '$work/g.out'" >/dev/null 2>&1
    local q g rows qmem gmem
    q="$(median "$work/q.json")"
    g="$(median "$work/g.json")"
    rows="$(wc -l <"$work/q.out")"
    qmem="$(peak_mb sh -c "'$quorfind' --search '$text' --text-list '$list' > '$work/q.out'")"
    gmem="$(peak_mb sh -c "grep -i -F '$text' '$list' > '$work/g.out'")"
    printf '%-28s rows %9d  quorfind %7ss %6s MB   grep %7ss %6s MB   time ratio %s\n' \
        "$what" "$rows" "$q" "$qmem" "$g" "$gmem" "$(echo "scale=2; $q / $g" | bc -l)"
}

echo "list: $list ($(du -m "$list" | cut -f1) MB, $(wc -l <"$list") lines)"
compare ".mp3" "every line matches"
compare "title 4242" "selective"
echo "list: $tiny ($(du -m "$tiny" | cut -f1) MB of 3-byte lines)"
printf '%-28s quorfind peak %s MB\n' "every line matches" \
    "$(peak_mb sh -c "'$quorfind' --search '' --text-list '$tiny' > '$work/q.out'")"
