"""Faces of image controls, one painter per face style, drawn in a given look."""
import math

import icons
import theme as t
from layout_model import CHECKED, DISABLED, DOWN, NORMAL, OVER
from surface import font, lerp


def cap_colours(look):
    """Top, bottom and edge colour of a raised button body."""
    if look == OVER:
        return t.CAP_OVER_TOP, t.CAP_OVER_BOTTOM, t.ACCENT
    if look == DOWN:
        return t.CAP_DOWN_TOP, t.CAP_DOWN_BOTTOM, t.ACCENT_LO
    if look == CHECKED:
        return lerp(t.CAP_TOP, t.ACCENT, 0.16), lerp(t.CAP_BOTTOM, t.ACCENT, 0.10), t.ACCENT
    if look == DISABLED:
        return t.CAP_OFF_TOP, t.CAP_OFF_BOTTOM, (0x34, 0x38, 0x3f)
    return t.CAP_TOP, t.CAP_BOTTOM, t.CAP_EDGE


def ink(look, normal=t.TEXT):
    return {OVER: t.WHITE, DOWN: t.ACCENT_HI, CHECKED: t.ACCENT_HI, DISABLED: t.TEXT_OFF}.get(look, normal)


def body(sf, box, look, r=6, sunk=True):
    """A raised, rounded button body with a shadow lip; returns the face box."""
    x0, y0, x1, y1 = box
    top, bottom, edge = cap_colours(look)
    sf.rrect((x0, y0 + 1, x1, y1), r, fill=t.CAP_SHADOW)
    if look == DOWN and sunk:
        face = (x0 + 1, y0 + 2, x1 - 1, y1 - 1)
    else:
        face = (x0, y0, x1, y1 - 2)
    sf.gradient(face, r, top, bottom, outline=edge, width=1)
    if look in (NORMAL, DISABLED):
        # a faint highlight along the top edge
        sf.line([(face[0] + r, face[1] + 1.2), (face[2] - r, face[1] + 1.2)],
                lerp(top, t.WHITE, 0.12), 0.8)
    if look == CHECKED:
        sf.rrect((face[0] + 5, face[3] - 4, face[2] - 5, face[3] - 2), 1, fill=t.ACCENT)
    if look == OVER:
        sf.line([(face[0] + r, face[3] - 1.5), (face[2] - r, face[3] - 1.5)], t.ACCENT, 1.2)
    return face


def _fit(text, max_w, size, bold, min_size=7):
    while size > min_size:
        f = font(size, bold, condensed=size < 10)
        if f.getlength(text) <= max_w:
            return f
        size -= 1
    return font(min_size, bold, condensed=True)


def _centre(face):
    return (face[0] + face[2]) / 2, (face[1] + face[3]) / 2


def key(sf, c, look, variant=""):
    box = (c.x, c.y, c.x + c.w, c.y + c.h)
    face = body(sf, box, look, r=5)
    cx, cy = _centre(face)
    legend = c.legend
    colour = ink(look)
    if isinstance(legend, tuple):
        upper, lower = legend
        sf.text((cx, face[1] + 9), upper, font(10), t.TEXT_DIM if look in (NORMAL,) else colour)
        sf.text((cx, face[3] - 10), lower, font(12, True), colour)
    elif legend.startswith("@"):
        icons.draw(sf, "tri_" + legend[1:], (cx - 8, cy - 8, cx + 8, cy + 8), colour)
    elif legend:
        sf.text((cx, cy), legend, legend_font(legend, c.w), colour)


def legend_font(legend, width):
    """Symbols and F keys in bold; names of keys in one condensed face."""
    if len(legend) == 1:
        return font(14, True)
    if legend[0] == "F" and legend[1:].isdigit():
        return font(11, True)
    for size, margin in ((10, 5), (9, 3), (8, 2)):
        f = font(size, True, condensed=True)
        if f.getlength(legend) <= width - margin:
            return f
    return f


def gkey(sf, c, look, variant=""):
    box = (c.x, c.y, c.x + c.w, c.y + c.h)
    face = body(sf, box, look, r=5)
    cx, cy = _centre(face)
    notch = t.ACCENT if look in (NORMAL, OVER, CHECKED) else (t.ACCENT_LO if look == DOWN else t.TEXT_OFF)
    sf.rrect((face[0] + 4, face[1] + 4, face[0] + 10, face[1] + 6), 1, fill=notch)
    # Set a little low: the window tags the top right corner with the key's layer name.
    sf.text((cx, cy + 3), c.legend, font(12, True), ink(look))


