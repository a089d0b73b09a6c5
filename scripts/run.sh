#!/usr/bin/env bash
# Builds Bellwick and starts it. Extra arguments go to the program (for example /m).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev -j "$(nproc)"
if [ -x build/dev/app/BWClient ]; then
    exec build/dev/app/BWClient "$@"
fi
# Until the window program exists, show what the list tool makes of a sample list file.
exec build/dev/tools/bwlist/bwlist show tests/data/sample-bwlist.dat
