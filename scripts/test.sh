#!/usr/bin/env bash
# Builds Bellwick and runs the whole test suite. Usage: scripts/test.sh [preset]
# The preset is one of CMakePresets.json's test presets: dev (default), asan-ubsan, tsan.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"

scripts/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"

figures="build/$preset/reliability-figures.txt"
rm -f "$figures"
status=0
ctest --preset "$preset" -j "$(nproc)" || status=$?
if [ -s "$figures" ]; then
    echo "Reliability figures:"
    sed 's/^/  /' "$figures"
fi
exit $status
