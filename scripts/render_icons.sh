#!/usr/bin/env bash
# Renders the program icon's PNGs from its SVG into desktop/icons/hicolor/ (they are committed, so
# the build needs no SVG renderer). Run after changing the SVG; needs rsvg-convert (librsvg2-bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
icons=$root/desktop/icons
name=io.github.tallyman.Tallyman
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }
for size in 16 24 32 48 64 128 256; do
  mkdir -p "$icons/hicolor/${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" "$icons/$name.svg" -o "$icons/hicolor/${size}x${size}/apps/$name.png"
done
