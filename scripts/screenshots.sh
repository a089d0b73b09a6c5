#!/usr/bin/env bash
# Builds the screenshot program and, on a private Xvfb display, refreshes the PNG files in
# docs/screenshots/ that the README and the help show.
# Usage: scripts/screenshots.sh [build folder]   (default build/dev, configured with the dev preset)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/dev}"

scripts/install-deps.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake --preset dev -B "$build"
fi
cmake --build "$build" --target bellwick_screenshots -j "$(nproc)"

mkdir -p docs/screenshots
# The same look on every machine: Qt's own style and font settings, not the desktop's.
env -u QT_QPA_PLATFORM -u QT_STYLE_OVERRIDE -u QT_SCALE_FACTOR \
    QT_QPA_PLATFORMTHEME= QT_FONT_DPI=96 LANG=C.UTF-8 TZ=Europe/London \
    xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" \
    "$build/tests/app/bellwick_screenshots" docs/screenshots
ls -1 docs/screenshots/*.png
