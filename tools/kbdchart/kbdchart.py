#!/usr/bin/env python3
"""Layout chart generator: an HTML page, in English and Polish, with a picture
of the keyboard per layout variant and the tables of AltGr characters and
dead keys, all from the layout source.

  kbdchart.py SOURCE OUTPUT.html
"""
import os
import sys
from html import escape

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "kbdc"))
sys.path.insert(0, HERE)

import keyboard_svg  # noqa: E402
import layout_source  # noqa: E402

STYLE = """
body { font-family: "DejaVu Sans", Verdana, Arial, sans-serif; margin: 2em auto; max-width: 62em;
       color: #1a1a1a; line-height: 1.45; padding: 0 1em; }
h1 { font-size: 1.6em; } h2 { font-size: 1.25em; margin-top: 1.6em; } h3 { font-size: 1.05em; }
.pl { color: #44475a; font-style: italic; }
svg { max-width: 100%; height: auto; display: block; margin: 0.6em 0; }
table { border-collapse: collapse; margin: 0.6em 0 1.2em; }
th, td { border: 1px solid #b8bac4; padding: 0.25em 0.6em; text-align: left; }
th { background: #eceef3; }
.altgr { color: #1f5fbf; } .dead { color: #c0262d; font-weight: bold; }
.variant { page-break-inside: avoid; break-inside: avoid; }
@media print { body { margin: 0; max-width: none; } .variant { page-break-after: always; } }
"""

STATE_NAMES = {3: ("AltGr", "AltGr"), 4: ("Shift + AltGr", "Shift + AltGr")}
ACCENT_NAMES = {"GRAVE": ("grave accent", "akcent słaby"), "ACUTE": ("acute accent", "akcent ostry"),
                "DIAERESIS": ("diaeresis", "umlaut (diereza)"),
                "CIRCUMFLEX": ("circumflex", "daszek"), "TILDE": ("tilde", "tylda")}


def both(en, pl, tag="p"):
    return '<%s lang="en">%s</%s>\n<%s lang="pl" class="pl">%s</%s>' % (tag, en, tag, tag, pl, tag)


def key_name(layout, vk):
    """How the chart names a key: its base character in upper case."""
    if vk == 0x20:
        return "Space"
    cp = layout.char_of(vk, 0)
    return escape(chr(cp).upper()) if cp else "?"


def altgr_table(layout):
    rows = []
    for vk, _, chars in layout.chars:
        for state in (3, 4):
            cp = chars[state]
            if cp is None or cp < 0x20:
                continue
            shown = "nbsp (U+00A0)" if cp == 0xA0 else escape(chr(cp))
            combo = "Shift + AltGr + %s" % key_name(layout, vk) if state == 4 else "AltGr + %s" % key_name(layout, vk)
            rows.append('<tr><td class="altgr">%s</td><td>%s</td><td>U+%04X</td></tr>' % (shown, combo, cp))
    return ("<table><tr><th>Character / Znak</th><th>Keys / Klawisze</th><th>Code / Kod</th></tr>\n"
            + "\n".join(rows) + "</table>")


def dead_key_table(layout):
    rows = []
    for vk, state, accent, name in layout.dead:
        en, pl = ACCENT_NAMES.get(name, (name.lower(), name.lower()))
        keys = "%s + %s" % (STATE_NAMES[state][0], key_name(layout, vk))
        results = " ".join(escape(chr(composed)) for base, composed in layout.compose[accent] if base not in (0x20, accent))
        rows.append('<tr><td class="dead">%s</td><td>%s<br><span class="pl">%s</span></td><td>%s</td><td>%s</td></tr>'
                    % (escape(chr(accent)), en, pl, keys, results))
    return ("<table><tr><th>Accent / Akcent</th><th>Name / Nazwa</th><th>Keys / Klawisze</th>"
            "<th>Then a letter gives / Następnie litera daje</th></tr>\n" + "\n".join(rows) + "</table>")


