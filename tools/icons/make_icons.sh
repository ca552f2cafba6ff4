#!/usr/bin/env bash
# Renders the editor's PNG icons from its SVG drawings (needs rsvg-convert,
# Debian package librsvg2-bin). The small sizes come from a drawing of four
# threads each way that falls on whole pixels; the larger ones show eight.
set -eu
icons="$(cd "$(dirname "$0")/../../resources/icons" && pwd)"
for size in 16 22 24 32 48 64 128 256; do
  src=$icons/hicolor/scalable/apps/heddlewise.svg
  [ "$size" -le 32 ] && src=$icons/heddlewise-small.svg
  mkdir -p "$icons/hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$src" -o "$icons/hicolor/${size}x${size}/apps/heddlewise.png"
done
