#!/usr/bin/python3
"""Draws every skin image and writes every skin INI file from the layout modules.

usage: skingen.py LAYOUT_DIR OUT_DIR [STAMP]
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.dirname(HERE))
import prereq  # noqa: E402

prereq.check("skingen", modules=["PIL"], fonts=prereq.FONTS)
from PIL import Image  # noqa: E402

JPEG_QUALITY = 94


def render_scene(win, canvas):
    import faces
    import scenes
    from surface import Surface
    sf = Surface(win.width, win.height)
    scenes.SCENES[win.ini](sf, win, canvas)
    cid = canvas.canvas_id if canvas is not None else None
    variant = canvas.variant if canvas is not None else ""
    page = canvas.page if canvas is not None else ""
    for c in win.controls:
        if c.hidden or c.section != "BUTTONINFO" or c.kind not in ("key", "button", "caption"):
            continue
        # a page's controls appear only in the pictures of that page
        if c.group in win.pages and c.group != page:
            continue
        look = c.look_in(cid) if cid and not c.inert else "normal"
        faces.paint(sf, c, look, variant)
    return sf.finish()


def shifted(img):
    """A button shows its canvas from one pixel above and left of its own position."""
    out = img.copy()
    out.paste(img.crop((1, 1, img.width, img.height)), (0, 0))
    return out


def mask(win):
    from PIL import ImageDraw
    s = 4
    m = Image.new("L", (win.width * s, win.height * s), 0)
    ImageDraw.Draw(m).rounded_rectangle((0, 0, win.width * s - 1, win.height * s - 1),
                                        radius=win.radius * s, fill=255)
    m = m.resize((win.width, win.height), Image.LANCZOS)
    # Pure white is outside; anything at least half covered belongs to the window.
    return m.point(lambda v: 0 if v >= 128 else 255).convert("RGB")


def sprite_sheet(win, background):
    import icons
    import theme as t
    from surface import Surface
    name, w, h = win.sprite_sheet
    left = win.control("LEFT_ARROW")
    tile = background.crop((left.x, left.y, left.x + left.w, left.y + left.h))
    base = Image.new("RGB", (w, h), t.DECK_TOP)
    for c in win.controls:
        if c.section == "BUTTONINFO2":
            base.paste(tile, (c.x - 1, c.y - 1))
    sf = Surface(w, h, base=base)
    for c in win.controls:
        if c.section != "BUTTONINFO2":
            continue
        direction, frame = c.legend
        x0, y0 = c.x - 1, c.y - 1
        colour = t.ACCENT if frame == 1 else t.ACCENT_HI
        cy = y0 + c.h / 2
        icons.draw(sf, "tri_" + direction, (x0 + 2, cy - 7, x0 + c.w - 2, cy + 7), colour)
    return sf.finish()


def bitmaps(win, background, out):
    import bitmaps as bm
    from surface import Surface
    for b in win.bitmaps:
        c = win.control(b.control)
        base = background.crop((c.x, c.y, c.x + c.w, c.y + c.h))
        sf = Surface(c.w, c.h, base=base)
        bm.paint(sf, b, c.w, c.h)
        sf.finish().save(os.path.join(out, b.file), "BMP")


def ini_sections(win):
    screen = [("Main", win.background), ("Mask", win.mask)] + list(win.screen_extra.items())
    info = [(c.key, c.entry()) for c in win.controls if c.section == "BUTTONINFO"]
    info2 = [(c.key, c.entry()) for c in win.controls if c.section == "BUTTONINFO2"]
    return [("SCREEN", screen), ("BUTTONINFO", info), ("BUTTONINFO2", info2)]


def generate(layout_dir, out):
    sys.path.insert(0, layout_dir)
    import iniwriter
    import layout
    os.makedirs(out, exist_ok=True)
    for win in layout.windows():
        background = render_scene(win, None)
        background.save(os.path.join(out, win.background), "JPEG", quality=JPEG_QUALITY, subsampling=0)
        mask(win).save(os.path.join(out, win.mask), "BMP")
        for canvas in win.canvases:
            img = shifted(render_scene(win, canvas))
            img.save(os.path.join(out, canvas.file), "JPEG", quality=JPEG_QUALITY, subsampling=0)
        if win.sprite_sheet:
            sprite_sheet(win, background).save(os.path.join(out, win.sprite_sheet[0]), "JPEG",
                                               quality=JPEG_QUALITY, subsampling=0)
        bitmaps(win, background, out)
        iniwriter.write(os.path.join(out, win.ini), ini_sections(win))


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    generate(os.path.abspath(argv[1]), argv[2])
    if len(argv) > 3:
        with open(argv[3], "w") as f:
            f.write("ok\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
