#!/usr/bin/env bash
# Installs the quorvane package on a fresh Debian system in a chroot, as a
# user would with "apt install ./file.deb", and starts both programs there
# from their menu entries, without a display (Qt's offscreen platform).
# Run by hand as root; it is not part of the test suite, because it fetches
# the Debian base system and the package's dependencies:
#
#   desktop/tests/install_on_fresh_debian.sh build-package/quorvane_0.1.0_amd64.deb [ROOT]
#
# ROOT is a system made by "debootstrap --variant=minbase bookworm ROOT";
# without one a new one is made in a temporary folder and removed at the
# end. With CRON=1 the crontab line of the help pages is also run by a cron
# daemon in the chroot (this waits up to two minutes for cron's next
# minute).
set -euo pipefail

deb="$(realpath "$1")"
root="${2:-}"
made_root=""
if [ -z "$root" ]; then
    root="$(mktemp -d /var/tmp/quorvane-fresh.XXXXXX)"
    made_root="$root"
    echo "== debootstrap --variant=minbase bookworm $root"
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
fi

cleanup() {
    [ -n "${cron_pid:-}" ] && kill "$cron_pid" 2>/dev/null || true
    umount "$root/proc" 2>/dev/null || true
    if [ -n "$made_root" ]; then rm -rf "$made_root"; fi
}
trap cleanup EXIT
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
package="/tmp/$(basename "$deb")"

step() {
    echo
    echo "== $*"
}

# Runs a command in the chroot as the user ann, with the environment of a
# desktop session that has no display.
as_user() {
    chroot "$root" runuser -u ann -- env -i HOME=/home/ann USER=ann PATH=/usr/bin:/bin \
        LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/ann-runtime "$@"
}

# The Exec line of an installed desktop entry.
menu_command() {
    sed -n 's/^Exec=//p' "$root/usr/share/applications/$1.desktop"
}

# Starts a program as its menu entry does and reports whether it is still
# running after five seconds (a window that opened waits for the user).
start_from_menu() {
    local command status=0
    command="$(menu_command "$1")"
    echo "\$ $command    (from $1.desktop)"
    as_user timeout 5 $command || status=$?
    if [ "$status" -eq 124 ]; then
        echo "$1: started, and was running after 5 s"
    else
        echo "FAILED: $1 ended with status $status" >&2
        failed=1
    fi
}
failed=0

step "apt-get install $package"
chroot "$root" apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$package" | tail -n 3
chroot "$root" dpkg-query -W -f='${Package} ${Version}\nDepends: ${Depends}\nRecommends: ${Recommends}\n' quorvane

step "a user and the programs"
chroot "$root" id ann >/dev/null 2>&1 || chroot "$root" useradd -m ann
as_user mkdir -p -m 700 /tmp/ann-runtime
as_user quorvane --version
as_user quorfind --version
start_from_menu quorvane
start_from_menu quorfind
as_user ls /home/ann/.local/share/quorvane

step "quorvane auto on a folder of the user"
as_user mkdir -p /home/ann/Music/Rock
as_user sh -c 'head -c 3000 /dev/zero > "/home/ann/Music/Rock/Highway Song.mp3"'
as_user quorvane-settings add-folder /home/ann/Music Music
as_user quorvane-settings set Quorvane Settings SavePath /home/ann/music.html
as_user quorvane-settings set Quorvane Settings HTML 1
as_user quorvane auto
echo "quorvane auto: exit status $?"
as_user grep -c 'Highway Song.mp3' /home/ann/music.html
as_user quorfind --search highway

if [ "${CRON:-}" = 1 ]; then
    step "the crontab line, run by cron"
    chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q cron >/dev/null
    as_user rm -f /home/ann/music.html
    echo '* * * * * /usr/bin/quorvane auto music' | chroot "$root" crontab -u ann -
    chroot "$root" crontab -u ann -l
    chroot "$root" cron -f -L 15 &
    cron_pid=$!
    for _ in $(seq 1 130); do
        [ -f "$root/home/ann/music.html" ] && break
        sleep 1
    done
    if [ -f "$root/home/ann/music.html" ]; then
        echo "cron built $(grep -c 'Highway Song.mp3' "$root/home/ann/music.html") entry into /home/ann/music.html"
    else
        echo "cron did not build the list" >&2
        exit 1
    fi
fi

if [ "$failed" -ne 0 ]; then
    step "failed"
    exit 1
fi
step "passed"
