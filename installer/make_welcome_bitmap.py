#!/usr/bin/python3
"""Draws the picture at the left of the installer's welcome and finish pages.

usage: make_welcome_bitmap.py OUT.bmp
A 164 x 314 24-bit bitmap, the size the setup pages show without scaling.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import prereq  # noqa: E402

FONT = prereq.DEJAVU + "DejaVuSans-Bold.ttf"
prereq.check("make_welcome_bitmap", modules=["PIL"], fonts=[FONT])

from PIL import Image, ImageDraw, ImageFont  # noqa: E402

WIDTH, HEIGHT = 164, 314


def gradient(img):
    d = ImageDraw.Draw(img)
    for y in range(HEIGHT):
        t = y / (HEIGHT - 1)
        d.line([(0, y), (WIDTH, y)], fill=(int(23 + 12 * t), int(32 + 40 * t), int(45 + 90 * t)))


def keyboard(d, top):
    left, right, bottom = 18, WIDTH - 18, top + 62
    d.rounded_rectangle([left, top, right, bottom], radius=8, fill=(52, 60, 74), outline=(150, 170, 200), width=2)
    rows = [12, 12, 11, 10]
    key_w = (right - left - 12) / 12
    for r, count in enumerate(rows):
        y = top + 7 + r * 13
        offset = left + 6 + (12 - count) * key_w / 2
        for c in range(count):
            x = offset + c * key_w
            lit = (r + c) % 5 == 0
            d.rectangle([x + 1, y, x + key_w - 2, y + 9], fill=(90, 170, 255) if lit else (200, 208, 220))


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    img = Image.new("RGB", (WIDTH, HEIGHT))
    gradient(img)
    d = ImageDraw.Draw(img)
    # The product name only: the pages show in every language.
    title = ImageFont.truetype(FONT, 22)
    w = d.textlength("Kelvarin", font=title)
    d.text(((WIDTH - w) / 2, 84), "Kelvarin", font=title, fill=(240, 244, 250))
    keyboard(d, 140)
    img.save(sys.argv[1], "BMP")
    return 0


if __name__ == "__main__":
    sys.exit(main())
