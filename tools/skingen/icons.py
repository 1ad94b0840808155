"""Line icons drawn into a box; every icon is plain geometry, no font glyphs."""
import math


def draw(sf, name, box, colour, weight=1.6):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    r = min(x1 - x0, y1 - y0) / 2
    fn = ICONS[name]
    fn(sf, cx, cy, r, colour, weight)


def _chevron(sf, cx, cy, r, c, w, direction):
    d = r * 0.55
    if direction == "up":
        pts = [(cx - d, cy + d / 2), (cx, cy - d / 2), (cx + d, cy + d / 2)]
    elif direction == "down":
        pts = [(cx - d, cy - d / 2), (cx, cy + d / 2), (cx + d, cy - d / 2)]
    elif direction == "left":
        pts = [(cx + d / 2, cy - d), (cx - d / 2, cy), (cx + d / 2, cy + d)]
    else:
        pts = [(cx - d / 2, cy - d), (cx + d / 2, cy), (cx - d / 2, cy + d)]
    sf.line(pts, c, w)


def _triangle(sf, cx, cy, r, c, w, direction):
    d = r * 0.6
    pts = {
        "up": [(cx - d, cy + d * 0.6), (cx + d, cy + d * 0.6), (cx, cy - d * 0.7)],
        "down": [(cx - d, cy - d * 0.6), (cx + d, cy - d * 0.6), (cx, cy + d * 0.7)],
        "left": [(cx + d * 0.6, cy - d), (cx + d * 0.6, cy + d), (cx - d * 0.7, cy)],
        "right": [(cx - d * 0.6, cy - d), (cx - d * 0.6, cy + d), (cx + d * 0.7, cy)],
    }[direction]
    sf.polygon(pts, c)


def _menu(sf, cx, cy, r, c, w):
    for dy in (-0.45, 0, 0.45):
        sf.line([(cx - r * 0.6, cy + dy * r), (cx + r * 0.6, cy + dy * r)], c, w)


def _help(sf, cx, cy, r, c, w):
    sf.arc((cx - r * 0.38, cy - r * 0.7, cx + r * 0.38, cy + r * 0.02), 180, 40, c, w)
    sf.line([(cx + r * 0.3, cy - r * 0.24), (cx, cy + r * 0.05), (cx, cy + r * 0.25)], c, w)
    sf.ellipse((cx - w * 0.7, cy + r * 0.5, cx + w * 0.7, cy + r * 0.5 + w * 1.4), fill=c)


def _min(sf, cx, cy, r, c, w):
    sf.line([(cx - r * 0.5, cy + r * 0.25), (cx + r * 0.5, cy + r * 0.25)], c, w)


def _close(sf, cx, cy, r, c, w):
    d = r * 0.42
    sf.line([(cx - d, cy - d), (cx + d, cy + d)], c, w)
    sf.line([(cx - d, cy + d), (cx + d, cy - d)], c, w)


def _globe(sf, cx, cy, r, c, w):
    d = r * 0.62
    sf.ellipse((cx - d, cy - d, cx + d, cy + d), outline=c, width=w)
    sf.ellipse((cx - d * 0.42, cy - d, cx + d * 0.42, cy + d), outline=c, width=w * 0.8)
    sf.line([(cx - d, cy), (cx + d, cy)], c, w * 0.8)


def _chat(sf, cx, cy, r, c, w):
    d = r * 0.6
    sf.rrect((cx - d, cy - d * 0.8, cx + d, cy + d * 0.5), d * 0.35, outline=c, width=w)
    sf.polygon([(cx - d * 0.4, cy + d * 0.45), (cx - d * 0.05, cy + d * 0.45),
                (cx - d * 0.5, cy + d * 0.95)], c)


