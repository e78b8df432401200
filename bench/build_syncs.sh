#!/usr/bin/env bash
# Times a whole unattended build of one big sorted numbered list from cache
# files holding LINES file lines (no folder read again, "Update" 0), with
# its saved list (a listing copy per cache file), and counts the calls that
# flush data to disk. With a second quorvane binary (an older build, say)
# both run side by side in one hyperfine run, each on a program folder of
# its own.
#   bench/build_syncs.sh [BUILD_DIR] [LINES] [OTHER_QUORVANE]
set -euo pipefail
build="${1:-build-rel}"
lines="${2:-1000000}"
other="${3:-}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build/bench/build_generate_cache" "$work/home" "$lines" >/dev/null
rm "$work/home/lines.txt"
mkdir -p "$work/out" "$work/xdg"
sqlite3 "$work/home/settings.db" "INSERT OR REPLACE INTO settings VALUES
    ('Quorvane','Settings','SavePath','$work/out/big.txt'),
    ('Quorvane','Settings','BigList','True'),
    ('Quorvane','Settings','IncludeFileNums','1');"
cp -a "$work/home" "$work/home-other"
mkdir -p "$work/out-other"
sqlite3 "$work/home-other/settings.db" "INSERT OR REPLACE INTO settings VALUES
    ('Quorvane','Settings','SavePath','$work/out-other/big.txt');"

binaries=("$build/bin/quorvane")
homes=("$work/home")
if [ -n "$other" ]; then
    binaries+=("$other")
    homes+=("$work/home-other")
fi
commands=()
for i in "${!binaries[@]}"; do
    commands+=("env QUORVANE_HOME=${homes[$i]} XDG_DATA_HOME=$work/xdg ${binaries[$i]} auto")
done

hyperfine --warmup 1 --runs 5 "${commands[@]}"
for i in "${!binaries[@]}"; do
    echo "== ${binaries[$i]}"
    export QUORVANE_HOME="${homes[$i]}" XDG_DATA_HOME="$work/xdg"
    /usr/bin/time -f '  wall %e s, user %U s, system %S s, peak %M KB' "${binaries[$i]}" auto
    strace -f -c -o "$work/calls" -e trace=fsync,fdatasync,syncfs,rename,linkat,ioctl \
        "${binaries[$i]}" auto
    awk '$NF ~ /^(fsync|fdatasync|syncfs|rename|linkat|ioctl)$/ { print "  " $NF ": " $4 }' \
        "$work/calls"
done
