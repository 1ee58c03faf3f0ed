#!/usr/bin/env bash
# Renders the PNG sizes of the icon from its SVG (needs rsvg-convert from librsvg2-bin).
set -eu
cd "$(dirname "$0")/../packaging/icons"
id=de.vkr3x.VKR3XSteuerung
for size in 16 24 32 48 64 128 256; do
  mkdir -p "$size"
  rsvg-convert -w "$size" -h "$size" "$id.svg" -o "$size/$id.png"
done
