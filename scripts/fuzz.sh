#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a bounded time. Usage: scripts/fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake --preset fuzz
cmake --build --preset fuzz -j "$(nproc)"

work=build/fuzz/corpus-work
status=0
for target in build/fuzz/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    seeds="tests/data/fuzz/${name#fuzz_}"
    mkdir -p "$work/$name"
    echo "== $name for ${seconds}s"
    args=("$work/$name")
    [ -d "$seeds" ] && args+=("$seeds")
    if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/$name-" "${args[@]}" 2>"$work/$name.log"; then
        tail -n 60 "$work/$name.log"
        status=1
    else
        grep -E '^stat::number_of_executed_units' "$work/$name.log" | sed "s/^/$name: /"
    fi
done
exit $status
