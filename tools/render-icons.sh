#!/bin/sh
# Render every SVG icon in resources/icons to a 64 x 64 PNG in resources/image.
# The PNGs are committed, so a normal build does not need rsvg-convert.
# Usage: tools/render-icons.sh
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
src="$root/resources/icons"
dst="$root/resources/image"
size=64

command -v rsvg-convert >/dev/null 2>&1 || {
    echo "render-icons: rsvg-convert not found (package librsvg2-bin)" >&2
    exit 1
}

mkdir -p "$dst"
for svg in "$src"/*.svg; do
    name=$(basename "$svg" .svg)
    out="$dst/$name.png"
    rsvg-convert -w "$size" -h "$size" -o "$out" "$svg"
    if command -v optipng >/dev/null 2>&1; then
        optipng -quiet -o5 -strip all "$out"
    fi
    echo "rendered $out"
done
