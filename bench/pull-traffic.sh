#!/usr/bin/env bash
# Counts the bytes one pull moves, per kind of location, against the loopback test servers.
# Usage: bench/pull-traffic.sh [messages]   (after a build of the dev preset; as root)
# The count is taken from the loopback interface, so everything runs in a network namespace of its
# own, where nothing else talks.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${BW_PULL_TRAFFIC_INSIDE:-}" != 1 ]; then
    exec unshare -n env BW_PULL_TRAFFIC_INSIDE=1 bash -c 'ip link set lo up && exec "$0" "$@"' "$0" "$@"
fi
state="$(mktemp -d)"
trap 'scripts/testservers/stop.sh ftp "$state"; scripts/testservers/stop.sh http "$state"; rm -rf "$state"' EXIT
scripts/testservers/start.sh ftp "$state"
scripts/testservers/start.sh http "$state"
build/dev/bench/bellwick_pull_traffic "$state" "${1:-10000}"