def _folder(sf, cx, cy, r, c, w):
    d = r * 0.62
    sf.line([(cx - d, cy + d * 0.7), (cx - d, cy - d * 0.7), (cx - d * 0.2, cy - d * 0.7),
             (cx, cy - d * 0.45), (cx + d, cy - d * 0.45), (cx + d, cy + d * 0.7),
             (cx - d, cy + d * 0.7)], c, w)


def _save(sf, cx, cy, r, c, w):
    d = r * 0.6
    sf.line([(cx - d, cy - d), (cx + d * 0.6, cy - d), (cx + d, cy - d * 0.6),
             (cx + d, cy + d), (cx - d, cy + d), (cx - d, cy - d)], c, w)
    sf.rect((cx - d * 0.45, cy + d * 0.15, cx + d * 0.45, cy + d * 0.75), c)
    sf.line([(cx - d * 0.45, cy - d), (cx - d * 0.45, cy - d * 0.45), (cx + d * 0.35, cy - d * 0.45),
             (cx + d * 0.35, cy - d)], c, w * 0.8)


def _plus(sf, cx, cy, r, c, w):
    d = r * 0.5
    sf.line([(cx - d, cy), (cx + d, cy)], c, w)
    sf.line([(cx, cy - d), (cx, cy + d)], c, w)


def _minus(sf, cx, cy, r, c, w):
    d = r * 0.5
    sf.line([(cx - d, cy), (cx + d, cy)], c, w)


def _bar_arrow(sf, cx, cy, r, c, w, up):
    d = r * 0.5
    s = -1 if up else 1
    sf.line([(cx - d, cy + s * d * 0.85), (cx + d, cy + s * d * 0.85)], c, w)
    sf.line([(cx - d * 0.7, cy - s * d * 0.45), (cx, cy + s * d * 0.3), (cx + d * 0.7, cy - s * d * 0.45)], c, w)


def _delete(sf, cx, cy, r, c, w):
    d = r * 0.5
    sf.line([(cx - d, cy - d * 0.7), (cx + d, cy - d * 0.7)], c, w)
    sf.line([(cx - d * 0.3, cy - d * 0.7), (cx - d * 0.3, cy - d), (cx + d * 0.3, cy - d),
             (cx + d * 0.3, cy - d * 0.7)], c, w * 0.8)
    sf.line([(cx - d * 0.72, cy - d * 0.5), (cx - d * 0.55, cy + d), (cx + d * 0.55, cy + d),
             (cx + d * 0.72, cy - d * 0.5)], c, w)


def _clear(sf, cx, cy, r, c, w):
    d = r * 0.55
    for dy in (-0.6, 0, 0.6):
        sf.line([(cx - d, cy + dy * d), (cx + d * 0.2, cy + dy * d)], c, w)
    sf.line([(cx + d * 0.45, cy - d * 0.1), (cx + d, cy + d * 0.45)], c, w)
    sf.line([(cx + d * 0.45, cy + d * 0.45), (cx + d, cy - d * 0.1)], c, w)


def _erase(sf, cx, cy, r, c, w):
    d = r * 0.6
    a = math.radians(-40)
    ca, sa = math.cos(a), math.sin(a)

    def rot(px, py):
        return (cx + px * ca - py * sa, cy + px * sa + py * ca)

    body = [rot(-d, -d * 0.42), rot(d, -d * 0.42), rot(d, d * 0.42), rot(-d, d * 0.42)]
    sf.line(body + [body[0]], c, w)
    tip = [rot(-d, -d * 0.42), rot(-d * 0.15, -d * 0.42), rot(-d * 0.15, d * 0.42), rot(-d, d * 0.42)]
    sf.polygon(tip, c)
    sf.line([(cx - d * 0.9, cy + d * 1.0), (cx + d * 0.9, cy + d * 1.0)], c, w * 0.8)


def _brush(sf, cx, cy, r, c, w):
    d = r * 0.65
    sf.line([(cx + d * 0.9, cy - d * 0.9), (cx - d * 0.05, cy + d * 0.05)], c, w * 1.4)
    sf.polygon([(cx - d * 0.15, cy - d * 0.1), (cx + d * 0.2, cy + d * 0.25),
                (cx - d * 0.3, cy + d * 0.95), (cx - d * 0.95, cy + d * 0.9)], c)


