#!/usr/bin/env bash
# Starts the transfer test servers. Usage: start.sh ftp|http|faults|spare|vsftpd|sshd|webdav STATE_DIR
#   ftp:  FTP on 127.0.0.1:21 (active mode only), home STATE_DIR/ftp-root, user bwuser / bwpass
#   http: HTTP and HTTPS on 127.0.0.1, ports in STATE_DIR/http.port and STATE_DIR/https.port;
#         the HTTPS certificate is signed by a test CA made here (STATE_DIR/ca.pem); /file/PATH
#         reads STATE_DIR/ftp-root/PATH, so files put there over FTP can be read over HTTP
#   faults: the failing FTP servers of fault_servers.py (127.0.0.2:21 hangs, 127.0.0.3:21 refuses
#         logins), and the spare
#   spare: a second FTP server like ftp on 127.0.0.4:21, home STATE_DIR/spare-root, which the load
#         test stops and starts again (stop.sh spare) to make a location go away and come back
#   vsftpd: vsftpd with TLS and passive mode, home STATE_DIR/ftp-root, bwuser / bwpass: explicit TLS
#         on 127.0.0.1:2121, implicit TLS on 127.0.0.1:2990, the test CA's certificate
#   sshd: OpenSSH's sshd on 127.0.0.1:2222; root logs in with STATE_DIR/ssh/id_ed25519 (by key
#         only); STATE_DIR/ssh/known_hosts trusts its host key
#   webdav: Apache httpd with mod_dav on https://127.0.0.1:8443/dav/ (bwuser / bwpass), the
#         FTP server's home; /plain/ the same without WebDAV
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

# A server that listens on a fixed port of 127.0.0.1 once it can be reached there.
wait_for_port() { # port name
    for _ in $(seq 1 100); do
        (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
        sleep 0.1
    done
    echo "start.sh: $2 did not start:" >&2
    cat "$state/$2.log" >&2 || true
    exit 1
}

# The test CA and the server certificate it signs, made once for all servers (under a lock: CTest
# may start several servers at once).
make_certificates() {
    (
        flock 9
        [ -s "$state/server.pem" ] && exit 0
        openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Bellwick test CA" \
            -keyout "$state/ca.key" -out "$state/ca.pem" >/dev/null 2>&1
        openssl req -newkey rsa:2048 -nodes -subj "/CN=localhost" \
            -keyout "$state/server.key" -out "$state/server.csr" >/dev/null 2>&1
        printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\n' >"$state/server.ext"
        openssl x509 -req -in "$state/server.csr" -CA "$state/ca.pem" -CAkey "$state/ca.key" \
            -CAcreateserial -days 2 -extfile "$state/server.ext" -out "$state/server.pem.tmp" >/dev/null 2>&1
        mv "$state/server.pem.tmp" "$state/server.pem"
    ) 9>"$state/certificates.lock"
}

# A config file from its template, with the places filled in.
fill() { # template output name=value...
    local template="$1" output="$2"
    shift 2
    local script=()
    for pair in "$@"; do
        script+=(-e "s|@${pair%%=*}@|${pair#*=}|g")
    done
    sed "${script[@]}" "$template" >"$output"
}

start_vsftpd() {
    make_certificates
    mkdir -p "$state/ftp-root/anonymous" /var/run/vsftpd/empty
    # vsftpd checks passwords through PAM only: a service of this state folder's own, removed by
    # stop.sh, reads the test's password file.
    local pam
    pam="bellwick-test-$(printf '%s' "$state" | md5sum | cut -c1-12)"
    printf 'bwuser:%s\n' "$(openssl passwd -6 bwpass)" >"$state/ftp-users"
    printf 'auth required pam_pwdfile.so nodelay pwdfile=%s\naccount required pam_permit.so\n' \
        "$state/ftp-users" >"/etc/pam.d/$pam"
    echo "$pam" >"$state/vsftpd.pam"
    local name port implicit low
    for name in vsftpd vsftpd-implicit; do
        port=2121 implicit=NO low=30000
        [ "$name" = vsftpd-implicit ] && port=2990 implicit=YES low=30050
        fill "$here/vsftpd.conf.in" "$state/$name.conf" PORT=$port IMPLICIT=$implicit PASV_MIN=$low \
            PASV_MAX=$((low + 49)) ROOT="$state/ftp-root" PAM="$pam" STATE="$state" NAME="$name"
        launch "$name" /usr/sbin/vsftpd "$state/$name.conf"
        wait_for_port "$port" "$name"
    done
}

start_sshd() {
    local ssh="$state/ssh"
    mkdir -p "$ssh" /run/sshd
    if [ ! -s "$ssh/id_ed25519" ]; then
        rm -f "$ssh/host_ed25519" "$ssh/id_ed25519"
        ssh-keygen -q -t ed25519 -N "" -C "Bellwick test host" -f "$ssh/host_ed25519"
        ssh-keygen -q -t ed25519 -N "" -C "Bellwick test user" -f "$ssh/id_ed25519"
    fi
    cp "$ssh/id_ed25519.pub" "$ssh/authorized_keys"
    printf '[127.0.0.1]:2222 %s\n' "$(cut -d' ' -f1,2 "$ssh/host_ed25519.pub")" >"$ssh/known_hosts"
    fill "$here/sshd_config.in" "$ssh/sshd_config" PORT=2222 STATE="$state"
    launch sshd /usr/sbin/sshd -D -e -f "$ssh/sshd_config"
    wait_for_port 2222 sshd
}

start_webdav() {
    make_certificates
    mkdir -p "$state/ftp-root/anonymous" "$state/webdav"
    # Apache serves as www-data: it must reach the files and keep its lock database.
    chmod 0777 "$state/ftp-root" "$state/webdav"
    printf 'bwuser:%s\n' "$(openssl passwd -apr1 bwpass)" >"$state/webdav/users"
    chmod 0644 "$state/webdav/users"
    fill "$here/apache.conf.in" "$state/webdav/httpd.conf" PORT=8443 STATE="$state" ROOT="$state/ftp-root"
    launch webdav /usr/sbin/apache2 -f "$state/webdav/httpd.conf" -DFOREGROUND
    wait_for_port 8443 webdav
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
vsftpd) start_vsftpd ;;
sshd) start_sshd ;;
webdav) start_webdav ;;
http)
    rm -f "$state/http.port" "$state/https.port"
    make_certificates
    launch http "$python" "$here/http_server.py" "$state/http.port" --files "$state/ftp-root"
    launch https "$python" "$here/http_server.py" "$state/https.port" "$state/server.pem" "$state/server.key" \
        --files "$state/ftp-root"
    wait_for "$state/http.port" http
    wait_for "$state/https.port" https
    ;;
*)
    echo "usage: start.sh ftp|http|faults|spare|vsftpd|sshd|webdav STATE_DIR" >&2
    exit 2
    ;;
esac
