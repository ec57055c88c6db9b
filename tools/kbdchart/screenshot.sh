#!/bin/bash
# Redraws docs/chart.png, the picture of the layout chart the README shows:
# the chart's keyboards, drawn by ImageMagick from the same shapes as the SVG.
#   tools/kbdchart/screenshot.sh [OUTPUT.png]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/docs/chart.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
parts=()
for variant in 0 1 2; do
  python3 "$root/tools/kbdchart/kbdchart.py" --mvg $variant "$root/content/layout/kreska.layout" "$work/$variant.mvg"
  convert "mvg:$work/$variant.mvg" "$work/$variant.png"
  name=$(sed -n "s/^variant $variant \([^ ]*\) .*/\1/p" "$root/content/layout/kreska.layout")
  parts+=("label:$name" "$work/$variant.png")
done
convert -background white -font "$font" -pointsize 18 "${parts[@]}" -append \
  -bordercolor white -border 12 -depth 8 -strip "$out"