def chart(layout):
    out = ['<!DOCTYPE html>', '<html lang="en">', "<head>", '<meta charset="utf-8">',
           '<meta http-equiv="X-UA-Compatible" content="IE=edge">',
           "<title>Kreska &ndash; keyboard layout chart / schemat układu klawiatury</title>",
           "<style>%s</style>" % STYLE, "</head>", "<body>",
           "<h1>Kreska &ndash; keyboard layout chart<br><span class=\"pl\" lang=\"pl\">"
           "Kreska &ndash; schemat układu klawiatury</span></h1>",
           both("Every key of the US English keyboard stays where it is. The right Alt key (AltGr) "
                "adds the Polish letters, typographic quotes and dashes, the euro sign and letters of "
                "other Central European languages. Each key below shows, on the left, the character "
                "it types alone (bottom) and with Shift (top); on the right, <span class=\"altgr\">in "
                "blue</span>, the character with AltGr (bottom) and with Shift + AltGr (top). "
                "Caps Lock works on the AltGr letters too.",
                "Każdy klawisz klawiatury amerykańskiej zostaje na swoim miejscu. Prawy Alt (AltGr) "
                "dodaje polskie litery, cudzysłowy i myślniki drukarskie, znak euro oraz litery innych "
                "języków Europy Środkowej. Na każdym klawiszu po lewej widać znak wpisywany samym "
                "klawiszem (na dole) i z Shift (u góry); po prawej, <span class=\"altgr\">na "
                "niebiesko</span>, znak z AltGr (na dole) i z Shift + AltGr (u góry). Caps Lock "
                "działa także na litery z AltGr."),
           both("<span class=\"dead\">Red</span> accents are dead keys of the alternative set "
                "(chosen during setup): press the accent, then a letter. In the normal set these "
                "positions type nothing, and ` ' \" ^ ~ are typed directly as on a US keyboard.",
                "Akcenty <span class=\"dead\">na czerwono</span> to martwe klawisze zestawu "
                "alternatywnego (wybieranego podczas instalacji): najpierw akcent, potem litera. "
                "W zestawie zwykłym te miejsca nic nie wpisują, a ` ' \" ^ ~ wpisuje się wprost, "
                "jak na klawiaturze amerykańskiej."),
           # Browsers before Internet Explorer 9 (those of Windows 2000 and XP)
           # cannot draw the keyboards and would show their legends as a jumble.
           "<!--[if lt IE 9]>" + both(
               "This browser cannot draw the keyboard pictures; the tables below list every character.",
               "Ta przeglądarka nie potrafi narysować klawiatur; tabele poniżej wymieniają każdy znak.")
           + "<![endif]-->"]
    notes = {
        0: ("The US English arrangement.", "Układ amerykański."),
        1: ("Y and Z swapped, as Polish typists are used to. AltGr + X gives ź, AltGr + Z ż, wherever Z is.",
            "Y i Z zamienione, jak w polskim układzie maszynistki. AltGr + X daje ź, AltGr + Z ż, gdziekolwiek jest Z."),
        2: ("The Colemak arrangement of letters; the AltGr characters follow the letters.",
            "Układ liter Colemak; znaki z AltGr idą za literami."),
    }
    for variant, (short, _) in enumerate(layout.variants):
        out.append('<section class="variant">')
        out.append("<h2>%s</h2>" % escape(short))
        en, pl = notes.get(variant, ("", ""))
        out.append(both(en, pl))
        out.append("<!--[if gte IE 9]><!-->")
        out.append(keyboard_svg.svg(layout, variant))
        out.append("<!--<![endif]-->")
        out.append("</section>")
    out.append("<h2>AltGr characters<br><span class=\"pl\" lang=\"pl\">Znaki z AltGr</span></h2>")
    out.append(both("The same in every variant: a character belongs to its letter, not to its place.",
                    "Takie same w każdym wariancie: znak należy do litery, nie do miejsca."))
    out.append(altgr_table(layout))
    out.append("<h2>Dead keys of the alternative set<br><span class=\"pl\" lang=\"pl\">"
               "Martwe klawisze zestawu alternatywnego</span></h2>")
    out.append(both("Press the accent, then the letter. The accent followed by the space bar, or pressed "
                    "twice, types the accent itself.",
                    "Najpierw akcent, potem litera. Akcent, a po nim spacja, albo akcent naciśnięty "
                    "dwa razy wpisuje sam akcent."))
    out.append(dead_key_table(layout))
    out.append("<h2>Other keys<br><span class=\"pl\" lang=\"pl\">Inne klawisze</span></h2>")
    out.append(both("The extra key left of Z on European keyboards types \\ and |. The keypad decimal "
                    "key types a full stop, or a comma when chosen during setup.",
                    "Dodatkowy klawisz na lewo od Z na klawiaturach europejskich wpisuje \\ i |. "
                    "Klawisz dziesiętny klawiatury numerycznej wpisuje kropkę albo przecinek, "
                    "jeśli wybrano go podczas instalacji."))
    out.append("</body>")
    out.append("</html>")
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    with open(argv[2], "w", encoding="utf-8", newline="\n") as target:
        target.write(chart(layout_source.read(argv[1])))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
