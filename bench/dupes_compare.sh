#!/usr/bin/env bash
# Times the indexed duplicate search against the naive reference loop and
# checks that both list the same rows.
#
#   bench/dupes_compare.sh [BUILD_DIR] [NAIVE_LIMIT]
#
# Catalogues: the names of every file under /usr/share, and generated
# catalogues of 200,000 and 1,000,000 names; tolerances 0 and 3. Where a
# catalogue has more than NAIVE_LIMIT entries (default 60000), the naive loop
# runs on its first NAIVE_LIMIT entries only, the fast search runs on the
# same subset for the comparison, and the naive time of the whole catalogue
# is estimated from the subset (the loop is quadratic). Times are processor
# seconds of the search alone (wall seconds in brackets); memory is the
# peak resident size of the process.
set -euo pipefail

build="${1:-build}"
limit="${2:-60000}"
bench="$build/bin/dupes_bench"
generate="$build/bin/dupes_generate"
for program in "$bench" "$generate"; do
    [ -x "$program" ] || { echo "dupes_compare: $program is missing; build first" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

find /usr/share -type f 2>/dev/null | "$generate" --from-paths >"$work/usr-share.txt"
"$generate" 200000 1 >"$work/generated-200k.txt"
"$generate" 1000000 2 >"$work/generated-1m.txt"

# run MODE FILE TOLERANCE OUTPUT: sets cpu, wall, pairs and memory.
run() {
    local flags=()
    [ "$1" = naive ] && flags=(--naive)
    local report
    report="$("$bench" "${flags[@]}" "$2" "$3" 2>&1 >"$4")"
    cpu="$(sed -E 's/.*\(cpu ([0-9.]+) s\).*/\1/' <<<"$report")"
    wall="$(sed -E 's/.*search ([0-9.]+) s .*/\1/' <<<"$report")"
    pairs="$(sed -E 's/.* ([0-9]+) pairs.*/\1/' <<<"$report")"
    memory="$(sed -E 's/.*peak memory ([0-9]+) MB.*/\1/' <<<"$report")"
}

printf '%-20s %9s %3s %17s %8s %7s %31s %9s %9s\n' catalogue entries T "fast s (wall)" pairs "mem MB" \
    "naive s (wall) [on entries]" speed-up identical
for file in usr-share generated-200k generated-1m; do
    catalogue="$work/$file.txt"
    entries="$(wc -l <"$catalogue")"
    for tolerance in 0 3; do
        run fast "$catalogue" "$tolerance" "$work/fast.out"
        fastCpu="$cpu" fastWall="$wall" fastPairs="$pairs" fastMemory="$memory"
        if [ "$entries" -le "$limit" ]; then
            run naive "$catalogue" "$tolerance" "$work/naive.out"
            naiveText="$cpu ($wall) [all]"
            speedup="$(awk -v n="$cpu" -v f="$fastCpu" 'BEGIN { printf "%.0fx", n / (f > 0.0005 ? f : 0.0005) }')"
            cmp -s "$work/fast.out" "$work/naive.out" && same=yes || same=NO
        else
            head -n "$limit" "$catalogue" >"$work/subset.txt"
            run naive "$work/subset.txt" "$tolerance" "$work/naive.out"
            naiveCpu="$cpu"
            naiveText="$cpu ($wall) [$limit]"
            run fast "$work/subset.txt" "$tolerance" "$work/fast-subset.out"
            subsetCpu="$cpu"
            cmp -s "$work/fast-subset.out" "$work/naive.out" && same=yes || same=NO
            # Subset ratio, and the estimated naive time of the whole set
            # against the fast time of the whole set.
            speedup="$(awk -v n="$naiveCpu" -v s="$subsetCpu" -v f="$fastCpu" -v e="$entries" -v l="$limit" \
                'BEGIN { est = n * (e / l) ^ 2; printf "%.0fx/~%.0fx", n / (s > 0.0005 ? s : 0.0005), est / f }')"
        fi
        printf '%-20s %9s %3s %17s %8s %7s %31s %9s %9s\n' "$file" "$entries" "$tolerance" \
            "$fastCpu ($fastWall)" "$fastPairs" "$fastMemory" "$naiveText" "$speedup" "$same"
    done
done
echo "speed-up: naive / fast processor time; a/~b = measured on the subset / estimated for the whole catalogue"
