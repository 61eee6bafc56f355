#!/usr/bin/env bash
# Remakes the PNG icons in resources/icons from the SVG beside them, after the drawing changed.
# They are committed, so that neither the build nor an install needs an SVG renderer.
#   scripts/make-icons.sh [BUILD_DIR]       (default build/dev; needs Debian's qt6-svg-dev)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/dev}"
[ -f "$build/CMakeCache.txt" ] || cmake --preset dev
cmake --build "$build" --target render_icon
QT_QPA_PLATFORM=offscreen "$build/tools/render_icon" \
    resources/icons/io.github.brackmoor.Brackmoor.svg resources/icons 16 32 48 64 128 256
echo "PNG icons remade in resources/icons"
