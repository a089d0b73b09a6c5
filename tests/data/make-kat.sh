#!/usr/bin/env bash
# Builds the container known-answer files with the openssl command line alone, independently of
# the program's code: key = MD5(password) || MD5(reversed password), AES-256-ECB, zero padding,
# a little-endian 32-bit payload length in front. Run from this folder; writes kat/*.dat.
set -euo pipefail
cd "$(dirname "$0")"

# make NAME PASSWORD LINE... : lines joined with CR LF, then the line count.
make() {
    local name=$1 password=$2
    shift 2
    local tmp
    tmp=$(mktemp)
    for line in "$@"; do printf '%s\r\n' "$line" >>"$tmp"; done
    python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<i", int(sys.argv[1])))' "$#" >>"$tmp"
    local n
    n=$(stat -c %s "$tmp")
    local pad=$(( (16 - n % 16) % 16 ))
    head -c "$pad" /dev/zero >>"$tmp"
    local reversed
    reversed=$(printf '%s' "$password" | rev)
    local key
    key=$(printf '%s' "$password" | openssl dgst -md5 -r | cut -c1-32)$(printf '%s' "$reversed" | openssl dgst -md5 -r | cut -c1-32)
    {
        python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<i", int(sys.argv[1])))' "$n"
        openssl enc -aes-256-ecb -nopad -K "$key" -in "$tmp"
    } >"kat/$name.dat"
    rm -f "$tmp"
}

mkdir -p kat
make empty-list 58203                                  # no lines: N = 4, 20 bytes
make payload-16 58203 'abcdefghij'                     # 12 + 4 = 16: one block, 20 bytes
make payload-17 58203 'abcdefghijk'                    # 13 + 4 = 17: two blocks, 36 bytes
make empty-message-list 58203 '1' '0'                  # N = 10, 20 bytes
make group-sales 'Sales pw' '1' '1' 'Standup' 'Daily standup<br>Room 4' 'Ann' 'Sales<br>Dev<br>' \
    '461231000' '0' '0' '123456789' '1' '0111110022'   # one message, a password with a blank
make empty-password '' 'x' '' 'y'                      # empty password, an empty line inside
