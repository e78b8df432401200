#!/usr/bin/env bash
# Checks an installed tree of quorvane and quorfind.
#
#   check_install.sh install  BUILD PREFIX   installs BUILD into PREFIX afresh,
#                                            nothing outside it
#   check_install.sh CHECK    BUILD PREFIX   runs one check on PREFIX:
#     entries    the desktop entries pass desktop-file-validate; their
#                programs and icons are installed
#     metainfo   the AppStream metainfo passes appstreamcli validate --no-net
#                and names installed desktop entries
#     manuals    the manual pages render with man -l without a warning
#     help       every link and image of the help pages names an installed
#                file (and an anchor that the page has)
#     units      the systemd user units pass systemd-analyze verify, and the
#                service's command line rebuilds a saved list
#     programs   --version and --help of the installed programs
#     auto       the installed quorvane auto, run as cron runs it, builds an
#                HTML list through the installed sample template
#
# Exit status: 0 passed, 1 failed (with the reasons on standard error), 77
# skipped because a validator is not installed.
set -euo pipefail

check="$1"
build="$2"
prefix="$3"
share="$prefix/share"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

need() {
    if ! command -v "$1" >/dev/null 2>&1; then
        echo "SKIP: $1 is not installed (Debian package $2)"
        exit 77
    fi
}

finish() {
    if [ "$failures" -gt 0 ]; then
        echo "$failures problem(s) in $check" >&2
        exit 1
    fi
    echo "$check: passed"
}

# A temporary folder in $scratch, removed when the check ends.
make_scratch() {
    scratch="$(mktemp -d "${TMPDIR:-/tmp}/quor-install-check.XXXXXX")"
    trap 'rm -rf "$scratch"' EXIT
}

# The value of KEY= in the [Desktop Entry] group of a desktop file.
desktop_key() {
    sed -n '/^\[Desktop Entry\]/,/^\[/{s/^'"$2"'=//p}' "$1" | head -n 1
}

check_install() {
    rm -rf "$prefix"
    cmake --install "$build" --prefix "$prefix" >/dev/null
    [ -x "$prefix/bin/quorvane" ] || fail "quorvane was not installed"
    # Everything goes below the prefix (a package is built the same way).
    local file
    while IFS= read -r file; do
        case "$file" in
            "$prefix"/*) ;;
            *) fail "installed outside the prefix: $file" ;;
        esac
    done <"$build/install_manifest.txt"
}

check_entries() {
    need desktop-file-validate desktop-file-utils
    local entry count=0
    for entry in "$share"/applications/*.desktop; do
        count=$((count + 1))
        desktop-file-validate "$entry" || fail "$entry does not validate"
        local exec icon
        exec="$(desktop_key "$entry" Exec)"
        icon="$(desktop_key "$entry" Icon)"
        [ -x "$prefix/bin/${exec%% *}" ] || fail "$entry starts ${exec%% *}, which is not installed"
        [ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$entry: no icon $icon.svg"
    done
    [ "$count" -eq 2 ] || fail "expected 2 desktop entries, found $count"
}

check_metainfo() {
    need appstreamcli appstream
    local file count=0
    for file in "$share"/metainfo/*.metainfo.xml; do
        count=$((count + 1))
        appstreamcli validate --no-net --pedantic "$file" || fail "$file does not validate"
        local id
        id="$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$file")"
        [ -f "$share/applications/$id" ] || fail "$file launches $id, which is not installed"
    done
    [ "$count" -eq 2 ] || fail "expected 2 metainfo files, found $count"
}

check_manuals() {
    need man man-db
    local page count=0
    for page in "$share"/man/man1/*.1.gz; do
        count=$((count + 1))
        local warnings text
        warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)" ||
            fail "$page does not render"
        [ -z "$warnings" ] || fail "$page: $warnings"
        text="$(LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$page" 2>/dev/null)" || true
        for section in NAME SYNOPSIS DESCRIPTION FILES "EXIT STATUS"; do
            grep -q "^$section" <<<"$text" || fail "$page has no $section section"
        done
    done
    [ "$count" -eq 3 ] || fail "expected 3 manual pages, found $count"
}

check_help() {
    local help="$share/quorvane/help"
    local root page target file anchor
    root="$(realpath "$prefix")"
    [ -f "$help/index.html" ] || fail "no help/index.html"
    for page in "$help"/*.html; do
        grep -q '<link rel="stylesheet" href="style.css">' "$page" || fail "$page lacks the style sheet"
        while IFS= read -r target; do
            case "$target" in
                http://* | https://* | mailto:*) continue ;;
            esac
            file="${target%%#*}"
            anchor=""
            [ "$file" != "$target" ] && anchor="${target#*#}"
            if [ -z "$file" ]; then
                file="$(basename "$page")"
            fi
            local resolved
            resolved="$(realpath -m "$(dirname "$page")/$file")"
            case "$resolved" in
                "$root"/*) ;;
                *) fail "$page links $target outside the installed tree" ; continue ;;
            esac
            if [ ! -f "$resolved" ]; then
                fail "$page links $target, which is not installed"
            elif [ -n "$anchor" ] && ! grep -q "id=\"$anchor\"" "$resolved"; then
                fail "$page links $target, but $file has no id \"$anchor\""
            fi
        done < <(grep -o -E '(href|src)="[^"]*"' "$page" | sed -E 's/^(href|src)="//; s/"$//')
    done
    # Every page can be reached from the contents.
    for page in "$help"/*.html; do
        local name
        name="$(basename "$page")"
        [ "$name" = index.html ] && continue
        grep -q "href=\"$name\"" "$help/index.html" || fail "index.html does not link $name"
    done
}

# A program folder, a settings store and one catalogued folder for an
# unattended build, below dir/home (as HOME, the way cron runs it).
prepare_list() {
    local dir="$1" output="$2"
    mkdir -p "$dir/Music/Rock" "$dir/home"
    printf 'x%.0s' {1..3000} >"$dir/Music/Rock/Highway Song.mp3"
    printf 'notes' >"$dir/Music/notes.txt"
    local settings=(env -i HOME="$dir/home" PATH=/usr/bin:/bin "$prefix/bin/quorvane-settings")
    "${settings[@]}" add-folder "$dir/Music" "Music"
    "${settings[@]}" set Quorvane Settings SavePath "$dir/$output"
    "${settings[@]}" set Quorvane Settings HTML 1
    "${settings[@]}" set Quorvane Settings IncludeFileSize 2
}

check_units() {
    need systemd-analyze systemd
    make_scratch
    local dir="$scratch" units
    units="$prefix/lib/systemd/user"
    [ -f "$units/quorvane-rebuild@.service" ] || { fail "no quorvane-rebuild@.service"; finish; }
    # The units name the program where the build installs it; here the
    # program is the one in PREFIX.
    mkdir -p "$dir/units" "$dir/runtime"
    chmod 700 "$dir/runtime"
    local configured
    configured="$(sed -n 's/^ExecStart=\([^ ]*\)\/quorvane .*/\1/p' "$units/quorvane-rebuild@.service")"
    for unit in "$units"/quorvane-rebuild@.*; do
        sed "s|^ExecStart=$configured/|ExecStart=$prefix/bin/|" "$unit" >"$dir/units/$(basename "$unit")"
    done
    XDG_RUNTIME_DIR="$dir/runtime" systemd-analyze verify --user --man=no \
        "$dir/units/quorvane-rebuild@music.service" "$dir/units/quorvane-rebuild@music.timer" ||
        fail "the units do not verify"

    # The service's command line, with %I as systemd expands it for the
    # instance "music", rebuilds the saved list that the first build made.
    prepare_list "$dir" music.html
    env -i HOME="$dir/home" PATH=/usr/bin:/bin "$prefix/bin/quorvane" auto || fail "the first build failed"
    rm -f "$dir/music.html"
    local command
    command="$(sed -n 's/^ExecStart=//p' "$dir/units/quorvane-rebuild@.service")"
    command="${command//%I/music}"
    # shellcheck disable=SC2086
    env -i HOME="$dir/home" PATH=/usr/bin:/bin $command || fail "$command failed"
    grep -q 'Highway Song.mp3' "$dir/music.html" 2>/dev/null || fail "$command wrote no list"
}

