#!/usr/bin/env bash
# Installs, on Debian 12, every package that building, running and testing Bellwick needs.
# Only what is missing is installed; a machine that has everything is left untouched.
# --bench adds only the programs the side-by-side harness compares with (bench/compare/run.sh);
# nothing of theirs is part of the program.
set -euo pipefail

packages=(
    # build
    g++ clang cmake ninja-build pkg-config git
    # libraries
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
    qt6-l10n-tools qt6-qpa-plugins libgl1-mesa-dev libssl-dev libcurl4-openssl-dev qtkeychain-qt6-dev
    # calendars in and out, and the time zones their entries name
    libical-dev tzdata
    # the password store's client library, which QtKeychain loads when it runs
    libsecret-1-0
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
    xvfb xauth x11-utils trayer fonts-dejavu-core desktop-file-utils libx11-dev libxcb1-dev imagemagick python3 python3-pyftpdlib openssl procps strace
    # servers the transfer tests start on loopback: FTP over TLS, SFTP, WebDAV
    vsftpd libpam-pwdfile openssh-server openssh-client apache2
    # a real password store on a private session bus
    dbus-daemon dbus-bin gnome-keyring
    # quality checks
    clang-format clang-tidy
)
if [ "${1:-}" = "--bench" ]; then
    packages=(libkf5calendarcore-dev libical-dev remind)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#packages[@]} packages present"
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
# The servers' packages would start system services (on port 21, 22, 80); the tests start their own.
# Where nothing keeps services from starting, a policy says no for the time of the install.
policy=/usr/sbin/policy-rc.d
made_policy=no
if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee "$policy" >/dev/null
    "${sudo_cmd[@]}" chmod 0755 "$policy"
    made_policy=yes
fi
status=0
"${sudo_cmd[@]}" apt-get update -qq && "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" ||
    status=$?
if [ "$made_policy" = yes ]; then
    "${sudo_cmd[@]}" rm -f "$policy"
fi
exit $status
