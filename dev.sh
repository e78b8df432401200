#!/usr/bin/env bash
# Developer entry point. On a fresh Debian machine:
#   ./dev.sh run     install what is missing, build, start quorvane
#   ./dev.sh test    install what is missing, build, run every test
# Also:
#   ./dev.sh build   install and build only
#   ./dev.sh asan    build and test with AddressSanitizer and UBSan, warnings as errors
#   ./dev.sh core    build the core alone, without Qt (proves it needs none)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here"
jobs="$(nproc 2>/dev/null || echo 2)"

packages=(
    build-essential cmake ninja-build pkg-config ccache
    libsqlite3-dev libicu-dev libsystemd-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev
)

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

cmd="${1:-run}"
shift || true

case "$cmd" in
    build)
        install_packages "${packages[@]}"
        configure_and_build build
        ;;
    test)
        install_packages "${packages[@]}"
        configure_and_build build
        run_tests build
        ;;
    asan)
        install_packages "${packages[@]}"
        configure_and_build build-asan -DQUOR_SANITIZE=ON -DQUOR_WERROR=ON -DQUOR_BUILD_BENCH=OFF \
            -DCMAKE_BUILD_TYPE=Debug
        ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build-asan
        ;;
    core)
        install_packages "${packages[@]}"
        configure_and_build build-core -DQUOR_BUILD_UI=OFF -DQUOR_BUILD_TESTS=OFF \
            -DQUOR_WERROR=ON -DQUOR_BUILD_BENCH=OFF
        ;;
    run)
        install_packages "${packages[@]}"
        configure_and_build build
        exec build/bin/quorvane "$@"
        ;;
    *)
        echo "usage: ./dev.sh [run|test|build|asan|core]" >&2
        exit 2
        ;;
esac