def dkey(sf, c, look, variant=""):
    """An alternate key of the flipped top row: its tile hides the key beneath, the cap leaves a gap."""
    import dataclasses
    import main_layout as m
    x0, y0, x1, y1 = c.x, c.y, c.x + c.w, c.y + c.h
    d0, d1 = m.DECK[1], m.DECK[3]
    sf.cover((x0, y0, x1, y1 + 1), lerp(t.DECK_TOP, t.DECK_BOTTOM, ((y0 + y1) / 2 - d0) / (d1 - d0)))
    key(sf, dataclasses.replace(c, w=c.w - m.GAP), look, variant)


def flip(sf, c, look, variant=""):
    box = (c.x, c.y, c.x + c.w, c.y + c.h)
    face = body(sf, box, look, r=5)
    cx, cy = _centre(face)
    colour = ink(look, t.TEXT)
    icons.draw(sf, "swap", (cx - 9, cy - 12, cx + 9, cy + 4), colour, 1.5)
    sf.text((cx, face[3] - 7), c.legend, font(8, True), ink(look, t.TEXT_DIM))


def flipind(sf, c, look, variant=""):
    x0, y0, x1, y1 = c.x, c.y, c.x + c.w, c.y + c.h - 2
    sf.rrect((x0, y0, x1, y1), 5, fill=t.FIELD, outline=t.DECK_EDGE, width=1)
    cx = (x0 + x1) / 2
    sf.text((cx, y0 + 11), c.legend[0], font(9, True), t.TEXT_DIM)
    sf.text((cx, y0 + 23), c.legend[1], font(9, True), t.TEXT_DIM)


def lock(sf, c, look, variant=""):
    x0, y0, x1, y1 = c.x, c.y, c.x + c.w, c.y + c.h - 2
    lit = look == CHECKED
    cx = (x0 + x1) / 2
    if lit:
        sf.glow((cx - 5, y0 + 7, cx + 5, y0 + 13), t.ACCENT, 4, 0.5)
    sf.ellipse((cx - 4, y0 + 6, cx + 4, y0 + 14), fill=t.ACCENT if lit else (0x2c, 0x2f, 0x35),
               outline=t.ACCENT_HI if lit else (0x3a, 0x3e, 0x45), width=1)
    sf.text((cx, y1 - 8), c.legend, _fit(c.legend, c.w - 2, 8, True), t.TEXT if lit else t.TEXT_DIM)


def logo(sf, c, look, variant=""):
    x0, y0, y1 = c.x, c.y, c.y + c.h
    colour = {OVER: t.ACCENT_HI, DOWN: t.ACCENT_LO}.get(look, t.ACCENT)
    # mark: a stylised key cap with a notch
    m = (x0 + 4, y0 + 3, x0 + 28, y0 + 27)
    sf.rrect(m, 6, fill=colour)
    sf.polygon([(m[0] + 7, m[1] + 6), (m[0] + 11, m[1] + 6), (m[0] + 11, m[1] + 11),
                (m[0] + 16, m[1] + 6), (m[0] + 21, m[1] + 6), (m[0] + 14, m[1] + 12),
                (m[0] + 21, m[1] + 18), (m[0] + 16, m[1] + 18), (m[0] + 11, m[1] + 13),
                (m[0] + 11, m[1] + 18), (m[0] + 7, m[1] + 18)], t.WINDOW_BOTTOM)
    text_colour = t.WHITE if look == OVER else t.TEXT
    sf.text((x0 + 36, (y0 + y1) / 2), c.legend, font(16, True), text_colour, anchor="lm")


def round_(sf, c, look, variant=""):
    x0, y0, x1, y1 = c.x, c.y, c.x + c.w, c.y + c.h
    fill = {OVER: (0x3a, 0x3f, 0x47), DOWN: t.ACCENT_DIM}.get(look, (0x2a, 0x2e, 0x34))
    edge = {OVER: t.ACCENT, DOWN: t.ACCENT}.get(look, (0x3a, 0x3f, 0x47))
    sf.ellipse((x0, y0, x1, y1), fill=fill, outline=edge, width=1)
    colour = {OVER: t.WHITE, DOWN: t.ACCENT_HI}.get(look, t.TEXT_DIM)
    icons.draw(sf, c.legend[1:], (x0 + 4, y0 + 4, x1 - 4, y1 - 4), colour, 1.3)


