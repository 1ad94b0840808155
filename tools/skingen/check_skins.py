#!/usr/bin/python3
"""Checks a generated skin folder: complete, consistent with the layout, well formed.

usage: check_skins.py LAYOUT_DIR SKINS_DIR
"""
import os
import re
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.dirname(HERE))
import prereq  # noqa: E402

prereq.check("check_skins", modules=["PIL"])
from PIL import Image, ImageChops, ImageStat  # noqa: E402
import iniwriter  # noqa: E402

LAYOUT_DIR = SKINS = None
ENTRY = re.compile(r"^\s*(-?\d+)\s*,\s*(-?\d+)\s*,\s*(-?\d+)\s*,\s*(-?\d+)")


def parse_entry(text):
    m = ENTRY.match(text)
    return tuple(int(v) for v in m.groups()) if m else None


def overlap(a, b):
    ax, ay, aw, ah = a
    bx, by, bw, bh = b
    return ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah


def mean_diff(a, b):
    return sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / 3


class SkinSet(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        import layout
        import skin_keys
        cls.contract = skin_keys.WINDOWS
        cls.windows = {w.ini: w for w in layout.windows()}
        cls.inis = {name: iniwriter.read(os.path.join(SKINS, name)) for name in cls.contract}
        cls._images = {}

    def image(self, name):
        if name not in self._images:
            path = os.path.join(SKINS, name)
            self.assertTrue(os.path.isfile(path), "missing image " + name)
            self._images[name] = Image.open(path).convert("RGB")
        return self._images[name]

    def entries(self, ini, section="BUTTONINFO"):
        return {k: parse_entry(v) for k, v in self.inis[ini].get(section, {}).items()}

    def test_every_entry_the_program_reads_is_present(self):
        for ini, (keys, keys2, screen, _) in self.contract.items():
            with self.subTest(ini=ini):
                for section, wanted in (("BUTTONINFO", keys), ("BUTTONINFO2", keys2)):
                    got = self.entries(ini, section)
                    for key in wanted:
                        self.assertIn(key, got, "%s [%s] lacks %s" % (ini, section, key))
                        x, y, w, h = got[key] or (None,) * 4
                        self.assertIsNotNone(x, "%s %s is not four numbers" % (ini, key))
                        # "1,1,..." is the reader's default and disables the control
                        self.assertFalse(x == 1 and y == 1, "%s %s sits at the default place" % (ini, key))
                        self.assertGreater(w, 1, key)
                        self.assertGreater(h, 1, key)
                for key in screen:
                    self.assertTrue(self.inis[ini].get("SCREEN", {}).get(key), "%s SCREEN lacks %s" % (ini, key))

    def test_files_match_the_layout(self):
        for ini, win in self.windows.items():
            with self.subTest(ini=ini):
                keys, keys2, _, images = self.contract[ini]
                laid = {c.key for c in win.controls if c.section == "BUTTONINFO"}
                laid2 = {c.key for c in win.controls if c.section == "BUTTONINFO2"}
                self.assertEqual(laid, set(keys), "layout and program disagree on entries")
                self.assertEqual(laid2, set(keys2))
                self.assertTrue(set(images) <= set(win.image_files()),
                                set(images) - set(win.image_files()))
                got = self.entries(ini)
                got.update(self.entries(ini, "BUTTONINFO2"))
                for c in win.controls:
                    self.assertEqual(got[c.key], c.rect, "%s %s drifted from the layout" % (ini, c.key))

    def test_images_exist_with_the_right_size(self):
        for ini, win in self.windows.items():
            screen = self.inis[ini]["SCREEN"]
            with self.subTest(ini=ini):
                bg = self.image(screen["Main"])
                self.assertEqual(bg.size, (win.width, win.height))
                self.assertEqual(self.image(screen["Mask"]).size, bg.size)
                for canvas in win.canvases:
                    self.assertEqual(self.image(canvas.file).size, bg.size, canvas.file)
                entries = self.entries(ini)
                for b in win.bitmaps:
                    x, y, w, h = entries[b.control]
                    self.assertEqual(self.image(b.file).size, (w, h), "%s shown on %s" % (b.file, b.control))
                if win.sprite_sheet:
                    sheet = self.image(win.sprite_sheet[0])
                    for key, (x, y, w, h) in self.entries(ini, "BUTTONINFO2").items():
                        self.assertTrue(x >= 1 and y >= 1 and x - 1 + w <= sheet.width
                                        and y - 1 + h <= sheet.height, key)

    def test_lighting_pictures_fit_every_control_that_shows_them(self):
        e = self.entries("Main.ini")
        size = lambda k: e[k][2:]  # noqa: E731
        self.assertEqual(size("CONTROL_LightSlider"), size("CONTROL_SpeedSlider"))
        for suffix in ("", "2", "3"):
            self.assertEqual(size("CONTROL_BLFXLStaPic" + suffix), size("CONTROL_BLFXLStaPic"))
            self.assertEqual(size("CONTROL_BLFXRStaPic" + suffix), size("CONTROL_BLFXLStaPic"))
        self.assertEqual(size("CONTROL_LEDsjsStaPic"), size("CONTROL_HXsjsStaPic"))
        self.assertEqual(size("CONTROL_USERgjStaPic2"), size("CONTROL_USERgjStaPic1"))
        for arrow in ("LEFT_ARROW", "RIGHT_ARROW"):
            for key, rect in self.entries("Main.ini", "BUTTONINFO2").items():
                self.assertEqual(rect[2:], size(arrow), key)

    def test_masks_shape_the_windows(self):
        for ini, win in self.windows.items():
            with self.subTest(ini=ini):
                m = self.image(self.inis[ini]["SCREEN"]["Mask"])
                colours = {px for _, px in m.getcolors(1 << 20)}
                self.assertEqual(colours, {(255, 255, 255), (0, 0, 0)}, "mask must be two-tone")
                self.assertEqual(m.getpixel((0, 0)), (255, 255, 255), "corners are cut away")
                self.assertEqual(m.getpixel((win.width // 2, win.height // 2)), (0, 0, 0))
                for c in win.controls:
                    if c.hidden or c.section != "BUTTONINFO":
                        continue
                    x, y, w, h = c.visible_rect
                    self.assertTrue(0 <= x and 0 <= y and x + w <= win.width and y + h <= win.height, c.key)
                    for px in ((x, y), (x + w - 1, y), (x, y + h - 1), (x + w - 1, y + h - 1)):
                        self.assertEqual(m.getpixel(px), (0, 0, 0), "%s is cut by the mask" % c.key)

    def test_controls_shown_together_do_not_overlap(self):
        for ini, win in self.windows.items():
            shown = [c for c in win.controls if c.section == "BUTTONINFO" and not c.hidden]
            for i, a in enumerate(shown):
                for b in shown[i + 1:]:
                    if "mask" in (a.group, b.group) or not win.may_show_together(a, b):
                        continue
                    self.assertFalse(overlap(a.visible_rect, b.visible_rect),
                                     "%s: %s overlaps %s" % (ini, a.key, b.key))

    def test_page_controls_sit_on_the_page(self):
        win = self.windows["Composite.ini"]
        mx, my, mw, mh = win.control("CONTROL_MASK").rect
        for c in win.controls:
            if c.group in ("key", "macro", "media", "function"):
                x, y, w, h = c.visible_rect
                self.assertTrue(mx <= x and my <= y and x + w <= mx + mw and y + h <= my + mh, c.key)

    def test_page_buttons_appear_only_on_their_page(self):
        win = self.windows["Composite.ini"]
        by_page = {c.page: self.image(c.file) for c in win.canvases if c.file.endswith("_normal.jpg")}
        for c in win.controls:
            if c.group not in win.pages or c.kind not in ("button", "caption"):
                continue
            box = (c.x - 1, c.y - 1, c.x - 1 + c.w, c.y - 1 + c.h)
            own = by_page[c.group].crop(box)
            for page, img in by_page.items():
                if page != c.group:
                    self.assertGreater(mean_diff(img.crop(box), own), 2.0,
                                       "%s shows on the %s page" % (c.key, page))

    def test_each_state_has_its_own_face(self):
        """Faces are cut one pixel up-left of the entry; every distinct state must look different."""
        for ini, win in self.windows.items():
            bg = self.image(self.inis[ini]["SCREEN"]["Main"])
            files = {c.canvas_id: c.file for c in win.canvases}
            for c in win.controls:
                if c.hidden or c.section != "BUTTONINFO" or c.kind not in ("key", "button", "caption"):
                    continue
                if c.face == "page" or c.inert:
                    continue
                with self.subTest(ini=ini, key=c.key):
                    faces = [self.image(files[f]) for f in c.faces]
                    own = bg.crop((c.x, c.y, c.x + c.w, c.y + c.h))

                    def cut(img, dx=0, dy=0):
                        x, y = c.x - 1 + dx, c.y - 1 + dy
                        return img.crop((x, y, x + c.w, y + c.h))

                    # The normal face lines up with the background under the control;
                    # page buttons sit on the page picture, cut the same way as they are.
                    if c.group in win.pages:
                        best = (0, (0, 0))
                    else:
                        best = min((mean_diff(cut(faces[0], dx, dy), own), (dx, dy))
                                   for dx in (-1, 0, 1) for dy in (-1, 0, 1))
                    self.assertEqual(best[1], (0, 0), "face is drawn off by %s" % (best[1],))
                    for i in range(1, 5):
                        if c.faces[i] != c.faces[0]:
                            self.assertGreater(mean_diff(cut(faces[i]), cut(faces[0])), 2.0,
                                               "state %d looks like the normal state" % i)


def main(argv):
    global LAYOUT_DIR, SKINS
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    LAYOUT_DIR, SKINS = os.path.abspath(argv[1]), os.path.abspath(argv[2])
    sys.path.insert(0, LAYOUT_DIR)
    result = unittest.main(argv=[argv[0], "-v"], exit=False).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
