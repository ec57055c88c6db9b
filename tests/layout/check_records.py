#!/usr/bin/env python3
"""Checks the layout-library records of a built Package: every slot decodes to
the library it should (x86 for the 32-bit slots, x64 for the AMD64 slots),
the IA64 slots are empty, and identical images are stored once.

  check_records.py PACKAGER MANIFEST X86_DIR X64_DIR
"""
import os
import subprocess
import sys
import tempfile

SETS = ["normal", "alternative"]
VARIANTS = ["qwerty", "qwertz", "colemak"]
X86_SLOTS, X64_SLOTS, IA64_SLOTS = {0, 1, 2, 5, 8, 11}, {4, 7, 10, 12}, {3, 6, 9}


def listed_records(packager, manifest):
    """symbol -> stored offset, from the packager's listing."""
    out = subprocess.run([packager, "list", manifest], check=True, capture_output=True, text=True).stdout
    records = {}
    for line in out.splitlines()[1:]:
        fields = line.split()
        if len(fields) >= 3:
            records[fields[0]] = int(fields[1])
    return records


def main(packager, manifest, x86_dir, x64_dir):
    if not os.path.exists(manifest):
        print("no Package at %s: build the win32 configuration first" % manifest)
        return 1
    records = listed_records(packager, manifest)
    faults = []
    offsets = set()
    with tempfile.TemporaryDirectory() as scratch:
        for set_number, set_name in enumerate(SETS):
            for variant, variant_name in enumerate(VARIANTS):
                for slot in range(13):
                    symbol = "kLayoutRecords[%d]" % (set_number * 39 + variant * 13 + slot)
                    if slot in IA64_SLOTS:
                        if symbol in records:
                            faults.append("%s (IA64 slot) holds a record" % symbol)
                        continue
                    folder = x86_dir if slot in X86_SLOTS else x64_dir
                    library = os.path.join(folder, "kbdkrska-%s-%s.dll" % (set_name, variant_name))
                    if symbol not in records:
                        faults.append("%s is missing" % symbol)
                        continue
                    offsets.add(records[symbol])
                    out = os.path.join(scratch, "record.dll")
                    done = subprocess.run([packager, "extract", manifest, symbol, out],
                                          capture_output=True, text=True)
                    if done.returncode != 0:
                        faults.append("%s does not decode: %s" % (symbol, done.stderr.strip()))
                        continue
                    with open(out, "rb") as got, open(library, "rb") as want:
                        if got.read() != want.read():
                            faults.append("%s is not %s" % (symbol, library))
    images = len(SETS) * len(VARIANTS) * 2
    if not faults and len(offsets) != images:
        faults.append("%d distinct layout records stored, expected %d" % (len(offsets), images))
    for fault in faults:
        print(fault)
    print("%d layout slots checked, %d stored images, %s" % (
        2 * 3 * 13, len(offsets), "faults found" if faults else "all as expected"))
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.stderr.write(__doc__)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
