#!/usr/bin/env bash
# Developer entry point. On a fresh Debian machine:
#   ./dev.sh run     install what is missing, build, start quorvane
#   ./dev.sh test    install what is missing, build, run every test
# Also:
#   ./dev.sh build   install and build only
#   ./dev.sh asan    build and test with AddressSanitizer and UBSan, warnings as errors
#   ./dev.sh core    build the core alone, without Qt (proves it needs none)
#   ./dev.sh package build the Debian package (build-package/quorvane_*.deb)
#   ./dev.sh fuzz [SECONDS]  build the fuzz targets with clang and run each
#                    for SECONDS (default 60); findings go to build-fuzz/findings
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here"
jobs="$(nproc 2>/dev/null || echo 2)"

packages=(
    build-essential cmake ninja-build pkg-config ccache
    libsqlite3-dev libicu-dev libsystemd-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev
    strace
)
# What the tests of the installed tree validate with.
test_packages=(desktop-file-utils appstream man-db)
# What CPack needs to compute the package's dependencies.
package_packages=(dpkg-dev file)

# What the integration tests under tests/integration run against: the
# reference MP3 decoder, an IRC server with two clients, an audio player, a
# virtual display and private session buses. A test whose program is
# missing is skipped with its reason.
integration_packages=(
    python3 libglib2.0-bin lame ffmpeg ngircd weechat-headless weechat-plugins
    hexchat xvfb xauth dbus dbus-x11 audacious
)

# Only for ./dev.sh fuzz: libFuzzer comes with Debian's clang.
fuzz_packages=(clang-14 libclang-rt-14-dev)

missing_packages() {
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            echo "$p"
        fi
    done
}

install_packages() {
    local missing
    missing="$(missing_packages "$@")"
    [ -z "$missing" ] && return 0
    echo "dev.sh: installing: $(echo $missing | tr '\n' ' ')"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "dev.sh: these Debian packages are missing and I am not root: $missing" >&2
            exit 1
        fi
    fi
    "${sudo[@]}" apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing
}

