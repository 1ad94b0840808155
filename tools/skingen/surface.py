"""A drawing surface that paints shapes supersampled and text at final size."""
from PIL import Image, ImageDraw, ImageFont

from prereq import DEJAVU as FONT_DIR
_fonts = {}


def font(size, bold=False, condensed=False):
    name = "DejaVuSans%s%s.ttf" % ("Condensed" if condensed else "", "-Bold" if bold else "")
    key = (name, size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(FONT_DIR + name, size)
    return _fonts[key]


def lerp(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def hexc(s):
    s = s.lstrip("#")
    return tuple(int(s[i:i + 2], 16) for i in (0, 2, 4))


class Surface:
    SCALE = 3

    def __init__(self, w, h, fill=(0, 0, 0), base=None):
        self.w, self.h, self.s = w, h, self.SCALE
        if base is not None:
            self.img = base.convert("RGB").resize((w * self.s, h * self.s), Image.NEAREST)
        else:
            self.img = Image.new("RGB", (w * self.s, h * self.s), fill)
        self.draw = ImageDraw.Draw(self.img)
        self.texts = []

    def _box(self, box):
        x0, y0, x1, y1 = box
        s = self.s
        return (round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1)

    def _pts(self, pts):
        return [(x * self.s, y * self.s) for x, y in pts]

    # Shapes (coordinates in final pixels, boxes as x0, y0, x1, y1 exclusive).
    def rect(self, box, fill):
        self.draw.rectangle(self._box(box), fill=fill)

    def rrect(self, box, r, fill=None, outline=None, width=1):
        self.draw.rounded_rectangle(self._box(box), radius=r * self.s, fill=fill,
                                    outline=outline, width=max(1, round(width * self.s)))

    def gradient(self, box, r, top, bottom, outline=None, width=1, stops=None):
        x0, y0, x1, y1 = self._box(box)
        w, h = x1 - x0 + 1, y1 - y0 + 1
        if w <= 0 or h <= 0:
            return
        grad = Image.new("RGB", (1, h))
        for yy in range(h):
            t = yy / max(1, h - 1)
            grad.putpixel((0, yy), lerp(top, bottom, t) if stops is None else stops(t))
        grad = grad.resize((w, h))
        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).rounded_rectangle((0, 0, w - 1, h - 1), radius=r * self.s, fill=255)
        self.img.paste(grad, (x0, y0), mask)
        if outline is not None:
            self.rrect(box, r, outline=outline, width=width)

    def line(self, pts, fill, width=1.0):
        self.draw.line(self._pts(pts), fill=fill, width=max(1, round(width * self.s)), joint="curve")

    def polygon(self, pts, fill):
        self.draw.polygon(self._pts(pts), fill=fill)

    def ellipse(self, box, fill=None, outline=None, width=1):
        self.draw.ellipse(self._box(box), fill=fill, outline=outline,
                          width=max(1, round(width * self.s)))

    def arc(self, box, start, end, fill, width=1):
        self.draw.arc(self._box(box), start, end, fill=fill, width=max(1, round(width * self.s)))

    def glow(self, box, colour, radius, strength=0.6):
        """A soft light spot, blurred, added over what is there."""
        from PIL import ImageFilter
        x0, y0, x1, y1 = self._box(box)
        pad = radius * self.s * 2
        w, h = x1 - x0 + 1 + 2 * pad, y1 - y0 + 1 + 2 * pad
        m = Image.new("L", (w, h), 0)
        ImageDraw.Draw(m).ellipse((pad, pad, w - pad, h - pad), fill=round(255 * strength))
        m = m.filter(ImageFilter.GaussianBlur(radius * self.s))
        layer = Image.new("RGB", (w, h), colour)
        self.img.paste(layer, (x0 - pad, y0 - pad), m)

    # Text is drawn after the shapes are scaled down, so it stays crisp.
    def text(self, xy, s, fnt, fill, anchor="mm"):
        self.texts.append((xy, s, fnt, fill, anchor))

    def cover(self, box, fill):
        """Paints over the box, the texts anchored in it included (they are drawn last)."""
        x0, y0, x1, y1 = box
        self.texts = [t for t in self.texts if not (x0 <= t[0][0] < x1 and y0 <= t[0][1] < y1)]
        self.rect(box, fill)

    def finish(self):
        out = self.img.resize((self.w, self.h), Image.LANCZOS)
        d = ImageDraw.Draw(out)
        for xy, s, fnt, fill, anchor in self.texts:
            d.text(xy, s, font=fnt, fill=fill, anchor=anchor)
        return out
