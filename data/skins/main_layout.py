"""Main window: title strip, profile bar, keyboard deck, lighting panel, command bar."""
from layout_model import Bitmap, Canvas, Control, Window

W, H = 960, 572
PITCH, GAP = 39, 4          # key pitch and the gap between two caps
KX0 = 34                    # left edge of the keyboard
ROW_G, ROW_F = 110, 154     # G-key row, function row
ROWS = [199, 238, 277, 316, 355]
DECK = (14, 98, 946, 402)
LIGHT = (14, 410, 946, 510)
TITLE_H = 46

KEY_FACES = ("N", "O", "D", "N", "X")
PLAIN_FACES = ("N", "O", "D", "N", "N")
LINK_FACES = ("N", "O", "X", "N", "N")
LOCK_FACES = ("N", "N", "N", "N", "O")
# The flipped top row: D1..D6 in place of F1..F4, drawn only on the two
# canvases no other button uses (normal C0, hover and pressed C1).
D_FACES = ("C0", "C1", "C1", "C0", "C1")
FLIPPED_KEYS = (0x03B, 0x03C, 0x03D, 0x03E)

# key index -> (legend, x in key units, row, width units, height units)
# A legend is one text or (upper, lower) for keys with a shifted symbol.
_F = "F"
KEYBOARD = {
    0x001: ("Esc", 0, _F, 1), 0x03B: ("F1", 2, _F, 1), 0x03C: ("F2", 3, _F, 1),
    0x03D: ("F3", 4, _F, 1), 0x03E: ("F4", 5, _F, 1), 0x03F: ("F5", 6.5, _F, 1),
    0x040: ("F6", 7.5, _F, 1), 0x041: ("F7", 8.5, _F, 1), 0x042: ("F8", 9.5, _F, 1),
    0x043: ("F9", 11, _F, 1), 0x044: ("F10", 12, _F, 1), 0x057: ("F11", 13, _F, 1),
    0x058: ("F12", 14, _F, 1), 0x0B7: ("PrtSc", 15.5, _F, 1),
    0x046: ("ScrLk", 16.5, _F, 1), 0x045: ("Pause", 17.5, _F, 1),
    # number row
    0x029: (("~", "`"), 0, 0, 1), 0x002: (("!", "1"), 1, 0, 1), 0x003: (("@", "2"), 2, 0, 1),
    0x004: (("#", "3"), 3, 0, 1), 0x005: (("$", "4"), 4, 0, 1), 0x006: (("%", "5"), 5, 0, 1),
    0x007: (("^", "6"), 6, 0, 1), 0x008: (("&", "7"), 7, 0, 1), 0x009: (("*", "8"), 8, 0, 1),
    0x00A: (("(", "9"), 9, 0, 1), 0x00B: ((")", "0"), 10, 0, 1), 0x00C: (("_", "-"), 11, 0, 1),
    0x00D: (("+", "="), 12, 0, 1), 0x00E: ("Backspace", 13, 0, 2),
    0x0D2: ("Ins", 15.5, 0, 1), 0x0C7: ("Home", 16.5, 0, 1), 0x0C9: ("PgUp", 17.5, 0, 1),
    0x0C5: ("NumLk", 19, 0, 1), 0x0B5: ("/", 20, 0, 1), 0x037: ("*", 21, 0, 1),
    0x04A: ("-", 22, 0, 1),
    # top letter row
    0x00F: ("Tab", 0, 1, 1.5), 0x010: ("Q", 1.5, 1, 1), 0x011: ("W", 2.5, 1, 1),
    0x012: ("E", 3.5, 1, 1), 0x013: ("R", 4.5, 1, 1), 0x014: ("T", 5.5, 1, 1),
    0x015: ("Y", 6.5, 1, 1), 0x016: ("U", 7.5, 1, 1), 0x017: ("I", 8.5, 1, 1),
    0x018: ("O", 9.5, 1, 1), 0x019: ("P", 10.5, 1, 1), 0x01A: (("{", "["), 11.5, 1, 1),
    0x01B: (("}", "]"), 12.5, 1, 1), 0x02B: (("|", "\\"), 13.5, 1, 1.5),
    0x0D3: ("Del", 15.5, 1, 1), 0x0CF: ("End", 16.5, 1, 1), 0x0D1: ("PgDn", 17.5, 1, 1),
    0x047: ("7", 19, 1, 1), 0x048: ("8", 20, 1, 1), 0x049: ("9", 21, 1, 1),
    0x04E: ("+", 22, 1, 1, 2),
    # home row
    0x03A: ("Caps Lock", 0, 2, 1.75), 0x01E: ("A", 1.75, 2, 1), 0x01F: ("S", 2.75, 2, 1),
    0x020: ("D", 3.75, 2, 1), 0x021: ("F", 4.75, 2, 1), 0x022: ("G", 5.75, 2, 1),
    0x023: ("H", 6.75, 2, 1), 0x024: ("J", 7.75, 2, 1), 0x025: ("K", 8.75, 2, 1),
    0x026: ("L", 9.75, 2, 1), 0x027: ((":", ";"), 10.75, 2, 1), 0x028: (('"', "'"), 11.75, 2, 1),
    0x01C: ("Enter", 12.75, 2, 2.25),
    0x04B: ("4", 19, 2, 1), 0x04C: ("5", 20, 2, 1), 0x04D: ("6", 21, 2, 1),
    # shift row
    0x02A: ("Shift", 0, 3, 2.25), 0x02C: ("Z", 2.25, 3, 1), 0x02D: ("X", 3.25, 3, 1),
    0x02E: ("C", 4.25, 3, 1), 0x02F: ("V", 5.25, 3, 1), 0x030: ("B", 6.25, 3, 1),
    0x031: ("N", 7.25, 3, 1), 0x032: ("M", 8.25, 3, 1), 0x033: (("<", ","), 9.25, 3, 1),
    0x034: ((">", "."), 10.25, 3, 1), 0x035: (("?", "/"), 11.25, 3, 1),
    0x036: ("Shift", 12.25, 3, 2.75), 0x0C8: ("@up", 16.5, 3, 1),
    0x04F: ("1", 19, 3, 1), 0x050: ("2", 20, 3, 1), 0x051: ("3", 21, 3, 1),
    0x09C: ("Enter", 22, 3, 1, 2),
    # bottom row
    0x01D: ("Ctrl", 0, 4, 1.25), 0x0DB: ("Win", 1.25, 4, 1.25), 0x038: ("Alt", 2.5, 4, 1.25),
    0x039: ("", 3.75, 4, 6.25), 0x0B8: ("Alt", 10, 4, 1), 0x0DC: ("Win", 11, 4, 1),
    0x0DD: ("Menu", 13, 4, 1), 0x09D: ("Ctrl", 14, 4, 1),
    0x0CB: ("@left", 15.5, 4, 1), 0x0D0: ("@down", 16.5, 4, 1), 0x0CD: ("@right", 17.5, 4, 1),
    0x052: ("0", 19, 4, 2), 0x053: (".", 21, 4, 1),
}
FN_KEY = ("Fn", 12, 4, 1)