# Installs what the integration tests need, as far as it can: a package
# that cannot be installed only makes its tests skip.
install_integration_packages() {
    local missing
    missing="$(missing_packages "${integration_packages[@]}")"
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null 2>&1; then
        echo "dev.sh: not installed, so their integration tests will be skipped: $(echo $missing | tr '\n' ' ')" >&2
        return 0
    fi
    # shellcheck disable=SC2086
    if ! (install_packages $missing); then
        local p
        for p in $missing; do
            (install_packages "$p") || echo "dev.sh: could not install $p; its integration tests will be skipped" >&2
        done
    fi
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
    local dir="$1"
    shift
    local strict=()
    [ "${CI:-}" = "true" ] && strict=(-DQUOR_WERROR=ON)
    cmake -S . -B "$dir" -G Ninja "${strict[@]}" "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

run_tests() {
    local dir="$1"
    ( cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 300 )
}

# Without a display: a demonstration list built unattended from a sample
# folder, in a temporary program folder that touches nothing of the user's.
demo_list() {
    local demo
    demo="$(mktemp -d /tmp/quorvane-demo.XXXXXX)"
    export QUORVANE_HOME="$demo/home"
    local sample="$demo/Sample Music"
    mkdir -p "$sample/Rock/Old" "$sample/Jazz" "$sample/Talks"
    head -c 3500000 /dev/zero > "$sample/Rock/Highway Song.mp3"
    head -c 1048576 /dev/zero > "$sample/Rock/Old/Anthem (1971).mp3"
    head -c 52000 /dev/zero > "$sample/Jazz/Blue Evening.ogg"
    head -c 900 /dev/zero > "$sample/Jazz/notes.txt"
    head -c 12000000 /dev/zero > "$sample/Talks/Keynote – Día 1.flac"
    mkdir -p "$QUORVANE_HOME"
    printf '%s\r\n' '<!DOCTYPE html>' '<html><head><meta charset="utf-8"><title>Sample Music</title></head>' \
        '<body>' '<!--header-->' '<!--list-->' '<!--footer-->' '</body></html>' > "$QUORVANE_HOME/Template.html"
    local settings=build/bin/quorvane-settings
    "$settings" add-folder "$sample" "Sample Music"
    "$settings" set Quorvane Settings IncludeFileSize 2
    "$settings" set Quorvane Settings IncludeFileDate 1
    "$settings" set Quorvane Settings SavePath "$demo/music.txt"
    build/bin/quorvane auto
    "$settings" set Quorvane Settings SavePath "$demo/music.html"
    "$settings" set Quorvane Settings HTML 1
    build/bin/quorvane auto
    echo "dev.sh: no display, so quorvane built a demonstration list unattended:"
    echo "  text list: $demo/music.txt"
    echo "  HTML list: $demo/music.html"
    echo "  program folder: $QUORVANE_HOME"
    echo
    cat "$demo/music.txt"
}

# run_fuzz_targets DIR SECONDS: every target for SECONDS on a working copy of
# its seed corpus; a crash, leak, sanitizer report or broken property fails.
run_fuzz_targets() {
    local dir="$1" seconds="$2" failed=0 target name runs
    mkdir -p "$dir/findings"
    for target in "$dir"/fuzz/*_fuzz; do
        name="$(basename "$target" _fuzz)"
        mkdir -p "$dir/corpus/$name"
        if [ -d "fuzz/corpus/$name" ]; then
            cp -n fuzz/corpus/"$name"/* "$dir/corpus/$name/" 2>/dev/null || true
        fi
        if "$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
            -rss_limit_mb=2048 -artifact_prefix="$dir/findings/$name-" \
            "$dir/corpus/$name" >"$dir/findings/$name.log" 2>&1; then
            runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/findings/$name.log")"
            echo "dev.sh fuzz: $name: ${runs:-?} runs, no finding"
        else
            echo "dev.sh fuzz: $name FAILED (see $dir/findings/$name.log):" >&2
            grep -E "property broken|ERROR|SUMMARY" "$dir/findings/$name.log" | head -5 >&2
            failed=1
        fi
    done
    return "$failed"
}

cmd="${1:-run}"
shift || true

case "$cmd" in
    build)
        install_packages "${packages[@]}"
        configure_and_build build
        ;;
    test)
        install_packages "${packages[@]}" "${test_packages[@]}"
        install_integration_packages
        configure_and_build build
        run_tests build
        ;;
    asan)
        install_packages "${packages[@]}" "${test_packages[@]}"
        configure_and_build build-asan -DQUOR_SANITIZE=ON -DQUOR_WERROR=ON -DQUOR_BUILD_BENCH=OFF \
            -DCMAKE_BUILD_TYPE=Debug
        ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
        ;;
    core)
        install_packages "${packages[@]}"
        configure_and_build build-core -DQUOR_BUILD_UI=OFF -DQUOR_BUILD_TESTS=OFF \
            -DQUOR_WERROR=ON -DQUOR_BUILD_BENCH=OFF
        ;;
    package)
        install_packages "${packages[@]}" "${package_packages[@]}"
        # -O2 as Debian builds its packages; the binaries are stripped.
        configure_and_build build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
            -DQUOR_BUILD_TESTS=OFF -DQUOR_BUILD_BENCH=OFF
        ( cd build-package && cpack -G DEB >/dev/null )
        echo "dev.sh: package: $(ls "$here"/build-package/quorvane_*.deb)"
        ;;
    fuzz)
        install_packages "${packages[@]}" "${fuzz_packages[@]}"
        CC=clang-14 CXX=clang++-14 configure_and_build build-fuzz -DQUOR_FUZZ=ON \
            -DQUOR_BUILD_UI=OFF -DQUOR_BUILD_TESTS=OFF -DQUOR_BUILD_BENCH=OFF
        run_fuzz_targets build-fuzz "${1:-60}"
        ;;
    run)
        install_packages "${packages[@]}"
        configure_and_build build
        if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ "$#" -gt 0 ]; then
            exec build/bin/quorvane "$@"
        fi
        demo_list
        ;;
    *)
        echo "usage: ./dev.sh [run|test|build|asan|core|package|fuzz [SECONDS]]" >&2
        exit 2
        ;;
esac
