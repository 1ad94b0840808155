"""Window backgrounds: frame, title strip and the panels behind the controls."""
import icons
import theme as t
from surface import font, lerp


def frame(sf, win, title_h=46):
    w, h, r = win.width, win.height, win.radius
    sf.rect((0, 0, w, h), t.WINDOW_BOTTOM)
    sf.gradient((0, 0, w, h), r, t.WINDOW_TOP, t.WINDOW_BOTTOM)
    sf.gradient((0, 0, w, title_h), r, t.TITLE_TOP, t.TITLE_BOTTOM)
    sf.rect((0, title_h - r, w, title_h), t.TITLE_BOTTOM)
    sf.line([(1, title_h), (w - 1, title_h)], (0x0e, 0x10, 0x12), 1)
    sf.line([(1, title_h + 1), (w - 1, title_h + 1)], (0x2a, 0x2e, 0x35), 1)
    sf.rrect((0, 0, w, h), r, outline=t.WINDOW_EDGE, width=1.2)


def heading(sf, text, icon):
    sf.rrect((16, 11, 40, 35), 6, fill=t.ACCENT)
    icons.draw(sf, icon, (18, 13, 38, 33), t.WINDOW_BOTTOM, 1.7)
    sf.text((50, 23), text, font(14, True), t.TEXT, anchor="lm")


def panel(sf, box, r=10, top=t.PANEL, bottom=t.PANEL, edge=t.PANEL_EDGE):
    sf.gradient(box, r, top, bottom, outline=edge, width=1)


def field(sf, rect, pad=3, r=5):
    x, y, w, h = rect
    sf.rrect((x - pad, y - pad, x + w + pad, y + h + pad), r, fill=t.FIELD, outline=t.FIELD_EDGE, width=1)


# ---- main window ----

def main(sf, win, canvas):
    import main_layout as m
    frame(sf, win)
    # keyboard deck
    x0, y0, x1, y1 = m.DECK
    sf.rrect((x0, y0 + 2, x1, y1 + 2), 12, fill=(0x0b, 0x0c, 0x0e))
    panel(sf, m.DECK, 12, t.DECK_TOP, t.DECK_BOTTOM, t.DECK_EDGE)
    sf.line([(x0 + 12, y0 + 1.5), (x1 - 12, y0 + 1.5)], (0x3a, 0x3f, 0x48), 0.8)
    # engraved name plate above the navigation keys
    nx0, nx1 = m.kx(15.5), m.kx(18.5) - m.GAP
    cy = m.ROW_G + (m.PITCH - m.GAP) / 2
    sf.text(((nx0 + nx1) / 2 + 1, cy + 1), "KELVARIN", font(12, True), (0x0c, 0x0d, 0x10))
    sf.text(((nx0 + nx1) / 2, cy), "KELVARIN", font(12, True), (0x3b, 0x40, 0x48))
    # divider between the G row and the function row
    sf.line([(x0 + 18, m.ROW_G + m.PITCH + 1), (x1 - 18, m.ROW_G + m.PITCH + 1)], (0x14, 0x16, 0x19), 1)
    # lighting panel
    lx0, ly0, lx1, ly1 = m.LIGHT
    panel(sf, m.LIGHT, 10, t.PANEL, t.PANEL, t.PANEL_EDGE)
    sf.line([(116, ly0 + 12), (116, ly1 - 12)], t.PANEL_EDGE, 1)
    sf.line([(750, ly0 + 12), (750, ly1 - 12)], t.PANEL_EDGE, 1)
    # command bar
    sf.line([(16, 516), (win.width - 16, 516)], (0x24, 0x27, 0x2d), 1)
    if canvas is not None and canvas.variant.startswith("glow"):
        colour = t.ACCENT if canvas.variant == "glow0" else (0x2a, 0xc8, 0xe8)
        sf.glow((x0 + 40, y1 - 30, x1 - 40, y1 - 6), colour, 10, 0.25)


# ---- composite dialog ----

def composite(sf, win, canvas):
    frame(sf, win)
    import dialog_layouts as d
    mx, my, mw, mh = d.MASK
    page = canvas.page if canvas is not None else ""
    box = (mx, my, mx + mw, my + mh)
    panel(sf, box, 8, t.PAGE, t.PAGE, t.PANEL_EDGE)
    sf.line([(16, 414), (win.width - 16, 414)], (0x24, 0x27, 0x2d), 1)
    if page == "key":
        _watermark(sf, "keyboard", (mx + mw - 150, my + mh - 118, mx + mw - 20, my + mh - 12))
        field(sf, win.control("FUNC_KEY_INPUT").rect, 4, 7)
    elif page == "macro":
        field(sf, win.control("FUNC_MACRO_LIST2").rect, 2, 4)
        field(sf, win.control("FUNC_MACRO_CYCLES").rect, 2, 4)
    elif page == "media":
        _watermark(sf, "media", (mx + mw - 170, my + mh - 170, mx + mw - 20, my + mh - 20))
    elif page == "function":
        _watermark(sf, "function", (mx + mw - 170, my + mh - 170, mx + mw - 20, my + mh - 20))


def _watermark(sf, name, box):
    icons.draw(sf, name, box, lerp(t.PAGE, t.TEXT, 0.045), 3)


# ---- profile manager and update dialogs ----

def profile(sf, win, canvas):
    frame(sf, win)
    heading(sf, win.title, "profiles")
    field(sf, win.control("PROGRAM_LIST").rect, 2, 4)
    sf.line([(16, 300), (win.width - 16, 300)], (0x24, 0x27, 0x2d), 1)


def update(sf, win, canvas):
    frame(sf, win)
    heading(sf, win.title, "update")
    field(sf, win.control("CONTROL_UPStatic").rect, 6, 6)
    sf.text((26, 60), "UPDATE PROGRAM", font(8, True), t.TEXT_FAINT, anchor="lm")
    sf.line([(16, 158), (win.width - 16, 158)], (0x24, 0x27, 0x2d), 1)


SCENES = {"Main.ini": main, "Composite.ini": composite, "Profile.ini": profile,
          "UpdateDlg.ini": update}