def kx(u):
    return KX0 + round(u * PITCH)


def key_rect(u, row, wu, hu=1):
    y = ROW_F if row == _F else ROWS[row]
    w = round(wu * PITCH) - GAP
    return kx(u), y, w, round(hu * PITCH) - GAP


def _key_controls():
    out = []
    for index, spec in KEYBOARD.items():
        legend, u, row, wu = spec[:4]
        hu = spec[4] if len(spec) > 4 else 1
        x, y, w, h = key_rect(u, row, wu, hu)
        group = "top" if index in FLIPPED_KEYS else "common"
        out.append(Control("KEY_%03X" % index, x, y, w, h, "key", "key", legend, KEY_FACES, group=group))
    # Six tiles from the Esc key's gap to F5; each cap leaves the gap to the next.
    tile = (kx(6.5) - GAP - kx(1)) // 6
    for n in range(1, 7):
        out.append(Control("KEY_D%d" % n, kx(1) + (n - 1) * tile, ROW_F, tile, PITCH - GAP, "key", "dkey",
                           "D%d" % n, D_FACES, group="flip"))
    x, y, w, h = key_rect(*FN_KEY[1:])
    out.append(Control("KEY_FN", x, y, w, h, "key", "key", "Fn", KEY_FACES))
    for n in range(1, 10):
        x, y, w, h = kx(n - 1), ROW_G, PITCH - GAP, PITCH - GAP
        out.append(Control("FUNC_G%d" % n, x, y, w, h, "key", "gkey", "G%d" % n, KEY_FACES))
    return out


