#!/usr/bin/env python3
"""Tests of the layout compiler: faulty sources are refused with the reason,
and the image check reports a pattern that is missing, repeated or
at the wrong structure."""
import os
import struct
import sys
import tempfile
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(ROOT, "tools", "kbdc"))
import layout_source  # noqa: E402
import patterns  # noqa: E402

SOURCE = os.path.join(ROOT, "content", "layout", "kreska.layout")


def read_with(replace_from, replace_to):
    with open(SOURCE, encoding="utf-8") as source:
        text = source.read()
    assert replace_from in text, replace_from
    with tempfile.NamedTemporaryFile("w", suffix=".layout", delete=False, encoding="utf-8") as changed:
        changed.write(text.replace(replace_from, replace_to, 1))
    try:
        return layout_source.read(changed.name)
    finally:
        os.unlink(changed.name)


class SourceChecks(unittest.TestCase):
    def test_faulty_sources_are_refused(self):
        cases = [
            ("\n02 1\n", "\n02 1\n01 ESCAPE\n", "repeated"),
            ("\n02 1\n", "\n02 NOSUCHKEY\n", "unknown virtual key"),
            ("\n36 RSHIFT+EXT\n", "\n36 RSHIFT+WIDE\n", "unknown key flag"),
            ("Q            CA    q       Q       ^Q      ä       Ä",
             "Q            CA    q       Q       ^Q      ä", "states"),
            ("Q            CA    q", "Q            CX    q", "CX"),
            ("\nOEM_7    AltGr        ´       ACUTE\n", "\nOEM_7    AltGr        ¸       CEDILLA\n",
             "no compositions"),
            ("\nDECIMAL      .     .\n", "\n", "decimal"),
            ("\n15 Y          QWERTZ=Z  Colemak=J\n", "\n15 Y          Dvorak=Z\n", "Dvorak"),
            ("\nvariant-pl 2 Polski (Kreska, Colemak)\n", "\n", "Polish name"),
        ]
        for before, after, reason in cases:
            with self.subTest(reason=reason):
                with self.assertRaisesRegex(layout_source.SourceError, reason):
                    read_with(before, after)

    def test_variants_differ_only_in_letters(self):
        layout = layout_source.read(SOURCE)
        qwerty, qwertz = layout.scan_table(0), layout.scan_table(1)
        self.assertEqual([sc for sc in range(len(qwerty)) if qwerty[sc] != qwertz[sc]], [0x15, 0x2C])
        self.assertEqual(sorted(layout.scan_table(2)), sorted(qwerty))  # Colemak moves keys, loses none


def catalogue_texts(folder):
    """StringId -> text of the single-line texts of one text folder."""
    texts = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".txt"):
            with open(os.path.join(folder, name), encoding="utf-8") as lines:
                for line in lines:
                    fields = line.split(None, 1)
                    if fields and fields[0].isdigit():
                        texts[int(fields[0])] = fields[1].strip() if len(fields) > 1 else ""
    return texts


class RegistrationTexts(unittest.TestCase):
    def test_registration_names_the_library_and_its_display_name(self):
        """The registration's file value (text 83) is the library's name, and its
        display name (text 84) points at the string resource of the variant's name."""
        layout = layout_source.read(SOURCE)
        texts = catalogue_texts(os.path.join(ROOT, "content", "texts", "base"))
        self.assertEqual(texts[83], layout.facts["file"])
        self.assertEqual(texts[84], "@%s,-%s" % (layout.facts["file"], layout.facts["display"]))


class KeyTableCoverage(unittest.TestCase):
    """The install patches the user's key choices into the library by scan code;
    a prefixed key missing from the library's E0 or E1 table would silently keep
    its own key."""

    def test_every_key_of_the_remapping_table_is_in_the_library(self):
        import re
        with open(os.path.join(ROOT, "src", "install", "key_table.cpp"), encoding="utf-8") as table:
            rows = [(int(sc, 16), int(vk, 16)) for sc, vk in
                    re.findall(r"\{0x([0-9A-Fa-f]{4}), 0x([0-9A-Fa-f]{4}), \d+, 0\}", table.read())
                    if int(sc, 16) != 0]
        self.assertEqual(len(rows), 144)
        layout = layout_source.read(SOURCE)
        tables = {0x00: dict(enumerate(layout.scan_table(0))), 0xE0: dict(layout.e0), 0xE1: dict(layout.e1)}
        for sc, vk in rows:
            if sc == 0x00FF:
                continue  # the key table's "no key" row; the install never patches it
            with self.subTest(scan="%04X" % sc):
                library = tables[sc >> 8].get(sc & 0xFF)
                self.assertIsNotNone(library)
                # The same key; the library may add flag bits of its own.
                self.assertEqual(library & 0xFF, vk & 0xFF)
                self.assertEqual(library & vk, vk)


class ImageChecks(unittest.TestCase):
    def setUp(self):
        self.layout = layout_source.read(SOURCE)
        self.found = patterns.compute(self.layout)

    def image(self, variant, extra=b""):
        """A stand-in image holding the four structures where a library holds them."""
        scan = struct.pack("<%dH" % layout_source.SCAN_TABLE_LENGTH, *self.layout.scan_table(variant))
        e0 = b"".join(struct.pack("<BBH", sc, 0, vk) for sc, vk in self.layout.e0) + b"\0" * 4
        e1 = b"".join(struct.pack("<BBH", sc, 0, vk) for sc, vk in self.layout.e1) + b"\0" * 4
        decimal = bytes([layout_source.VK_DECIMAL, 0]) + self.found[patterns.DECIMAL]
        return b"\x90" * 16 + scan + b"\x90" * 8 + e0 + e1 + b"\x90" * 2 + decimal + extra

    def test_each_pattern_once(self):
        for variant in range(3):
            self.assertEqual(patterns.verify(self.layout, variant, self.image(variant)), [])

    def test_faults_are_reported(self):
        scan147 = self.found[patterns.SCAN_TABLES]
        cases = [
            (0, self.image(0, extra=self.found[patterns.E1]), "pattern 151 matches 2 times"),
            (0, self.image(0).replace(self.found[patterns.DECIMAL], b"\0" * 10), "pattern 146 matches 0 times"),
            (1, self.image(1, extra=scan147), "pattern 147 of another variant"),
            (0, self.image(0).replace(bytes([layout_source.VK_DECIMAL, 0]) + self.found[patterns.DECIMAL],
                                      b"\x6F\x00" + self.found[patterns.DECIMAL]), "not at the decimal key"),
        ]
        for variant, image, fault in cases:
            with self.subTest(fault=fault):
                self.assertTrue(any(fault in f for f in patterns.verify(self.layout, variant, image)),
                                patterns.verify(self.layout, variant, image))


if __name__ == "__main__":
    unittest.main()
