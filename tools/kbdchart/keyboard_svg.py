"""Draws one layout variant as an SVG keyboard: each key shows its base and
Shift characters on the left, AltGr and Shift+AltGr on the right, and the
alternative set's dead keys in red."""
from html import escape

UNIT = 56          # one key width in pixels
GAP = 4
# Rows of the main block: (scan code or label, width in key units).
ROWS = [
    [(0x29, 1), (0x02, 1), (0x03, 1), (0x04, 1), (0x05, 1), (0x06, 1), (0x07, 1), (0x08, 1),
     (0x09, 1), (0x0A, 1), (0x0B, 1), (0x0C, 1), (0x0D, 1), ("Backspace", 2)],
    [("Tab", 1.5), (0x10, 1), (0x11, 1), (0x12, 1), (0x13, 1), (0x14, 1), (0x15, 1), (0x16, 1),
     (0x17, 1), (0x18, 1), (0x19, 1), (0x1A, 1), (0x1B, 1), (0x2B, 1.5)],
    [("Caps Lock", 1.75), (0x1E, 1), (0x1F, 1), (0x20, 1), (0x21, 1), (0x22, 1), (0x23, 1),
     (0x24, 1), (0x25, 1), (0x26, 1), (0x27, 1), (0x28, 1), ("Enter", 2.25)],
    [("Shift", 2.25), (0x2C, 1), (0x2D, 1), (0x2E, 1), (0x2F, 1), (0x30, 1), (0x31, 1),
     (0x32, 1), (0x33, 1), (0x34, 1), (0x35, 1), ("Shift", 2.75)],
    [("Ctrl", 1.25), ("Win", 1.25), ("Alt", 1.25), (0x39, 6.25), ("AltGr", 1.25), ("Win", 1.25),
     ("Menu", 1.25), ("Ctrl", 1.25)],
]
# Characters that would not show as themselves on a key cap.
SHOWN_AS = {0x20: "", 0xA0: "nbsp"}

BASE_COLOUR, ALTGR_COLOUR, DEAD_COLOUR = "#1a1a1a", "#1f5fbf", "#c0262d"


def _label(cp):
    if cp in SHOWN_AS:
        return SHOWN_AS[cp]
    return chr(cp)


def key_legends(layout, variant, scan):
    """[(state, text, kind)] for one key; kind 'char', 'altgr' or 'dead'."""
    vk = layout.scan_table(variant)[scan]
    legends = []
    for state in range(5):
        if state == 2:
            continue  # Ctrl gives control characters, not shown
        cp = layout.char_of(vk, state)
        if cp is not None and cp >= 0x20:
            legends.append((state, _label(cp), "altgr" if state >= 3 else "char"))
    for dead_vk, state, accent, _ in layout.dead:
        if dead_vk == vk:
            legends.append((state, chr(accent), "dead"))
    return legends


def shapes(layout, variant):
    """The picture as primitives: ('rect', x, y, w, h, fill) and
    ('text', x, y, text, size, colour, anchor, bold)."""
    out = []
    for row_number, row in enumerate(ROWS):
        x = GAP
        y = GAP + row_number * UNIT
        for key, units in row:
            w = units * UNIT - GAP
            h = UNIT - GAP
            out.append(("rect", x, y, w, h, "#f4f4f6" if isinstance(key, int) else "#dcdde3"))
            if isinstance(key, str):
                out.append(("text", x + 6, y + h - 8, key, 11, "#444444", "start", False))
            else:
                out += _legends(layout, variant, key, x, y, w, h)
            x += units * UNIT
    return out


def size():
    return 15 * UNIT + GAP, len(ROWS) * UNIT + GAP


def svg(layout, variant):
    width, height = size()
    parts = ['<svg viewBox="0 0 %d %d" width="%d" height="%d" role="img" aria-label="%s"'
             ' font-family="DejaVu Sans, Verdana, Arial, sans-serif">'
             % (width, height, width, height, escape(layout.display_name(variant)))]
    for shape in shapes(layout, variant):
        if shape[0] == "rect":
            parts.append('<rect x="%g" y="%g" width="%g" height="%g" rx="5" fill="%s" stroke="#8a8c96"/>'
                         % shape[1:])
        else:
            _, x, y, text, size_px, colour, anchor, bold = shape
            parts.append('<text x="%g" y="%g" font-size="%d" fill="%s" text-anchor="%s"%s>%s</text>'
                         % (x, y, size_px, colour, anchor, ' font-weight="bold"' if bold else "", escape(text)))
    parts.append("</svg>")
    return "\n".join(parts)


def _legends(layout, variant, scan, x, y, w, h):
    out = []
    # Positions: Shift top left, base bottom left, Shift+AltGr top right, AltGr bottom right.
    place = {1: (x + 7, y + 19, "start"), 0: (x + 7, y + h - 8, "start"),
             4: (x + w - 7, y + 19, "end"), 3: (x + w - 7, y + h - 8, "end")}
    for state, text, kind in key_legends(layout, variant, scan):
        px, py, anchor = place[state]
        colour = {"char": BASE_COLOUR, "altgr": ALTGR_COLOUR, "dead": DEAD_COLOUR}[kind]
        out.append(("text", px, py, text, 11 if len(text) > 1 else 17, colour, anchor, kind == "dead"))
    return out
