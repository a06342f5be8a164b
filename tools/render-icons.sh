#!/usr/bin/env bash
# Renders the PNG sizes of the program's icon from its SVG. The PNGs are kept
# in the tree, so run this only after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../app/share/icons/hicolor"
command -v rsvg-convert >/dev/null || { echo "needs rsvg-convert (librsvg2-bin)" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" scalable/apps/zel.svg -o "${size}x${size}/apps/zel.png"
done