def _deck_extras():
    y, h = ROW_G, PITCH - GAP
    out = [
        Control("FLIP_1", 404, y, 48, h, "button", "flip", "FLIP", KEY_FACES),
        Control("LEFT_ARROW", 456, y, 18, h, "sprite", "arrow"),
        Control("FLIP_0", 478, y, 68, h, "button", "flipind", ("TOP", "ROW"), ("N", "N", "N", "N", "X"),
                inert=True),
        Control("RIGHT_ARROW", 550, y, 18, h, "sprite", "arrow"),
        Control("FLIP_2", 572, y, 47, h, "button", "flip", "FLIP", KEY_FACES),
    ]
    for i, (key, text) in enumerate((("LOCK_CAPS", "CAPS"), ("LOCK_NUM", "NUM"),
                                     ("LOCK_SCROLL", "SCROLL"), ("LOCK_AB", "A/B"))):
        # The A/B lamp lights on its checked canvas while the G keys show layer B.
        out.append(Control(key, kx(19 + i), y, PITCH - GAP, h, "button", "lock", text, LOCK_FACES,
                           inert=key != "LOCK_AB"))
    return out


# Arrow.jpg: one column per arrow, one row per animation frame.
ARROW_W, ARROW_H = 18, PITCH - GAP
ARROW_COLUMNS = ("UP_ARROW_LEFT", "UP_ARROW_RIGHT", "DOWN_ARROW_LEFT", "DOWN_ARROW_RIGHT")
ARROW_SHEET = ("Arrow.jpg", 4 * (ARROW_W + 4), 2 * (ARROW_H + 4))


def _arrow_sprites():
    out = []
    for col, name in enumerate(ARROW_COLUMNS):
        for frame in (1, 2):
            # The face is cut one pixel up and left of the entry's x, y.
            x = col * (ARROW_W + 4) + 3
            y = (frame - 1) * (ARROW_H + 4) + 3
            legend = (name.split("_")[0].lower(), frame)
            out.append(Control(name + str(frame), x, y, ARROW_W, ARROW_H, "sprite",
                               "arrowsprite", legend, section="BUTTONINFO2"))
    return out


def _chrome():
    return [
        Control("TORVIK_LINK", 14, 8, 172, 30, "button", "logo", "KELVARIN", LINK_FACES),
        Control("FACEBOOK_LINK", 742, 10, 26, 26, "button", "round", "@globe", LINK_FACES),
        Control("TWITTER_LINK", 772, 10, 26, 26, "button", "round", "@chat", LINK_FACES),
        Control("CONTROL_MENU", 812, 9, 30, 28, "button", "chrome", "@menu", PLAIN_FACES),
        Control("CONTROL_HELP", 846, 9, 30, 28, "button", "chrome", "@help", PLAIN_FACES),
        Control("CONTROL_MINIMIZE", 880, 9, 30, 28, "button", "chrome", "@min", PLAIN_FACES),
        Control("CONTROL_CLOSE", 914, 9, 30, 28, "button", "close", "@close", PLAIN_FACES),
        Control("FUNC_SWITCH", 420, 10, 80, 26, "caption", "pill", None, KEY_FACES, hidden=True),
        # profile bar
        Control("FUNC_PROFILE1", 16, 56, 104, 34, "caption", "tab", None, KEY_FACES),
        Control("FUNC_PROFILE2", 124, 56, 104, 34, "caption", "tab", None, KEY_FACES),
        Control("FUNC_PROFILE3", 232, 56, 104, 34, "caption", "tab", None, KEY_FACES),
        Control("FUNC_PROFILES", 352, 52, 250, 42, "caption", "profile", "@folder", PLAIN_FACES),
        Control("FUNC_MACRO", 730, 56, 104, 34, "caption", "pill", None, PLAIN_FACES),
        Control("FUNC_DEFAULT", 840, 56, 104, 34, "caption", "pill", None, KEY_FACES),
        # command bar
        Control("TORVIK_VER", 16, 528, 240, 28, "caption", "version", "KELVARIN", ("N", "N", "N", "N", "N"),
                inert=True),
        Control("CONTROL_OK", 618, 524, 104, 34, "caption", "primary", None, PLAIN_FACES),
        Control("CONTROL_CANCEL", 728, 524, 104, 34, "caption", "pill", None, PLAIN_FACES),
        Control("CONTROL2_APPLY", 838, 524, 104, 34, "caption", "pill", None, ("N", "O", "D", "X", "N")),
        Control("CONTROL_JDTStatic", 580, 527, 28, 28, "picture"),
    ]


