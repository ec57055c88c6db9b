#!/bin/bash
# Runs a Windows program under Wine in a prefix kept under the build folder.
#   wine-run.sh win32|win64 PREFIX_ROOT [--gui] program.exe [args...]
# win32 is a 32-bit prefix (a 32-bit Windows), win64 a default 64-bit one.
# The prefix is made on first use. --gui gives the program a display: the
# caller's, or a private Xvfb when there is none. The exit code is the program's.
set -u
arch=$1 root=$2
shift 2
gui=0
if [ "${1:-}" = --gui ]; then gui=1; shift; fi

export WINEPREFIX="$root/$arch"
export WINEDEBUG=-all
export KBD_WINE_PREFIX="$arch"  # tells the tests which Windows they run on
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
case "$arch" in
  win32) export WINEARCH=win32 ;;
  win64) export WINEARCH=win64 ;;
  *) echo "wine-run.sh: unknown prefix kind '$arch'" >&2; exit 2 ;;
esac

mkdir -p "$root"
# One user of a prefix at a time, also across separate ctest or make runs.
exec 9>"$root/$arch.lock"
flock 9

in_display() {
  if [ -n "${DISPLAY:-}" ] || [ "$gui" = 0 ]; then "$@"; else xvfb-run -a -s "-screen 0 1024x768x24" "$@"; fi
}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine-run.sh: creating the $arch prefix in $WINEPREFIX" >&2
  wine wineboot -i >/dev/null 2>&1
  wineserver -w
fi

in_display bash -c 'wine "$@"; rc=$?; wineserver -w; exit $rc' wine-run "$@"
