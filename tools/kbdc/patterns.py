"""The byte patterns (texts 146 to 151) by which the installer finds the tables
it patches in a layout library image, and their check against built images."""
import struct

from emit_library import numpad_rows
from layout_source import SCAN_TABLE_LENGTH, VK_DECIMAL

DECIMAL, SCAN_TABLES, E0, E1 = 146, 147, 150, 151
SCAN_PREFIX = 0x16  # scan codes 00 to 15 tell the three variants apart
E0_PREFIX = 4


def _vsc_vk(rows):
    return b"".join(struct.pack("<BBH", sc, 0, vk) for sc, vk in rows)


def compute(layout):
    """StringId -> pattern bytes. Identical for every set and processor."""
    found = {}
    for variant in range(len(layout.variants)):
        table = layout.scan_table(variant)[:SCAN_PREFIX]
        found[SCAN_TABLES + variant] = struct.pack("<%dH" % len(table), *table)
    found[E0] = _vsc_vk(layout.e0[:E0_PREFIX])
    found[E1] = _vsc_vk(layout.e1) + b"\0" * 4
    decimal = [chars for vk, chars in numpad_rows(layout) if vk == VK_DECIMAL][0]
    # The two characters, then the zero row that ends the numpad table.
    found[DECIMAL] = struct.pack("<HH", *decimal) + b"\0" * 6
    return found


def as_text(pattern):
    return pattern.hex().upper()


def _occurrences(image, pattern):
    at, found = image.find(pattern), []
    while at >= 0:
        found.append(at)
        at = image.find(pattern, at + 1)
    return found


def _walk_vsc_vk(image, at):
    rows = []
    while image[at] != 0:
        sc, _, vk = struct.unpack_from("<BBH", image, at)
        rows.append((sc, vk))
        at += 4
    return rows


def verify(layout, variant, image):
    """Faults of one image: each pattern once, at the structure it marks;
    the other variants' scan-table patterns nowhere."""
    faults = []
    found = compute(layout)
    for number, pattern in sorted(found.items()):
        hits = _occurrences(image, pattern)
        own = number not in range(SCAN_TABLES, SCAN_TABLES + len(layout.variants)) \
            or number == SCAN_TABLES + variant
        if not own:
            if hits:
                faults.append("pattern %d of another variant matches at %s" % (number, hits))
            continue
        if len(hits) != 1:
            faults.append("pattern %d matches %d times" % (number, len(hits)))
            continue
        at = hits[0]
        if number == DECIMAL:
            if image[at - 2:at] != bytes([VK_DECIMAL, 0]):
                faults.append("pattern 146 is not at the decimal key's characters")
        elif number == E0 or number == E1:
            rows = layout.e0 if number == E0 else layout.e1
            if _walk_vsc_vk(image, at) != rows:
                faults.append("pattern %d is not at the %s table" % (number, "E0" if number == E0 else "E1"))
        else:
            table = struct.unpack_from("<%dH" % SCAN_TABLE_LENGTH, image, at)
            if list(table) != layout.scan_table(variant):
                faults.append("pattern %d is not at the scan-code table" % number)
    return faults