R1, R2 = 422, 464           # lighting panel rows
LIGHT_GROUPS = ("dir", "user")


def _lighting():
    c = Control
    out = [
        c("CONTROL_DengStaPic", 36, 418, 56, 56, "picture"),
        c("CONTROL_DengStatic", 20, 478, 88, 18, "label"),
        c("CONTROL_XGcombox", 128, R1 + 1, 190, 26 + 300, "combo", drop=300),
        c("CONTROL_LightStatic", 332, R1 + 5, 68, 18, "label"),
        c("CONTROL_LightSlider", 402, R1 + 2, 130, 24, "slider"),
        c("CONTROL_SpeedStatic", 550, R1 + 5, 54, 18, "label"),
        c("CONTROL_SpeedSlider", 606, R1 + 2, 130, 24, "slider"),
        c("CONTROL_UsbStatic", 762, R1 + 5, 168, 18, "label"),
        c("FUNC_REPORT1", 762, R2, 39, 28, "button", "rate", "1000", KEY_FACES),
        c("FUNC_REPORT2", 805, R2, 39, 28, "button", "rate", "500", KEY_FACES),
        c("FUNC_REPORT3", 848, R2, 39, 28, "button", "rate", "250", KEY_FACES),
        c("FUNC_REPORT4", 891, R2, 39, 28, "button", "rate", "125", KEY_FACES),
    ]
    for suffix in ("", "2", "3"):
        out += [
            c("CONTROL_BLFXStatic" + suffix, 128, R2 + 5, 80, 18, "label", group="dir"),
            c("CONTROL_BLFXLStaPic" + suffix, 212, R2, 40, 28, "picture", group="dir"),
            c("CONTROL_BLFXRStaPic" + suffix, 256, R2, 40, 28, "picture", group="dir"),
        ]
        # Only the first set is shown where it stands; the others are move targets.
        if suffix:
            for ctl in out[-3:]:
                ctl.hidden = True
    out += [
        c("CONTROL_umCombo", 128, R2 + 1, 190, 26 + 240, "combo", group="user", drop=240),
        c("CONTROL_USERgjStatic", 332, R2 + 5, 40, 18, "label", group="user"),
        c("CONTROL_USERgjStaPic1", 374, R2, 34, 28, "picture", group="user"),
        c("CONTROL_USERgjStaPic2", 412, R2, 34, 28, "picture", group="user"),
        c("CONTROL_HXsjsStaPic", 462, R2, 28, 28, "picture", group="user"),
        c("CONTROL_HXsjsStatic", 494, R2 + 5, 90, 18, "label", group="user"),
        c("CONTROL_LEDsjsStaPic", 596, R2, 28, 28, "picture", group="user"),
        c("CONTROL_LEDsjsStatic", 628, R2 + 5, 110, 18, "label", group="user"),
    ]
    return out


NEVER_SHOWN = [
    "CONTROL_FYYSStatic", "CONTROL_FYYSButton", "CONTROL_FYSJSStaPic", "CONTROL_FYSJSStatic",
    "CONTROL_FYCFStatic", "CONTROL_FYdjcfStatic", "CONTROL_FYggcfStatc", "CONTROL_FYdjcfStaPic",
    "CONTROL_FYggcfStaPic", "CONTROL_HXysStatic", "CONTROL_HXysButton", "CONTROL_JTysStatic",
    "CONTROL_JTysButton", "CONTROL_USERysStatic", "CONTROL_USERysButton", "CONTROL_USERjsStatic",
    "CONTROL_USERjsButton", "CONTROL_TSysStatic", "CONTROL_TSysButton", "CONTROL_TSsjsStatic",
    "CONTROL_TSsjsStaPic", "CONTROL_CDysStatic", "CONTROL_CDysButton", "CONTROL_CDsjsStatic",
    "CONTROL_CDsjsStaPic",
]
COLOUR_CHOICES = [("CONTROL_HONGPIC", "hong"), ("CONTROL_HUANGPIC", "huang"),
                  ("CONTROL_LVPIC", "lv"), ("CONTROL_LANPIC", "lan")]


