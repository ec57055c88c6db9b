"""Virtual-key names and flag bits of the platform's keyboard layout tables."""

FLAGS = {"EXT": 0x0100, "MULTIVK": 0x0200, "SPECIAL": 0x0400, "NUMPAD": 0x0800}

NAMED = {
    "CANCEL": 0x03, "BACK": 0x08, "TAB": 0x09, "CLEAR": 0x0C, "RETURN": 0x0D,
    "PAUSE": 0x13, "CAPITAL": 0x14, "ESCAPE": 0x1B, "SPACE": 0x20,
    "PRIOR": 0x21, "NEXT": 0x22, "END": 0x23, "HOME": 0x24, "LEFT": 0x25,
    "UP": 0x26, "RIGHT": 0x27, "DOWN": 0x28, "SNAPSHOT": 0x2C, "INSERT": 0x2D,
    "DELETE": 0x2E, "HELP": 0x2F, "LWIN": 0x5B, "RWIN": 0x5C, "APPS": 0x5D,
    "SLEEP": 0x5F, "MULTIPLY": 0x6A, "ADD": 0x6B, "SEPARATOR": 0x6C,
    "SUBTRACT": 0x6D, "DECIMAL": 0x6E, "DIVIDE": 0x6F, "NUMLOCK": 0x90,
    "SCROLL": 0x91, "LSHIFT": 0xA0, "RSHIFT": 0xA1, "LCONTROL": 0xA2,
    "RCONTROL": 0xA3, "LMENU": 0xA4, "RMENU": 0xA5, "BROWSER_BACK": 0xA6,
    "BROWSER_FORWARD": 0xA7, "BROWSER_REFRESH": 0xA8, "BROWSER_STOP": 0xA9,
    "BROWSER_SEARCH": 0xAA, "BROWSER_FAVORITES": 0xAB, "BROWSER_HOME": 0xAC,
    "VOLUME_MUTE": 0xAD, "VOLUME_DOWN": 0xAE, "VOLUME_UP": 0xAF,
    "MEDIA_NEXT_TRACK": 0xB0, "MEDIA_PREV_TRACK": 0xB1, "MEDIA_STOP": 0xB2,
    "MEDIA_PLAY_PAUSE": 0xB3, "LAUNCH_MAIL": 0xB4, "LAUNCH_MEDIA_SELECT": 0xB5,
    "LAUNCH_APP1": 0xB6, "LAUNCH_APP2": 0xB7, "OEM_1": 0xBA, "OEM_PLUS": 0xBB,
    "OEM_COMMA": 0xBC, "OEM_MINUS": 0xBD, "OEM_PERIOD": 0xBE, "OEM_2": 0xBF,
    "OEM_3": 0xC0, "ABNT_C1": 0xC1, "ABNT_C2": 0xC2, "OEM_4": 0xDB,
    "OEM_5": 0xDC, "OEM_6": 0xDD, "OEM_7": 0xDE, "OEM_102": 0xE2,
    "OEM_PA1": 0xEB,
}
NAMED.update({"F%d" % n: 0x6F + n for n in range(1, 25)})
NAMED.update({"NUMPAD%d" % n: 0x60 + n for n in range(10)})

NO_KEY = 0xFF  # the tables' value for a scan code that gives no virtual key


def parse_vk(text):
    """'HOME+NUMPAD+SPECIAL' -> 0x0C24; letters and digits stand for themselves."""
    base, *flags = text.split("+")
    if base.startswith("0x"):
        code = int(base, 16)
    elif len(base) == 1 and (base.isdigit() or "A" <= base <= "Z"):
        code = ord(base)
    elif base in NAMED:
        code = NAMED[base]
    else:
        raise ValueError("unknown virtual key %r" % base)
    for flag in flags:
        if flag not in FLAGS:
            raise ValueError("unknown key flag %r" % flag)
        code |= FLAGS[flag]
    return code