check_programs() {
    local version
    version="$(sed -n 's/^project(quorvane VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")"
    for program in quorvane quorfind; do
        local out
        out="$("$prefix/bin/$program" --version)" || fail "$program --version failed"
        [ "$out" = "$program $version" ] || fail "$program --version says \"$out\""
        out="$("$prefix/bin/$program" --help)" || fail "$program --help failed"
        grep -q "^Usage: $program" <<<"$out" || fail "$program --help shows no usage"
    done
    "$prefix/bin/quorvane" --help | grep -q 'auto NAME' || fail "quorvane --help does not tell of auto"
    [ -x "$prefix/bin/quorvane-settings" ] || fail "quorvane-settings was not installed"
}

check_auto() {
    make_scratch
    local dir="$scratch"
    prepare_list "$dir" music.html
    local status=0
    env -i HOME="$dir/home" PATH=/usr/bin:/bin "$prefix/bin/quorvane" auto || status=$?
    [ "$status" -eq 0 ] || fail "quorvane auto exited with $status"
    local folder="$dir/home/.local/share/quorvane"
    cmp -s "$folder/Template.html" "$share/quorvane/Template.html" ||
        fail "the program folder did not get the installed Template.html"
    [ -f "$dir/music.html" ] || { fail "no list was written"; finish; }
    grep -q 'Highway Song.mp3' "$dir/music.html" || fail "the list lacks the catalogued file"
    if grep -q -i -x -E '<!--(header|list|footer)-->'$'\r''?' "$dir/music.html"; then
        fail "a template marker was left in the list"
    fi
    grep -q '<html lang=' "$dir/music.html" || fail "the list was not poured into the template"
    # A page of the user's own is kept at the next start.
    printf '<p>mine</p>\n<!--list-->\n' >"$folder/Template.html"
    env -i HOME="$dir/home" PATH=/usr/bin:/bin "$prefix/bin/quorvane" auto music || fail "auto music failed"
    grep -q '<p>mine</p>' "$dir/music.html" || fail "the user's own template was not used"
}

"check_$check"
finish
