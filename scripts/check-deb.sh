#!/usr/bin/env bash
# Checks the Debian package on a fresh Debian 12: installs it with apt into a new debootstrap
# chroot, starts BWClient from the menu entry's Exec line under Xvfb as an ordinary user, checks
# that it finds its help pages and alert sounds, runs bwlist and Launchel, then removes the package
# and checks that the user's data is still there.
#
#   scripts/check-deb.sh [bellwick_*.deb]
#
# Without a package it builds one: a release build in build/package (BW_PACKAGE_BUILD), then cpack.
# Needs root (debootstrap, chroot, mounts) and the network for the Debian mirror, which is taken
# from this machine's apt sources unless BW_DEB12_MIRROR names one. Takes minutes, so
# it is not part of .ci/run. The first run makes a pristine chroot (BW_DEB12_BASE, by default
# /var/tmp/bellwick-deb12-base) and every run works on a fresh copy of it, removed at the end
# (kept with BW_KEEP_CHROOT=1).
set -euo pipefail
cd "$(dirname "$0")/.."

base="${BW_DEB12_BASE:-/var/tmp/bellwick-deb12-base}"

# The first Debian archive (not the security one) that this machine's apt sources name, in either
# the one-line or the deb822 format.
apt_mirror() {
    local f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -r "$f" ] || continue
        awk '$1 == "deb" {
                 i = 2
                 if ($i ~ /^\[/) { while (i <= NF && $i !~ /\]$/) i++; i++ }
                 if (i <= NF && $i !~ /security/) { print $i; exit }
             }' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -r "$f" ] || continue
        awk 'tolower($1) == "uris:" { for (i = 2; i <= NF; i++) if ($i !~ /security/) { print $i; exit } }' "$f"
    done
}
mirror="${BW_DEB12_MIRROR:-$(apt_mirror | head -n 1)}"
if [ -z "$mirror" ]; then
    echo "check-deb: no Debian archive in the apt sources; set BW_DEB12_MIRROR" >&2
    exit 2
fi
build="${BW_PACKAGE_BUILD:-build/package}"

say() { echo "check-deb: $*"; }
failures=0
check() {
    local what="$1"
    shift
    if "$@"; then
        echo "  ok    $what"
    else
        echo "  FAIL  $what"
        failures=$((failures + 1))
    fi
}

if [ "$(id -u)" -ne 0 ]; then
    echo "check-deb: needs root (debootstrap, chroot)" >&2
    exit 2
fi

deb="${1:-}"
if [ -z "$deb" ]; then
    say "building the package in $build"
    cmake --preset release -B "$build" -DBW_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build" -j 2
    (cd "$build" && cpack -G DEB >/dev/null)
    deb="$(ls -t "$build"/bellwick_*.deb | head -n 1)"
fi
deb="$(realpath "$deb")"
say "package $deb ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb --field "$deb" Package Version Architecture Maintainer Section Depends Recommends | sed 's/^/  /'

if [ ! -x "$base/usr/bin/apt-get" ]; then
    command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap
    say "making the pristine Debian 12 in $base"
    debootstrap --variant=minbase bookworm "$base" "$mirror" >/dev/null
fi

root="$(mktemp -d /var/tmp/bellwick-deb12.XXXXXX)"
cleanup() {
    for m in dev/pts dev proc sys; do
        mountpoint -q "$root/$m" && umount -l "$root/$m"
    done
    if [ "${BW_KEEP_CHROOT:-0}" = 1 ]; then
        say "chroot kept in $root"
    else
        rm -rf "$root"
    fi
}
trap cleanup EXIT
cp -a "$base/." "$root/"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"; }
as_ann() { chroot "$root" su - ann -c "$1"; }

say "apt install ./$(basename "$deb")"
in_root apt-get update -qq
before="$(in_root dpkg-query -W -f '${Package}\n' | sort)"
start=$(date +%s)
in_root apt-get install -y -qq "./tmp/$(basename "$deb")" >"$root/tmp/install.log" 2>&1 || {
    cat "$root/tmp/install.log"
    exit 1
}
after="$(in_root dpkg-query -W -f '${Package}\n' | sort)"
say "installed in $(($(date +%s) - start)) s with $(comm -13 <(echo "$before") <(echo "$after") | wc -l) packages in all"

