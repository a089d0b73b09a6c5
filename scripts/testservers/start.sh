#!/usr/bin/env bash
# Starts the transfer test servers. Usage: start.sh ftp|http|faults|spare STATE_DIR
#   ftp:  FTP on 127.0.0.1:21 (active mode only), home STATE_DIR/ftp-root, user bwuser / bwpass
#   http: HTTP and HTTPS on 127.0.0.1, ports in STATE_DIR/http.port and STATE_DIR/https.port;
#         the HTTPS certificate is signed by a test CA made here (STATE_DIR/ca.pem); /file/PATH
#         reads STATE_DIR/ftp-root/PATH, so files put there over FTP can be read over HTTP
#   faults: the failing FTP servers of fault_servers.py (127.0.0.2:21 hangs, 127.0.0.3:21 refuses
#         logins), and the spare
#   spare: a second FTP server like ftp on 127.0.0.4:21, home STATE_DIR/spare-root, which the load
#         test stops and starts again (stop.sh spare) to make a location go away and come back
# Each server runs in a session of its own under a time limit, so a forgotten one dies anyway;
# stop.sh ends it by its process group.
set -euo pipefail
kind="$1"
state="$2"
here="$(cd "$(dirname "$0")" && pwd)"
python=/usr/bin/python3
lifetime=1800
mkdir -p "$state"

# Stops a server left behind by an earlier run that was killed before its cleanup.
"$here/stop.sh" "$kind" "$state"

launch() { # name command...
    local name="$1"
    shift
    setsid timeout "$lifetime" "$@" >"$state/$name.log" 2>&1 </dev/null &
    echo $! >"$state/$name.pid"
}

wait_for() { # file name
    for _ in $(seq 1 100); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    echo "start.sh: $2 did not start:" >&2
    cat "$state/$2.log" >&2 || true
    exit 1
}

# Port 21 is fixed; another test run on this machine may hold it for a while, so wait for it.
launch_on_port_21() { # name command... (the command writes $state/name.ready once it listens)
    local name="$1"
    rm -f "$state/$name.ready"
    for _ in $(seq 1 60); do
        launch "$@"
        for _ in $(seq 1 50); do
            [ -s "$state/$name.ready" ] && break
            kill -0 "$(cat "$state/$name.pid")" 2>/dev/null || break
            sleep 0.1
        done
        [ -s "$state/$name.ready" ] && break
        grep -q "Address already in use" "$state/$name.log" || break
        sleep 1
    done
    wait_for "$state/$name.ready" "$name"
}

start_spare() {
    mkdir -p "$state/spare-root/anonymous"
    launch_on_port_21 spare "$python" "$here/ftp_server.py" "$state/spare-root" bwuser bwpass "$state/spare.ready" \
        127.0.0.4
}

case "$kind" in
ftp)
    rm -rf "$state/ftp-root" "$state/ftp.ready"
    mkdir -p "$state/ftp-root/anonymous"
    launch_on_port_21 ftp "$python" "$here/ftp_server.py" "$state/ftp-root" bwuser bwpass "$state/ftp.ready"
    ;;
faults)
    launch_on_port_21 faults "$python" "$here/fault_servers.py" 127.0.0.2 127.0.0.3 "$state/faults.ready"
    start_spare
    ;;
spare)
    start_spare
    ;;
http)
    rm -f "$state/http.port" "$state/https.port"
    if [ ! -s "$state/server.pem" ]; then
        openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Bellwick test CA" \
            -keyout "$state/ca.key" -out "$state/ca.pem" >/dev/null 2>&1
        openssl req -newkey rsa:2048 -nodes -subj "/CN=localhost" \
            -keyout "$state/server.key" -out "$state/server.csr" >/dev/null 2>&1
        printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\n' >"$state/server.ext"
        openssl x509 -req -in "$state/server.csr" -CA "$state/ca.pem" -CAkey "$state/ca.key" \
            -CAcreateserial -days 2 -extfile "$state/server.ext" -out "$state/server.pem" >/dev/null 2>&1
    fi
    launch http "$python" "$here/http_server.py" "$state/http.port" --files "$state/ftp-root"
    launch https "$python" "$here/http_server.py" "$state/https.port" "$state/server.pem" "$state/server.key" \
        --files "$state/ftp-root"
    wait_for "$state/http.port" http
    wait_for "$state/https.port" https
    ;;
*)
    echo "usage: start.sh ftp|http|faults|spare STATE_DIR" >&2
    exit 2
    ;;
esac
