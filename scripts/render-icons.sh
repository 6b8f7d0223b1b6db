#!/usr/bin/env bash
# Renders resources/icons/src/*.svg to the PNG icons that are compiled in, and the program's
# icon to the hicolor sizes the package installs. Run after editing an SVG and commit both; the
# build itself needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
command -v rsvg-convert >/dev/null || apt-get install -y -qq librsvg2-bin
for svg in src/*.svg; do
    name=$(basename "$svg" .svg)
    rsvg-convert -w 64 -h 64 "$svg" -o "$name.png"
done
for size in 48 128 256; do
    rsvg-convert -w $size -h $size src/quelbrin.svg -o "../../packaging/icons/quelbrin-$size.png"
done
