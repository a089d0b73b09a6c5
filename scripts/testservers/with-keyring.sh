#!/usr/bin/env bash
# Runs a command beside a real password store: an unlocked GNOME Keyring on the session bus, in a
# home folder of its own that goes with it. Start it on a private bus:
#   dbus-run-session -- scripts/testservers/with-keyring.sh COMMAND [ARGUMENTS...]
# Exits 77 (skipped) when the keyring daemon is not installed.
set -euo pipefail
command -v gnome-keyring-daemon >/dev/null || { echo "gnome-keyring-daemon is not installed" >&2; exit 77; }

home=$(mktemp -d)
daemon=""
cleanup() {
    [ -n "$daemon" ] && kill "$daemon" 2>/dev/null && wait "$daemon" 2>/dev/null
    rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
mkdir -p -m 700 "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"

# --unlock makes the login keyring with the password on standard input and unlocks it; in the
# foreground the daemon stays this script's child, so that it ends with the test.
printf 'bellwick-test' | gnome-keyring-daemon --foreground --unlock --components=secrets >"$home/daemon.log" 2>&1 &
daemon=$!
for _ in $(seq 100); do
    if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets 2>/dev/null | grep -q "boolean true"; then
        break
    fi
    sleep 0.05
done
"$@"
