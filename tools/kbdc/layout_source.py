"""Reads the layout source (content/layout/*.layout) into the model that the
library compiler and the chart generator share."""
from vk_names import NO_KEY, parse_vk

STATES = ["base", "Shift", "Ctrl", "AltGr", "Shift+AltGr"]
# Modifier bits (Shift 1, Ctrl 2, Alt 4) of each state; AltGr is Ctrl+Alt.
STATE_BITS = [0, 1, 2, 6, 7]
CAPS = {"-": 0, "C": 0x01, "CA": 0x05}  # CAPLOK 1, CAPLOKALTGR 4
SETS = ["normal", "alternative"]
SCAN_TABLE_LENGTH = 0x7F  # scan codes 00 to 7E
VK_DECIMAL = 0x6E


class SourceError(Exception):
    pass


def parse_char(token):
    """One character token of the source -> code point, or None."""
    if token == "-":
        return None
    if token == "sp":
        return 0x20
    if token.startswith("U+") and len(token) > 2:
        return int(token[2:], 16)
    if token.startswith("^") and len(token) == 2:
        return ord(token[1]) - 0x40
    if len(token) == 1:
        return ord(token)
    raise SourceError("bad character %r" % token)


class Layout:
    def __init__(self):
        self.facts = {}
        self.variants = []      # (short name, display name), by variant number
        self.variants_pl = []   # Polish display names, by variant number
        self.keys = []          # (scan code, {variant number: virtual key})
        self.e0 = []            # (scan code, virtual key)
        self.e1 = []
        self.chars = []         # (vk, caps attributes, [5 code points or None])
        self.numpad = []        # (vk, [2 code points or None])
        self.dead = []          # (vk, state, accent, name)
        self.compose = {}       # accent -> [(base, composed)]
        self.names = []         # (scan code, text)
        self.names_ext = []

    # --- derived views -------------------------------------------------
    def scan_table(self, variant):
        table = [NO_KEY] * SCAN_TABLE_LENGTH
        for sc, vks in self.keys:
            table[sc] = vks[variant]
        return table

    def char_rows(self, set_name):
        """Rows of the wide character table for a set; a dead state holds the
        marker 'dead' and is followed by ('dead-row', accents per state)."""
        dead = {}
        if set_name == "alternative":
            for vk, state, accent, _ in self.dead:
                dead.setdefault(vk, {})[state] = accent
        rows = []
        for vk, caps, chars in self.chars:
            if vk in dead:
                shown = list(chars)
                accents = [None] * len(STATES)
                for state, accent in dead[vk].items():
                    shown[state] = "dead"
                    accents[state] = accent
                rows.append((vk, caps, shown))
                rows.append(("dead-row", 0, accents))
            else:
                rows.append((vk, caps, list(chars)))
        return rows

    def dead_keys(self, set_name):
        return self.dead if set_name == "alternative" else []

    def compositions(self, set_name):
        if set_name != "alternative":
            return []
        return [(accent, base, composed) for _, _, accent, _ in self.dead
                for base, composed in self.compose[accent]]

    def char_of(self, vk, state):
        for row_vk, _, chars in self.chars:
            if row_vk == vk:
                return chars[state]
        for row_vk, chars in self.numpad:
            if row_vk == vk:
                return chars[state] if state < len(chars) else None
        return None

    def display_name(self, variant, polish=False):
        return self.variants_pl[variant] if polish else self.variants[variant][1]


def read(path):
    layout = Layout()
    section = None
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            try:
                if line.startswith("["):
                    section = line.strip("[] ")
                    continue
                _read_line(layout, section, line)
            except (SourceError, ValueError, KeyError, IndexError) as error:
                raise SourceError("%s:%d: %s" % (path, number, error))
    _check(layout)
    return layout


def _read_line(layout, section, line):
    fields = line.split()
    if section == "layout":
        if fields[0] == "variant":
            number = int(fields[1])
            if number != len(layout.variants):
                raise SourceError("variants must be listed in order")
            layout.variants.append((fields[2], " ".join(fields[3:])))
        elif fields[0] == "variant-pl":
            if int(fields[1]) != len(layout.variants_pl):
                raise SourceError("variants must be listed in order")
            layout.variants_pl.append(" ".join(fields[2:]))
        else:
            layout.facts[fields[0]] = " ".join(fields[1:])
    elif section == "keys":
        base = parse_vk(fields[1])
        vks = {n: base for n in range(len(layout.variants))}
        shorts = [short for short, _ in layout.variants]
        for override in fields[2:]:
            name, vk = override.split("=")
            vks[shorts.index(name)] = parse_vk(vk)
        layout.keys.append((int(fields[0], 16), vks))
    elif section in ("e0", "e1"):
        getattr(layout, section).append((int(fields[0], 16), parse_vk(fields[1])))
    elif section == "chars":
        if len(fields) != 2 + len(STATES):
            raise SourceError("a character row needs a key, a Caps Lock mode and %d states" % len(STATES))
        layout.chars.append((parse_vk(fields[0]), CAPS[fields[1]], [parse_char(t) for t in fields[2:]]))
    elif section == "numpad":
        layout.numpad.append((parse_vk(fields[0]), [parse_char(t) for t in fields[1:3]]))
    elif section == "dead":
        state = STATES.index(fields[1])
        layout.dead.append((parse_vk(fields[0]), state, parse_char(fields[2]), fields[3]))
    elif section == "compose":
        pairs = [pair.split(":") for pair in fields[1:]]
        layout.compose[parse_char(fields[0])] = [(parse_char(b), parse_char(c)) for b, c in pairs]
    elif section in ("names", "names-ext"):
        target = layout.names if section == "names" else layout.names_ext
        target.append((int(fields[0], 16), line.split(None, 1)[1].strip()))
    else:
        raise SourceError("line outside a known section")


def _check(layout):
    """Faults that would give a library the platform misreads."""
    seen = set()
    for sc, _ in layout.keys:
        if sc in seen or not 0 < sc < SCAN_TABLE_LENGTH:
            raise SourceError("scan code %02X repeated or out of range" % sc)
        seen.add(sc)
    vks = [vk for vk, _, _ in layout.chars] + [vk for vk, _ in layout.numpad]
    if len(set(vks)) != len(vks):
        raise SourceError("a virtual key has two character rows")
    for vk, state, accent, _ in layout.dead:
        if vk not in vks:
            raise SourceError("dead key on a key without characters")
        if accent not in layout.compose:
            raise SourceError("accent U+%04X has no compositions" % accent)
    if len(layout.variants) != 3 or len(layout.variants_pl) != 3:
        raise SourceError("three variants expected, each with its Polish name")
    if not any(vk == VK_DECIMAL for vk, _ in layout.numpad):
        raise SourceError("the numpad section needs the decimal key")
