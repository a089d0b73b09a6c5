#!/usr/bin/env bash
# Builds the benchmarks in build/bench (optimised, with symbols for perf) and runs them with
# repetitions; prints the medians and, for the 100 000-message cases, their ratio to the floor
# (AES-256 deciphering plus one memcpy of the same bytes) measured in the same run.
# Usage: bench/run.sh [repetitions]   (BW_BENCH_DIR chooses the folder of the list files)
set -euo pipefail
cd "$(dirname "$0")/.."
repetitions="${1:-5}"

cmake -S bench -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/bench --target bellwick_bench

json=build/bench/results.json
build/bench/bellwick_bench --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_out="$json" --benchmark_out_format=json >&2
python3 bench/summarize.py "$json"
