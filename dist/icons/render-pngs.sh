#!/usr/bin/env bash
# Renders the PNG sizes of the program's icon from gnss-quorrel.svg; run after changing the
# artwork and commit the results (needs rsvg-convert, Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" gnss-quorrel.svg -o "hicolor/${size}x${size}/apps/gnss-quorrel.png"
done