def _keyboard(sf, cx, cy, r, c, w):
    d = r * 0.72
    sf.rrect((cx - d, cy - d * 0.6, cx + d, cy + d * 0.6), d * 0.15, outline=c, width=w)
    for row, n in ((-0.25, 5), (0.1, 5)):
        for i in range(n):
            x = cx - d * 0.66 + i * d * 0.33
            sf.rect((x, cy + row * d - 1, x + 2, cy + row * d + 1), c)
    sf.line([(cx - d * 0.4, cy + d * 0.38), (cx + d * 0.4, cy + d * 0.38)], c, w * 0.9)


def _key(sf, cx, cy, r, c, w):
    d = r * 0.6
    sf.rrect((cx - d, cy - d, cx + d, cy + d), d * 0.25, outline=c, width=w)
    sf.rrect((cx - d * 0.55, cy - d * 0.6, cx + d * 0.55, cy + d * 0.35), d * 0.15, outline=c, width=w * 0.7)


def _macro(sf, cx, cy, r, c, w):
    d = r * 0.62
    sf.ellipse((cx - d, cy - d, cx + d, cy + d), outline=c, width=w)
    sf.polygon([(cx - d * 0.3, cy - d * 0.45), (cx - d * 0.3, cy + d * 0.45), (cx + d * 0.5, cy)], c)


def _media(sf, cx, cy, r, c, w):
    d = r * 0.6
    sf.line([(cx - d * 0.3, cy + d * 0.6), (cx - d * 0.3, cy - d * 0.8), (cx + d * 0.75, cy - d),
             (cx + d * 0.75, cy + d * 0.4)], c, w)
    sf.ellipse((cx - d * 0.85, cy + d * 0.3, cx - d * 0.2, cy + d * 0.85), fill=c)
    sf.ellipse((cx + d * 0.2, cy + d * 0.1, cx + d * 0.85, cy + d * 0.65), fill=c)


def _function(sf, cx, cy, r, c, w):
    d = r * 0.62
    for i in range(8):
        a = i * math.pi / 4
        sf.line([(cx + math.cos(a) * d * 0.6, cy + math.sin(a) * d * 0.6),
                 (cx + math.cos(a) * d, cy + math.sin(a) * d)], c, w * 1.6)
    sf.ellipse((cx - d * 0.68, cy - d * 0.68, cx + d * 0.68, cy + d * 0.68), outline=c, width=w)
    sf.ellipse((cx - d * 0.25, cy - d * 0.25, cx + d * 0.25, cy + d * 0.25), outline=c, width=w)


def _update(sf, cx, cy, r, c, w):
    d = r * 0.62
    sf.arc((cx - d, cy - d, cx + d, cy + d), 210, 500, c, w)
    sf.polygon([(cx - d * 1.15, cy - d * 0.35), (cx - d * 0.35, cy - d * 0.25), (cx - d * 0.95, cy + d * 0.35)], c)
    sf.line([(cx, cy - d * 0.45), (cx, cy + d * 0.1), (cx + d * 0.35, cy + d * 0.3)], c, w)


def _profiles(sf, cx, cy, r, c, w):
    d = r * 0.6
    for k, off in enumerate((-0.35, 0, 0.35)):
        sf.rrect((cx - d + off * d, cy - d * 0.7 - off * d, cx + d * 0.5 + off * d, cy + d * 0.5 - off * d),
                 d * 0.15, outline=c, width=w * (1 if k == 2 else 0.7))


