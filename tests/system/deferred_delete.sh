#!/bin/bash
# A file that is locked when it is deleted is scheduled for deletion at the
# next restart, and the restart of the prefix (wineboot -r) removes it.
#   deferred_delete.sh win32|win64 PREFIX_ROOT systemsteps.exe
set -u
kind=$1 root=$2 steps=$3
run="$(dirname "$0")/../wine/wine-run.sh"
name=kbd-system-deferred-$$.txt
"$run" "$kind" "$root" "$steps" schedule-locked "$name" || exit 1
"$run" "$kind" "$root" wineboot -r || exit 1
"$run" "$kind" "$root" "$steps" absent "$name"
