#!/bin/bash
# Fails when a Windows program imports a function that is not on the list of
# functions known to exist on Windows 2000, the oldest system the program
# supports: a missing import stops the loader before the program runs.
#   check_imports.sh program.exe allowed-imports.txt
set -eu
program=$1 allowed=$2

imports=$(i686-w64-mingw32-objdump -p "$program" | awk -F'\t' '
  /DLL Name:/ { split($2, a, " "); dll = toupper(a[3]); next }
  dll != "" && NF >= 3 && $2 ~ /^[0-9a-f]+$/ { split($3, b, " "); print dll "!" b[2] }' | sort -u)
[ -n "$imports" ] || { echo "no imports read from $program" >&2; exit 1; }

unknown=$(comm -23 <(printf '%s\n' "$imports") <(grep -v -e '^#' -e '^$' "$allowed" | sort -u))
if [ -n "$unknown" ]; then
  echo "$program imports functions not known to exist on Windows 2000:" >&2
  printf '  %s\n' $unknown >&2
  echo "Check each against the platform documentation, then add it to $allowed;" >&2
  echo "a newer function must be resolved by name at run time instead." >&2
  exit 1
fi
echo "$(printf '%s\n' "$imports" | wc -l) imports, all known to exist on Windows 2000"
