#!/bin/bash
# Redraws docs/chart.png, the picture of the layout chart that the README
# shows: the generated chart page as headless Chromium renders it, from the
# top down to the last keyboard picture.
#   tools/kbdchart/screenshot.sh [OUTPUT.png]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/docs/chart.png}
"$root/tools/bootstrap.sh" screenshot
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tools/kbdchart/kbdchart.py" "$root/content/layout/kreska.layout" "$work/chart.html"
# A fresh profile and no background traffic: the machine may have no network.
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
  --disable-background-networking --disable-component-update --disable-sync \
  --hide-scrollbars --user-data-dir="$work/profile" --window-size=1000,1820 \
  --screenshot="$work/chart.png" "file://$work/chart.html" >/dev/null 2>&1
convert "$work/chart.png" -strip "$out"