def chrome(sf, c, look, variant="", danger=False):
    x0, y0, x1, y1 = c.x, c.y, c.x + c.w, c.y + c.h
    if look == OVER:
        sf.rrect((x0, y0, x1, y1), 6, fill=t.RED if danger else (0x37, 0x3c, 0x44))
    elif look == DOWN:
        sf.rrect((x0, y0, x1, y1), 6, fill=(0xa8, 0x2f, 0x34) if danger else t.ACCENT_DIM)
    elif look == DISABLED:
        pass
    colour = {OVER: t.WHITE, DOWN: t.ACCENT_HI if not danger else t.WHITE,
              DISABLED: t.TEXT_OFF}.get(look, t.TEXT_DIM)
    name = c.legend[1:]
    if variant == "macro_only" and look == DISABLED:
        colour = (0x3d, 0x41, 0x48)
    icons.draw(sf, name, (x0 + 7, y0 + 6, x1 - 7, y1 - 6), colour, 1.5)


def close(sf, c, look, variant=""):
    chrome(sf, c, look, variant, danger=True)


def pill(sf, c, look, variant=""):
    box = (c.x, c.y, c.x + c.w, c.y + c.h)
    face = body(sf, box, look, r=7)
    _label(sf, c, face, look)


def primary(sf, c, look, variant=""):
    box = (c.x, c.y, c.x + c.w, c.y + c.h)
    x0, y0, x1, y1 = box
    top, bottom = {
        OVER: (t.ACCENT_HI, t.ACCENT),
        DOWN: (t.ACCENT_LO, (0xc8, 0x6a, 0x10)),
        DISABLED: (t.CAP_OFF_TOP, t.CAP_OFF_BOTTOM),
    }.get(look, ((0xf5, 0x8a, 0x1f), (0xd4, 0x6c, 0x0c)))
    sf.rrect((x0, y0 + 1, x1, y1), 7, fill=t.CAP_SHADOW)
    face = (x0, y0 + (1 if look == DOWN else 0), x1, y1 - 2 + (1 if look == DOWN else 0))
    if look == OVER and c.kind == "caption":
        # The button paints its own hover caption in the accent colour: an
        # accent fill would swallow it, so hover shows a dark face with an accent rim.
        sf.gradient(face, 7, (0x34, 0x2a, 0x1f), (0x26, 0x20, 0x19), outline=t.ACCENT, width=2)
        return
    sf.gradient(face, 7, top, bottom, outline=lerp(bottom, t.BLACK, 0.25), width=1)
    _label(sf, c, face, look, on_accent=True)


def _label(sf, c, face, look, on_accent=False):
    """Text or icon and text drawn into the image (dialogs whose buttons draw no caption)."""
    if c.legend is None:
        return
    cx, cy = _centre(face)
    colour = (0x1a, 0x12, 0x08) if on_accent and look != DISABLED else ink(look)
    if c.kind == "caption":
        # The button draws its own caption; the face carries only its icon, at the left.
        if isinstance(c.legend, str) and c.legend.startswith("@"):
            icons.draw(sf, c.legend[1:], (face[0] + 10, cy - 7, face[0] + 24, cy + 7), colour, 1.4)
        return
    if isinstance(c.legend, tuple):
        icon, text = c.legend
        f = font(11, True)
        tw = f.getlength(text)
        left = cx - (tw + 20) / 2
        icons.draw(sf, icon[1:], (left, cy - 7, left + 14, cy + 7), colour, 1.4)
        sf.text((left + 20, cy), text, f, colour, anchor="lm")
    else:
        sf.text((cx, cy), c.legend, font(11, True), colour)