def _spread(sf, cx, cy, r, c, w):
    d = r * 0.7
    sf.ellipse((cx - d * 0.18, cy - d * 0.18, cx + d * 0.18, cy + d * 0.18), fill=c)
    for s in (-1, 1):
        sf.line([(cx + s * d * 0.4, cy), (cx + s * d, cy)], c, w)
        sf.line([(cx + s * d * 0.72, cy - d * 0.28), (cx + s * d, cy), (cx + s * d * 0.72, cy + d * 0.28)], c, w)


def _gather(sf, cx, cy, r, c, w):
    d = r * 0.7
    sf.ellipse((cx - d * 0.18, cy - d * 0.18, cx + d * 0.18, cy + d * 0.18), fill=c)
    for s in (-1, 1):
        sf.line([(cx + s * d, cy), (cx + s * d * 0.4, cy)], c, w)
        sf.line([(cx + s * d * 0.68, cy - d * 0.28), (cx + s * d * 0.4, cy), (cx + s * d * 0.68, cy + d * 0.28)], c, w)


def _arrow(direction):
    def f(sf, cx, cy, r, c, w):
        d = r * 0.7
        dx, dy = {"left": (-1, 0), "right": (1, 0), "up": (0, -1), "down": (0, 1)}[direction]
        tail = (cx - dx * d, cy - dy * d)
        head = (cx + dx * d, cy + dy * d)
        sf.line([tail, head], c, w)
        px, py = -dy, dx
        sf.line([(head[0] - dx * d * 0.5 + px * d * 0.45, head[1] - dy * d * 0.5 + py * d * 0.45), head,
                 (head[0] - dx * d * 0.5 - px * d * 0.45, head[1] - dy * d * 0.5 - py * d * 0.45)], c, w)
    return f


def _swap(sf, cx, cy, r, c, w):
    d = r * 0.7
    for sx, up in ((-0.4, True), (0.4, False)):
        x = cx + sx * d
        s = -1 if up else 1
        sf.line([(x, cy - s * d), (x, cy + s * d)], c, w)
        sf.line([(x - d * 0.35, cy + s * d * 0.55), (x, cy + s * d), (x + d * 0.35, cy + s * d * 0.55)], c, w)


ICONS = {
    "swap": _swap,
    "menu": _menu, "help": _help, "min": _min, "close": _close, "globe": _globe, "chat": _chat,
    "folder": _folder, "save": _save, "plus": _plus, "minus": _minus, "delete": _delete,
    "clear": _clear, "erase": _erase, "brush": _brush, "keyboard": _keyboard, "key": _key,
    "macro": _macro, "media": _media, "function": _function, "update": _update,
    "profiles": _profiles, "spread": _spread, "gather": _gather,
    "top": lambda sf, cx, cy, r, c, w: _bar_arrow(sf, cx, cy, r, c, w, True),
    "bottom": lambda sf, cx, cy, r, c, w: _bar_arrow(sf, cx, cy, r, c, w, False),
    "up": lambda sf, cx, cy, r, c, w: _chevron(sf, cx, cy, r, c, w, "up"),
    "down": lambda sf, cx, cy, r, c, w: _chevron(sf, cx, cy, r, c, w, "down"),
    "left": lambda sf, cx, cy, r, c, w: _chevron(sf, cx, cy, r, c, w, "left"),
    "right": lambda sf, cx, cy, r, c, w: _chevron(sf, cx, cy, r, c, w, "right"),
    "tri_up": lambda sf, cx, cy, r, c, w: _triangle(sf, cx, cy, r, c, w, "up"),
    "tri_down": lambda sf, cx, cy, r, c, w: _triangle(sf, cx, cy, r, c, w, "down"),
    "tri_left": lambda sf, cx, cy, r, c, w: _triangle(sf, cx, cy, r, c, w, "left"),
    "tri_right": lambda sf, cx, cy, r, c, w: _triangle(sf, cx, cy, r, c, w, "right"),
    "arrow_left": _arrow("left"), "arrow_right": _arrow("right"),
    "arrow_up": _arrow("up"), "arrow_down": _arrow("down"),
}
