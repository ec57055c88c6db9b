#!/usr/bin/env python3
"""Checks the generated layout chart against the layout source: each variant's
keyboard picture shows every character the layout types with and without
AltGr and every dead key, and the tables list every AltGr character and every
composition, so a reader finds each character.

  check_chart.py SOURCE CHART.html
"""
import os
import sys
from html.parser import HTMLParser

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "kbdc"))
import layout_source  # noqa: E402


class ChartReader(HTMLParser):
    """Collects the text of each <svg> and of the tables."""

    def __init__(self):
        super().__init__()
        self.pictures, self.tables = [], []
        self._in = None
        self.open_tags = []

    def handle_startendtag(self, tag, attrs):
        pass  # self-closed shapes hold no text

    def handle_starttag(self, tag, attrs):
        if tag not in ("br", "meta"):
            self.open_tags.append(tag)
        if tag == "svg":
            self.pictures.append([])
            self._in = self.pictures[-1]
        elif tag == "table":
            self.tables.append([])
            self._in = self.tables[-1]

    def handle_endtag(self, tag):
        if self.open_tags and self.open_tags[-1] == tag:
            self.open_tags.pop()
        else:
            raise ValueError("</%s> closes <%s>" % (tag, self.open_tags[-1] if self.open_tags else "nothing"))
        if tag in ("svg", "table"):
            self._in = None

    def handle_data(self, data):
        if self._in is not None and data.strip():
            self._in.append(data.strip())


def main(source, chart):
    layout = layout_source.read(source)
    reader = ChartReader()
    with open(chart, encoding="utf-8") as page:
        reader.feed(page.read())
    faults = []
    if reader.open_tags:
        faults.append("unclosed tags: %s" % reader.open_tags)
    if len(reader.pictures) != len(layout.variants):
        faults.append("%d keyboard pictures for %d variants" % (len(reader.pictures), len(layout.variants)))
    table_text = " ".join(" ".join(t) for t in reader.tables)
    for variant, picture in enumerate(reader.pictures):
        shown = set(picture)
        for vk, _, chars in layout.chars:
            if layout.scan_table(variant).count(vk) == 0 and vk not in (0x20,):
                continue  # keys outside the picture (keypad, control keys)
            for state in (0, 1, 3, 4):
                cp = chars[state]
                if cp is not None and cp > 0x20 and cp != 0xA0 and chr(cp) not in shown:
                    faults.append("variant %d: %s (U+%04X) missing from the picture" % (variant, chr(cp), cp))
        for _, _, accent, _ in layout.dead:
            if chr(accent) not in shown:
                faults.append("variant %d: dead key %s missing from the picture" % (variant, chr(accent)))
    for vk, _, chars in layout.chars:
        for state in (3, 4):
            cp = chars[state]
            if cp is not None and cp > 0x20 and ("U+%04X" % cp not in table_text or
                                                 (cp != 0xA0 and chr(cp) not in table_text)):
                faults.append("AltGr character U+%04X missing from the tables" % cp)
    for accent, pairs in layout.compose.items():
        for base, composed in pairs:
            if base not in (0x20, accent) and chr(composed) not in table_text:
                faults.append("composition %s missing from the dead-key table" % chr(composed))
    for fault in faults:
        print(fault)
    print("chart: %d pictures, %s" % (len(reader.pictures), "faults found" if faults else "every character shown"))
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.stderr.write(__doc__)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