def tab(sf, c, look, variant=""):
    x0, y0, x1, y1 = c.x, c.y, c.x + c.w, c.y + c.h
    if variant == "macro_only" and c.alt_faces:
        look = DISABLED
    fill = {OVER: (0x30, 0x34, 0x3b), DOWN: (0x2a, 0x2d, 0x33), CHECKED: (0x2a, 0x2d, 0x33),
            DISABLED: (0x1c, 0x1e, 0x22)}.get(look, (0x23, 0x26, 0x2b))
    edge = {OVER: (0x4a, 0x50, 0x59), CHECKED: (0x4a, 0x50, 0x59)}.get(look, t.PANEL_EDGE)
    sf.rrect((x0, y0, x1, y1), 7, fill=fill, outline=edge, width=1)
    if look in (DOWN, CHECKED):
        sf.rrect((x0 + 12, y1 - 4, x1 - 12, y1 - 1), 1.5, fill=t.ACCENT)
    elif look == OVER:
        sf.rrect((x0 + 22, y1 - 3, x1 - 22, y1 - 1), 1, fill=t.ACCENT_LO)
    if isinstance(c.legend, str) and c.legend.startswith("@"):
        colour = {DOWN: t.ACCENT, CHECKED: t.ACCENT, OVER: t.ACCENT_HI,
                  DISABLED: (0x3a, 0x3e, 0x45)}.get(look, t.TEXT_FAINT)
        icons.draw(sf, c.legend[1:], (x0 + 10, y0 + 9, x0 + 26, y0 + 25), colour, 1.4)


# The profile button draws its caption (the active profile's name) itself,
# turned 26.8 degrees about the button's centre: a sash at that angle carries it.
PROFILE_CAPTION_ANGLE = 26.8
PROFILE_SASH_WIDTH = 22


def _clip(points, box):
    """The convex polygon cut to the box (one edge of the box at a time)."""
    x0, y0, x1, y1 = box
    edges = [(lambda p: p[0] >= x0, lambda a, b: a[1] + (b[1] - a[1]) * (x0 - a[0]) / (b[0] - a[0]), 0, x0),
             (lambda p: p[0] <= x1, lambda a, b: a[1] + (b[1] - a[1]) * (x1 - a[0]) / (b[0] - a[0]), 0, x1),
             (lambda p: p[1] >= y0, lambda a, b: a[0] + (b[0] - a[0]) * (y0 - a[1]) / (b[1] - a[1]), 1, y0),
             (lambda p: p[1] <= y1, lambda a, b: a[0] + (b[0] - a[0]) * (y1 - a[1]) / (b[1] - a[1]), 1, y1)]
    for inside, cross, axis, at in edges:
        out = []
        for i, cur in enumerate(points):
            prev = points[i - 1]
            if inside(cur) != inside(prev):
                other = cross(prev, cur)
                out.append((at, other) if axis == 0 else (other, at))
            if inside(cur):
                out.append(cur)
        points = out
        if not points:
            break
    return points


def _band(centre, angle, half_width, reach):
    """A band through centre at the angle (counter-clockwise), half_width across, reach along each way."""
    cx, cy = centre
    a = math.radians(angle)
    ux, uy = math.cos(a), -math.sin(a)
    vx, vy = math.sin(a), math.cos(a)
    return [(cx - ux * reach - vx * half_width, cy - uy * reach - vy * half_width),
            (cx + ux * reach - vx * half_width, cy + uy * reach - vy * half_width),
            (cx + ux * reach + vx * half_width, cy + uy * reach + vy * half_width),
            (cx - ux * reach + vx * half_width, cy - uy * reach + vy * half_width)]


