#!/usr/bin/env bash
# The side-by-side comparison in one command: installs the peers when missing
# (scripts/install-deps.sh --bench), builds the runners in build/bench-compare, generates the lists,
# measures Bellwick, KCalendarCore, libical and remind in one run, prints the table and writes it
# into bench/README.md. The start-up and idle rows need a built BWClient (--app-build DIR, default
# build/release, build/dev or build/app). Other options go to compare.py (--quick, --idle-seconds).
# BW_BENCH_DIR chooses the folder of the generated files (default: a temporary folder).
set -euo pipefail
cd "$(dirname "$0")/../.."

if ! command -v remind >/dev/null || ! pkg-config --exists libical ||
    [ ! -e /usr/lib/x86_64-linux-gnu/cmake/KF5CalendarCore/KF5CalendarCoreConfig.cmake ]; then
    scripts/install-deps.sh --bench
fi

cmake -S bench/compare -B build/bench-compare -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/bench-compare -j2 >&2

if [ -n "${BW_BENCH_DIR:-}" ]; then
    work="$BW_BENCH_DIR"
else
    work="$(mktemp -d -t bellwick-compare.XXXXXX)"
    trap 'rm -rf "$work"' EXIT
fi
python3 bench/compare/compare.py build/bench-compare "$work" --readme bench/README.md "$@"
