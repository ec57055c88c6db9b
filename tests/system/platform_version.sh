#!/bin/bash
# DetectPlatform under several Windows versions of one prefix: each version
# that winecfg sets comes back as its version code, with the prefix's
# processor. The prefix's own version is restored afterwards.
#   platform_version.sh win32|win64 PREFIX_ROOT systemsteps.exe ARCHITECTURE VERSION=CODE...
set -u
kind=$1 root=$2 steps=$3 arch=$4
shift 4
run="$(dirname "$0")/../wine/wine-run.sh"
is64=0
[ "$arch" = 9 ] && is64=1

saved=$("$run" "$kind" "$root" winecfg -v | tr -d '\r')
if [ -z "$saved" ]; then
  echo "cannot read the prefix's Windows version" >&2
  exit 1
fi
trap '"$run" "$kind" "$root" winecfg -v "$saved"' EXIT

status=0
for pair in "$@"; do
  version=${pair%=*} code=${pair#*=}
  if ! "$run" "$kind" "$root" winecfg -v "$version"; then
    echo "winecfg -v $version failed"
    status=1
    continue
  fi
  got=$("$run" "$kind" "$root" "$steps" platform | tr -d '\r')
  expected="$code $arch $is64"
  if [ "$got" = "$expected" ]; then
    echo "$version: $got"
  else
    echo "$version: got '$got', expected '$expected'"
    status=1
  fi
done
exit $status