def profile(sf, c, look, variant=""):
    x0, y0, x1, y1 = c.x, c.y, c.x + c.w, c.y + c.h
    fill = {OVER: (0x2c, 0x30, 0x37), DOWN: (0x1c, 0x1f, 0x23)}.get(look, t.FIELD)
    edge = {OVER: t.ACCENT, DOWN: t.ACCENT_LO}.get(look, t.FIELD_EDGE)
    sf.rrect((x0, y0, x1, y1), 7, fill=fill, outline=edge, width=1)
    inner = (x0 + 1.5, y0 + 1.5, x1 - 1.5, y1 - 1.5)
    centre = ((x0 + x1) / 2, (y0 + y1) / 2)
    # The sash: a dark amber band with a bright edge on either side, cut by the button's frame.
    sash = {OVER: (0x3a, 0x2a, 0x1a), DOWN: (0x24, 0x1a, 0x10), DISABLED: (0x24, 0x26, 0x2a)}.get(
        look, t.ACCENT_DIM)
    rim = {DISABLED: t.TEXT_OFF, DOWN: t.ACCENT_LO}.get(look, t.ACCENT)
    half = PROFILE_SASH_WIDTH / 2
    sf.polygon(_clip(_band((centre[0] + 1, centre[1] + 1.5), PROFILE_CAPTION_ANGLE, half, 200), inner),
               t.CAP_SHADOW)
    sf.polygon(_clip(_band(centre, PROFILE_CAPTION_ANGLE, half + 1.2, 200), inner), rim)
    sf.polygon(_clip(_band(centre, PROFILE_CAPTION_ANGLE, half, 200), inner), sash)
    for offset in (-half + 2.5, half - 2.5):
        a = math.radians(PROFILE_CAPTION_ANGLE)
        dx, dy = math.sin(a) * offset, math.cos(a) * offset
        stitch = _clip(_band((centre[0] + dx, centre[1] + dy), PROFILE_CAPTION_ANGLE, 0.35, 200), inner)
        sf.polygon(stitch, lerp(sash, rim, 0.55))
    colour = {OVER: t.ACCENT_HI, DOWN: t.ACCENT}.get(look, t.ACCENT)
    icons.draw(sf, "profiles", (x0 + 8, y0 + 8, x0 + 26, y0 + 26), colour, 1.3)
    icons.draw(sf, "down", (x1 - 22, y0 + 11, x1 - 10, y1 - 11), t.TEXT_DIM, 1.4)


def version(sf, c, look, variant=""):
    x0, y0, y1 = c.x, c.y, c.y + c.h
    cy = (y0 + y1) / 2
    sf.ellipse((x0 + 4, cy - 3, x0 + 10, cy + 3), fill=t.ACCENT)
    sf.text((x0 + 18, cy), "KELVARIN  \u00b7  KEYBOARD CONFIGURATION", font(9, True), t.TEXT_FAINT, anchor="lm")


def rate(sf, c, look, variant=""):
    box = (c.x, c.y, c.x + c.w, c.y + c.h)
    face = body(sf, box, look, r=5)
    cx, cy = _centre(face)
    colour = ink(look)
    sf.text((cx, cy - 1), c.legend, font(11 if len(c.legend) < 4 else 10, True), colour)


def title(sf, c, look, variant=""):
    """The title's picture; its text is the window's caption, drawn in the user's language."""
    x0, y0 = c.x, c.y
    macro = variant == "macro_only"
    sf.rrect((x0 + 2, y0 + 3, x0 + 26, y0 + 27), 6, fill=t.ACCENT)
    icons.draw(sf, "macro" if macro else "key", (x0 + 4, y0 + 5, x0 + 24, y0 + 25), t.WINDOW_BOTTOM, 1.6)
    if c.legend:
        sf.text((x0 + 36, (y0 + c.y + c.h) / 2), c.legend, font(14, True), t.TEXT, anchor="lm")


def icon(sf, c, look, variant=""):
    box = (c.x, c.y, c.x + c.w, c.y + c.h)
    face = body(sf, box, look, r=6)
    colour = ink(look, t.TEXT)
    cx, cy = _centre(face)
    icons.draw(sf, c.legend[1:], (cx - 8, cy - 8, cx + 8, cy + 8), colour, 1.5)


def record(sf, c, look, variant=""):
    box = (c.x, c.y, c.x + c.w, c.y + c.h)
    face = body(sf, box, look, r=7)
    cy = (face[1] + face[3]) / 2
    dot = t.TEXT_OFF if look == DISABLED else t.RED
    sf.ellipse((face[0] + 10, cy - 4, face[0] + 18, cy + 4), fill=dot)


def none(sf, c, look, variant=""):
    pass


PAINTERS = {
    "key": key, "dkey": dkey, "gkey": gkey, "flip": flip, "flipind": flipind, "lock": lock, "logo": logo,
    "round": round_, "chrome": chrome, "close": close, "pill": pill, "primary": primary,
    "tab": tab, "profile": profile, "version": version, "rate": rate, "title": title,
    "icon": icon, "record": record, "page": none, "arrow": none,
}


def paint(sf, control, look, variant=""):
    PAINTERS[control.face](sf, control, look, variant)
