#!/bin/sh
# Runs the packager on a small sound text fixture, broken on purpose in one
# way per case, and checks that the build fails naming the StringId, or, for
# "sound", that the package verifies and a damaged byte is caught.
#   packager_fixture_test.sh <kbd-packager> <fixture folder> <case>
set -u
packager=$1
fixtures=$2
case=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$fixtures/texts" "$work/texts"

build() {
  "$packager" build --texts "$work/texts" --catalogue "$fixtures/catalogue.txt" \
    --cpp "$work/p.cpp" --bin "$work/p.bin" --manifest "$work/p.json" "$@" >"$work/out" 2>&1
}

# expect_failure <message>: the build must fail and say <message>.
expect_failure() {
  if build; then
    echo "the build passed; expected it to fail with: $1"
    exit 1
  fi
  cat "$work/out"
  grep -F -- "$1" "$work/out" >/dev/null || { echo "missing message: $1"; exit 1; }
}

case $case in
  sound)
    printf 'licence' >"$work/licence.txt"
    build --file "kLicenceRecords[0]=$work/licence.txt" || { cat "$work/out"; exit 1; }
    "$packager" verify "$work/p.json" || exit 1
    "$packager" extract "$work/p.json" "kLicenceRecords[0]" "$work/back.txt" || exit 1
    cmp "$work/licence.txt" "$work/back.txt" || exit 1
    grep -F 'const StoredRecord kLayoutRecords[78]' "$work/p.cpp" >/dev/null || exit 1
    # One byte of the last record flipped: verify names that record.
    size=$(wc -c <"$work/p.bin")
    printf '\377' | dd of="$work/p.bin" bs=1 seek=$((size - 3)) conv=notrunc 2>/dev/null
    if "$packager" verify "$work/p.json" >"$work/out" 2>&1; then
      echo "verify passed a damaged package"
      exit 1
    fi
    cat "$work/out"
    grep -E 'DAMAGED +kLicenceRecords\[0\]' "$work/out" >/dev/null || exit 1
    ;;
  missing_polish)
    printf '# nothing\n' >"$work/texts/pl/a.txt"
    expect_failure "text 10 is shown to users but has no Polish text"
    ;;
  text_for_integer)
    printf '12 %%s %%s\n30 0A0B\n' >"$work/texts/base/a.txt"
    expect_failure 'text 12 (format; arguments: integer, UTF-16 text): conversion "%s" at character 1 takes a UTF-16 text where argument 1 is an integer'
    ;;
  lower_case_pattern)
    printf '12 %%04X %%s\n30 0a0B\n' >"$work/texts/base/a.txt"
    expect_failure "text 30 (byte pattern) is not pairs of upper-case hexadecimal digits"
    ;;
  missing_everywhere)
    printf '# nothing\n' >"$work/texts/installer/a.txt"
    printf '10 Next\n40 SOFTWARE\n' >"$work/texts/en/a.txt"
    expect_failure "text 40 is used but interface language 1 (Polish) finds it in none of pl, base, installer"
    ;;
  *)
    echo "unknown case $case"
    exit 1
    ;;
esac
exit 0