say "installed files"
for f in /usr/bin/BWClient /usr/bin/Launchel /usr/bin/bwlist /usr/share/bellwick/help/benefits.htm \
    /usr/share/bellwick/help/state-green.svg /usr/share/bellwick/sounds/s1.wav /usr/share/bellwick/sounds/s9.wav \
    /usr/share/bellwick/icons/bellwick.svg /usr/share/applications/bellwick.desktop \
    /usr/share/icons/hicolor/scalable/apps/bellwick.svg; do
    check "$f" test -f "$root$f"
done
missing_libs="$(in_root sh -c 'ldd /usr/bin/BWClient /usr/bin/Launchel /usr/bin/bwlist | grep "not found" || true')"
check "every shared library of the three programs is there" test -z "$missing_libs"

# What the desktop runs from the menu: the Exec line, with its field codes dropped.
exec_line="$(sed -n 's/^Exec=//p' "$root/usr/share/applications/bellwick.desktop" | sed 's/ %[a-zA-Z]//g')"
say "menu entry Exec=$exec_line"
check "the Exec program is found on PATH as /usr/bin/BWClient" \
    test "$(in_root sh -c "command -v ${exec_line%% *}")" = /usr/bin/BWClient

# Tools for the run only, installed after the package so that they do not hide a missing dependency.
in_root apt-get install -y -qq --no-install-recommends xvfb xauth desktop-file-utils >/dev/null 2>&1
check "desktop-file-validate accepts the menu entry" \
    in_root desktop-file-validate /usr/share/applications/bellwick.desktop

in_root useradd -m -s /bin/bash ann
as_ann 'mkdir -p ~/.config/Bellwick && printf "[General]\nUserName=Ann\n" > ~/.config/Bellwick/Bellwick.conf'
as_ann 'mkdir -m 700 -p /tmp/run-ann'
say "starting BWClient from the Exec line under Xvfb as user ann"
as_ann "export XDG_RUNTIME_DIR=/tmp/run-ann QT_LOGGING_RULES=bellwick.resources.info=true
    xvfb-run -a sh -c '$exec_line & pid=\$!; sleep 8; kill -TERM \$pid; wait \$pid; echo exit=\$?' \
        >/tmp/run.out 2>/tmp/run.err" || true
sed 's/^/  | /' "$root/tmp/run.out" "$root/tmp/run.err"
check "BWClient ran until SIGTERM and ended normally" grep -qx 'exit=0' "$root/tmp/run.out"
check "it looks for help and sounds in /usr/share/bellwick" \
    grep -q 'help pages in /usr/share/bellwick/help - alert sounds in /usr/share/bellwick/sounds' "$root/tmp/run.err"
check "it reports nothing missing" sh -c "! grep -q missing '$root/tmp/run.err'"
data="$root/home/ann/.local/share/Bellwick"
check "it made the data folder and saved the list at SIGTERM" test -f "$data/bwlist.dat"
check "bwlist reads the saved list" in_root bwlist show /home/ann/.local/share/Bellwick/bwlist.dat
check "Launchel runs and exits without arguments" in_root Launchel

say "apt remove bellwick"
sum_before="$(cd "$data" && find . -type f -exec sha256sum {} + | sort)"
in_root apt-get remove -y -qq bellwick >/dev/null 2>&1
check "the programs are gone" sh -c "! test -e '$root/usr/bin/BWClient' && ! test -e '$root/usr/share/bellwick'"
check "the user's data folder is untouched" test "$(cd "$data" && find . -type f -exec sha256sum {} + | sort)" = "$sum_before"
check "the user's preferences are untouched" test -f "$root/home/ann/.config/Bellwick/Bellwick.conf"

if [ "$failures" -ne 0 ]; then
    say "$failures check(s) failed"
    exit 1
fi
say "all checks passed"
