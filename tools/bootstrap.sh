#!/bin/bash
# Installs the Debian packages that building, testing and running need.
# Idempotent: does nothing (quickly) when everything is already there.
# Runs as root, or through sudo.
#   bootstrap.sh              what building, testing and running need
#   bootstrap.sh screenshot   also a headless browser, for docs/chart.png
set -eu

PACKAGES=(
  cmake make git file
  clang libclang-rt-14-dev          # native build: sanitizers and libFuzzer
  googletest                        # sources, built for each target
  zlib1g-dev libz-mingw-w64-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine32:i386 wine64
  xvfb xauth x11-utils xdotool imagemagick fonts-dejavu-core
  unicode-data                      # source of the upper-case table
  python3
)
if [ "${1:-}" = screenshot ]; then
  PACKAGES+=(chromium)
fi

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
