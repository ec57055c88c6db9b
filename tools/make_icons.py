#!/usr/bin/env python3
"""Draws the program's icons (a key cap with a stroke) and writes them as .ico.

res/banner.ico  (group 128): 32x32 and 16x16 in 16 and 256 colours, 48x48 in 256.
res/window.ico  (group 129): 16x16 and 32x32 in 16 and 256 colours.
Usage: make_icons.py OUTPUT_FOLDER
"""
import struct
import sys

# Palette index -> RGB. The first 16 are the standard 16-colour palette, so the
# 16-colour images use the same indices as the 256-colour ones.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
# Extra shades for the 256-colour images: a softer cap and a blue stroke.
EXTRA = [(236, 236, 240), (92, 96, 112), (40, 88, 200), (200, 204, 214)]
PALETTE = VGA + EXTRA + [(0, 0, 0)] * (256 - len(VGA) - len(EXTRA))
CAP, EDGE, STROKE, SHADOW = 16, 17, 18, 19
CAP16, EDGE16, STROKE16, SHADOW16 = 15, 8, 12, 7


def draw(size, colours):
    """Returns rows (top first) of palette indices, None for transparent."""
    cap, edge, stroke, shadow = colours
    m = max(1, size // 16)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            inside = m <= x < size - m and m <= y < size - m
            corner = min(x - m, size - m - 1 - x) + min(y - m, size - m - 1 - y) < m
            if not inside or corner:
                row.append(None)
            elif x in (m, size - m - 1) or y in (m, size - m - 1):
                row.append(edge)
            elif y >= size - 4 * m:
                row.append(shadow)
            elif size * 5 // 16 <= x < size * 11 // 16 and size * 7 // 16 <= y < size * 7 // 16 + 2 * m:
                row.append(stroke)
            elif size * 9 // 32 <= x < size * 13 // 32 and size * 5 // 32 <= y < size * 10 // 32 and (x - y) % 3 == 0:
                row.append(stroke)  # the accent above the stroke
            else:
                row.append(cap)
        rows.append(row)
    return rows


def image(size, bits):
    colours = (CAP, EDGE, STROKE, SHADOW) if bits == 8 else (CAP16, EDGE16, STROKE16, SHADOW16)
    rows = draw(size, colours)
    ncol = 1 << bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0, ncol, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE[:ncol])
    xor = b''
    mask = b''
    for row in reversed(rows):  # bitmaps are stored bottom-up
        idx = [0 if c is None else c for c in row]
        if bits == 8:
            line = bytes(idx)
        else:
            line = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, size, 2))
        xor += line + b'\0' * (-len(line) % 4)
        mbits = 0
        mline = b''
        for i, c in enumerate(row):
            mbits = (mbits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                mline += bytes([mbits])
                mbits = 0
        mask += mline + b'\0' * (-len(mline) % 4)
    return header + palette + xor + mask


def write_ico(path, formats):
    images = [(size, bits, image(size, bits)) for size, bits in formats]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 16 if bits == 4 else 0, 0, 1, bits,
                           len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(data for _, _, data in images))


if __name__ == '__main__':
    folder = sys.argv[1]
    write_ico(folder + '/banner.ico', [(32, 4), (32, 8), (16, 4), (16, 8), (48, 8)])
    write_ico(folder + '/window.ico', [(16, 4), (16, 8), (32, 4), (32, 8)])
