"""Pictures of the lighting panel: lamp, direction, tools, toggles, sliders, busy frames."""
import math

import icons
import theme as t
from surface import lerp

SWATCH = {"hong": (0xe5, 0x48, 0x4d), "huang": (0xf5, 0xc5, 0x18),
          "lv": (0x3c, 0xc8, 0x5a), "lan": (0x3b, 0x82, 0xf6)}


def lamp(sf, w, h, on):
    cx, cy, r = w / 2, h / 2, min(w, h) / 2 - 4
    if on:
        sf.glow((cx - r, cy - r, cx + r, cy + r), t.ACCENT, 4, 0.35)
    sf.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(0x26, 0x29, 0x2f) if not on else (0x3a, 0x28, 0x16),
               outline=t.ACCENT if on else (0x3d, 0x42, 0x4a), width=1.5)
    colour = t.ACCENT_HI if on else t.TEXT_DIM
    # power glyph: an open ring with a bar
    k = r * 0.48
    sf.arc((cx - k, cy - k + 2, cx + k, cy + k + 2), -60, 240, colour, 2.2)
    sf.line([(cx, cy - k - 3), (cx, cy + 1)], colour, 2.2)


def _button(sf, w, h, chosen, r=6):
    if chosen:
        sf.gradient((0, 0, w, h), r, lerp(t.ACCENT, t.WHITE, 0.05), t.ACCENT_LO,
                    outline=t.ACCENT_HI, width=1)
        return (0x1a, 0x12, 0x08)
    sf.gradient((0, 0, w, h), r, t.CAP_TOP, t.CAP_BOTTOM, outline=t.CAP_EDGE, width=1)
    return t.TEXT


def direction(sf, w, h, glyph, chosen):
    colour = _button(sf, w, h, chosen)
    name = {"left": "arrow_left", "right": "arrow_right", "up": "arrow_up", "down": "arrow_down"}.get(glyph, glyph)
    k = 9 if name.startswith("arrow") else 16
    icons.draw(sf, name, (w / 2 - k, h / 2 - k, w / 2 + k, h / 2 + k), colour, 1.8)


def tool(sf, w, h, kind, chosen):
    colour = _button(sf, w, h, chosen)
    icons.draw(sf, "brush" if kind == "paint" else "erase", (w / 2 - 9, h / 2 - 9, w / 2 + 9, h / 2 + 9),
               colour, 1.6)


def toggle(sf, w, h, pressed):
    cx, cy, r = w / 2, h / 2, min(w, h) / 2 - 1.5
    if pressed:
        sf.ellipse((cx - r, cy - r, cx + r, cy + r), fill=t.ACCENT_DIM, outline=t.ACCENT, width=1.2)
        sf.ellipse((cx - 4, cy - 4, cx + 4, cy + 4), fill=t.ACCENT)
    else:
        sf.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(0x2c, 0x30, 0x36), outline=t.CAP_EDGE, width=1.2)
        sf.ellipse((cx - 4, cy - 4, cx + 4, cy + 4), outline=t.TEXT_DIM, width=1.4)


def swatch(sf, w, h, name, chosen):
    colour = SWATCH[name]
    sf.rrect((1, 1, w - 1, h - 1), 4, fill=colour, outline=t.WHITE if chosen else lerp(colour, t.BLACK, 0.4),
             width=2 if chosen else 1)
    if chosen:
        sf.line([(w * 0.28, h * 0.52), (w * 0.45, h * 0.68), (w * 0.74, h * 0.34)], t.WHITE, 2)


def slider(sf, w, h, n):
    """Faces 0..5 and 6..11 put the thumb at position 0..5; higher numbers are out of range."""
    if n <= 11:
        pos = n % 6 if n < 6 else n - 6
        over = False
    else:
        pos, over = 5, True
    left, right, cy = 10, w - 10, h / 2
    x = left + pos * (right - left) / 5
    sf.rrect((left - 3, cy - 2.5, right + 3, cy + 2.5), 2.5, fill=t.FIELD, outline=(0x30, 0x34, 0x3b), width=1)
    if x > left:
        sf.gradient((left - 3, cy - 2.5, x, cy + 2.5), 2.5, t.ACCENT_HI, t.ACCENT)
    for i in range(6):
        tx = left + i * (right - left) / 5
        sf.ellipse((tx - 1.2, cy + 6, tx + 1.2, cy + 8.4), fill=t.ACCENT_LO if i <= pos else (0x3d, 0x42, 0x4a))
    sf.ellipse((x - 8, cy - 8, x + 8, cy + 8), fill=(0x0d, 0x0e, 0x10))
    sf.gradient((x - 7, cy - 7.5, x + 7, cy + 6.5), 7, (0xf2, 0xf3, 0xf5), (0xb8, 0xbd, 0xc4),
                outline=t.ACCENT if not over else t.RED, width=1.3)
    sf.ellipse((x - 2.2, cy - 2.7, x + 2.2, cy + 1.7), fill=t.ACCENT if not over else t.RED)


def busy(sf, w, h, frame):
    cx, cy, r = w / 2, h / 2, min(w, h) / 2 - 3
    box = (cx - r, cy - r, cx + r, cy + r)
    sf.ellipse(box, outline=(0x30, 0x34, 0x3a), width=3)
    head = frame * 36 - 90
    for i in range(8):
        colour = lerp(t.ACCENT_HI, (0x30, 0x34, 0x3a), (i / 8) ** 1.3)
        sf.arc(box, head - (i + 1) * 14, head - i * 14 + 1, colour, 3.2)
    a = math.radians(head)
    sf.ellipse((cx + r * math.cos(a) - 2.2, cy + r * math.sin(a) - 2.2,
                cx + r * math.cos(a) + 2.2, cy + r * math.sin(a) + 2.2), fill=t.WHITE)


PAINTERS = {"lamp": lamp, "direction": direction, "tool": tool, "toggle": toggle,
            "swatch": swatch, "slider": slider, "busy": busy}


def paint(sf, bitmap, w, h):
    PAINTERS[bitmap.painter](sf, w, h, *bitmap.args)
