#!/usr/bin/env bash
# Stops the transfer test servers that start.sh started. Usage: stop.sh ftp|http|faults|spare|vsftpd|sshd|webdav STATE_DIR
set -uo pipefail
kind="$1"
state="$2"

# A zombie still answers kill -0, so a process counts as gone once /proc shows it dead.
alive() {
    local stat
    stat="$(cat "/proc/$1/stat" 2>/dev/null)" || return 1
    stat="${stat##*) }"
    [ "${stat%% *}" != Z ]
}

stop_one() { # name
    local file="$state/$1.pid" pid
    [ -s "$file" ] || return 0
    pid="$(cat "$file")"
    rm -f "$file"
    alive "$pid" || return 0
    # setsid made the server the leader of its own process group.
    kill -TERM -- "-$pid" 2>/dev/null
    for _ in $(seq 1 50); do
        alive "$pid" || return 0
        sleep 0.1
    done
    kill -KILL -- "-$pid" 2>/dev/null
}

case "$kind" in
ftp) stop_one ftp ;;
http)
    stop_one http
    stop_one https
    ;;
faults)
    stop_one faults
    stop_one spare
    ;;
spare) stop_one spare ;;
vsftpd)
    stop_one vsftpd
    stop_one vsftpd-implicit
    if [ -s "$state/vsftpd.pam" ]; then
        rm -f "/etc/pam.d/$(cat "$state/vsftpd.pam")" "$state/vsftpd.pam"
    fi
    ;;
sshd) stop_one sshd ;;
webdav) stop_one webdav ;;
*)
    echo "usage: stop.sh ftp|http|faults|spare|vsftpd|sshd|webdav STATE_DIR" >&2
    exit 2
    ;;
esac
exit 0