def _never_shown():
    # Kept inside the lighting panel in a tidy grid so a skin editor can find them.
    out = []
    for i, key in enumerate(NEVER_SHOWN):
        kind = "picture" if key.endswith(("StaPic", "Pic")) else (
            "colour" if key.endswith("Button") else "label")
        w = 28 if kind == "picture" else (48 if kind == "colour" else 60)
        out.append(Control(key, 128 + (i % 9) * 64, R1 + (i // 9) * 8, w, 20, kind, hidden=True))
    for i, (key, _) in enumerate(COLOUR_CHOICES):
        out.append(Control(key, 640 + i * 26, R1, 22, 22, "picture", hidden=True))
    return out


def _bitmaps():
    b = []
    b += [Bitmap("dengup.bmp", "CONTROL_DengStaPic", "lamp", (False,)),
          Bitmap("dengdown.bmp", "CONTROL_DengStaPic", "lamp", (True,))]
    for name, glyph in (("left", "left"), ("right", "right"), ("up", "up"), ("down", "down"),
                        ("kuosan", "spread"), ("julong", "gather")):
        # "leftup" is the released face, "leftdown" the chosen one; the pictures
        # of the spread/gather pair are "kuosan" and "kuosandown".
        released = name + ("up" if name in ("left", "right", "up", "down") else "")
        b += [Bitmap(released + ".bmp", "CONTROL_BLFXLStaPic", "direction", (glyph, False)),
              Bitmap(name + "down.bmp", "CONTROL_BLFXLStaPic", "direction", (glyph, True))]
    b += [Bitmap("user1up.bmp", "CONTROL_USERgjStaPic1", "tool", ("paint", False)),
          Bitmap("user1down.bmp", "CONTROL_USERgjStaPic1", "tool", ("paint", True)),
          Bitmap("user2up.bmp", "CONTROL_USERgjStaPic2", "tool", ("erase", False)),
          Bitmap("user2down.bmp", "CONTROL_USERgjStaPic2", "tool", ("erase", True)),
          Bitmap("sjsup.bmp", "CONTROL_HXsjsStaPic", "toggle", (False,)),
          Bitmap("sjsdown.bmp", "CONTROL_HXsjsStaPic", "toggle", (True,))]
    for key, name in COLOUR_CHOICES:
        b += [Bitmap(name + ".bmp", key, "swatch", (name, False)),
              Bitmap(name + "ok.bmp", key, "swatch", (name, True))]
    for n in range(26):
        b.append(Bitmap("%d.bmp" % n, "CONTROL_LightSlider", "slider", (n,)))
    for n in range(1, 11):
        b.append(Bitmap("jdt%d.bmp" % n, "CONTROL_JDTStatic", "busy", (n - 1,)))
    return b


def build():
    controls = _key_controls() + _deck_extras() + _chrome() + _lighting() + _never_shown()
    controls += _arrow_sprites()
    return Window(
        ini="Main.ini", width=W, height=H, background="main_bg.jpg", mask="main_mask.bmp",
        radius=14, controls=controls,
        canvases=[Canvas("main_normal.jpg", "N"), Canvas("main_over.jpg", "O"),
                  Canvas("main_down.jpg", "D"), Canvas("main_disable.jpg", "X"),
                  Canvas("main_color0.jpg", "C0", page="flip", variant="glow0"),
                  Canvas("main_color1.jpg", "C1", page="flip", variant="glow1")],
        screen_extra={
            "Link": "https://www.example.invalid/kelvarin",
            "Facebook_Link": "https://social.example.invalid/kelvarin",
            "Twitter_Link": "https://news.example.invalid/kelvarin",
        },
        bitmaps=_bitmaps(),
        sprite_sheet=ARROW_SHEET,
        exclusive=(LIGHT_GROUPS, ("top", "flip")),
        pages=("flip",),
    )
