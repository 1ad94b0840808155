#!/usr/bin/python3
"""Draws the program's three icons: keyboard absent, attached, busy.

usage: make_icons.py OUT_DIR
Writes app.ico, attached.ico and busy.ico (16, 24, 32 and 48 pixels).
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import prereq  # noqa: E402

prereq.check("make_icons", modules=["PIL"])
from PIL import Image, ImageDraw  # noqa: E402

SIZES = [(16, 16), (24, 24), (32, 32), (48, 48)]

# Key-cap colour and status dot per icon; None = no dot.
ICONS = {
    "app.ico": ((90, 90, 100), None),
    "attached.ico": ((40, 110, 200), (60, 200, 80)),
    "busy.ico": ((40, 110, 200), (240, 150, 20)),
}


def draw(size, body, dot):
    scale = 4  # draw large, then shrink for smooth edges
    s = size * scale
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    pad = s // 10
    d.rounded_rectangle([pad, s // 4, s - pad, s - s // 5], radius=s // 10, fill=body + (255,),
                        outline=(20, 20, 30, 255), width=max(scale, s // 24))
    # Three rows of keys.
    rows, cols = 3, 5
    left, top, right, bottom = pad * 2, s // 4 + pad, s - pad * 2, s - s // 5 - pad
    kw, kh = (right - left) / cols, (bottom - top) / rows
    for r in range(rows):
        for c in range(cols):
            x0, y0 = left + c * kw + kw * 0.15, top + r * kh + kh * 0.15
            d.rectangle([x0, y0, x0 + kw * 0.7, y0 + kh * 0.7], fill=(235, 235, 240, 255))
    if dot:
        r = s // 5
        d.ellipse([s - 2 * r - 1, 0, s - 1, 2 * r], fill=dot + (255,), outline=(20, 20, 30, 255),
                  width=max(scale, s // 32))
    return img.resize((size, size), Image.LANCZOS)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, (body, dot) in ICONS.items():
        big = draw(48, body, dot)
        images = [draw(w, body, dot) for w, _ in SIZES]
        big.save(os.path.join(out, name), format="ICO", sizes=SIZES, append_images=images)


if __name__ == "__main__":
    main()
