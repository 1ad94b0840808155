#!/usr/bin/python3
"""Composes rough previews of the skinned windows from a generated skin folder.

usage: preview.py LAYOUT_DIR SKINS_DIR OUT_DIR
Buttons are cut from their canvases as the program does; native controls are
stood in for by plain boxes and sample texts.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.dirname(HERE))
import prereq  # noqa: E402

prereq.check("preview", modules=["PIL"], fonts=prereq.FONTS)
from PIL import Image, ImageDraw  # noqa: E402
from surface import font  # noqa: E402

SAMPLE = {
    "CONTROL_DengStatic": "Lighting", "CONTROL_LightStatic": "Brightness", "CONTROL_SpeedStatic": "Speed",
    "CONTROL_BLFXStatic": "Effect", "CONTROL_USERgjStatic": "Tool", "CONTROL_HXsjsStatic": "Direction",
    "CONTROL_LEDsjsStatic": "Lighting off", "CONTROL_UsbStatic": "Report rate",
    "KEY_SETTING": "Choose what this key does", "TISHI_SINGLE_STATIC": "Press the key to send:",
    "FUNC_KEY_RADIO_KB_STATIC": "Keyboard key", "FUNC_KEY_RADIO_MOU_STATIC": "Mouse button",
    "MARCO_NAME_SETTING": "Macro", "FUNC_MACRO_CYCLES_PROMPT": "Repeat", "FUNC_MACRO_RECORD_DELAY2":
    "Record delays", "MEDIA_SETTING_TISHI": "Multimedia function:", "FUNCTION_KEY_SETTING_TISHI":
    "Keyboard function:", "CONTROL_UPStatic": "C:\\Package\\update.exe",
}
CAPTIONS = {
    "FUNC_PROFILE1": "PROFILE 1", "FUNC_PROFILE2": "PROFILE 2", "FUNC_PROFILE3": "PROFILE 3",
    "FUNC_MACRO": "Macro", "FUNC_DEFAULT": "Default", "CONTROL_OK": "OK", "CONTROL_CANCEL": "Cancel",
    "CONTROL2_APPLY": "Apply", "FUNC_PROFILES": "$Profile0", "CONTROL_KEY": "Single key",
    "CONTROL_MACRO": "Macro", "CONTROL_MEDIA": "Multimedia", "CONTROL_FUNCTION": "Function",
    "FUNC_MACRO_RECORD": "Record",
}
PICTURES = {
    "CONTROL_DengStaPic": "dengdown.bmp", "CONTROL_LightSlider": "3.bmp", "CONTROL_SpeedSlider": "8.bmp",
    "CONTROL_BLFXLStaPic": "leftdown.bmp", "CONTROL_BLFXRStaPic": "rightup.bmp",
    "CONTROL_USERgjStaPic1": "user1down.bmp", "CONTROL_USERgjStaPic2": "user2up.bmp",
    "CONTROL_HXsjsStaPic": "sjsup.bmp", "CONTROL_LEDsjsStaPic": "sjsdown.bmp", "CONTROL_JDTStatic": "jdt3.bmp",
}


def compose(win, skins, page="", show=("common",), checked=(), override=None):
    img = Image.open(os.path.join(skins, win.background)).convert("RGB")
    d = ImageDraw.Draw(img)
    files = {c.canvas_id: c.file for c in win.canvases}
    for c in win.controls:
        if c.hidden or c.section != "BUTTONINFO" or (c.group not in show and c.group != "mask"):
            continue
        x, y, w, h = c.visible_rect
        if c.kind in ("key", "button", "caption"):
            faces = c.faces
            if c.group == "mask" and page:
                faces = ("%s_normal" % page,)
            state = 4 if c.key in checked else 0
            name = (override or {}).get(c.key, files[faces[state]])
            src = Image.open(os.path.join(skins, name)).convert("RGB")
            img.paste(src.crop((x - 1, y - 1, x - 1 + w, y - 1 + h)), (x, y))
            if c.kind == "caption" and c.key in CAPTIONS:
                d.text((x + w / 2, y + h / 2), CAPTIONS[c.key], font=font(11), fill=(255, 255, 255), anchor="mm")
        elif c.kind == "sprite" and win.sprite_sheet:
            side = "LEFT" if c.key.startswith("LEFT") else "RIGHT"
            s = win.control("DOWN_ARROW_%s1" % side, "BUTTONINFO2")
            sheet = Image.open(os.path.join(skins, win.sprite_sheet[0])).convert("RGB")
            img.paste(sheet.crop((s.x - 1, s.y - 1, s.x - 1 + w, s.y - 1 + h)), (x, y))
        elif c.kind == "label" and c.key in SAMPLE:
            d.text((x, y + h / 2), SAMPLE[c.key], font=font(11), fill=(228, 228, 228), anchor="lm")
        elif c.kind == "combo":
            d.rectangle((x, y, x + w - 1, y + h - 1), fill=(0x2b, 0x2e, 0x33), outline=(0x55, 0x5a, 0x62))
            d.text((x + 6, y + h / 2), "Wave", font=font(11), fill=(230, 230, 230), anchor="lm")
        elif c.kind in ("edit", "list"):
            d.rectangle((x, y, x + w - 1, y + h - 1), fill=(0x12, 0x14, 0x16), outline=(0x40, 0x44, 0x4a))
        elif c.kind == "check":
            d.rectangle((x + 2, y + 2, x + w - 3, y + h - 3), outline=(200, 200, 200))
        elif c.kind in ("picture", "slider") and c.key in PICTURES:
            img.paste(Image.open(os.path.join(skins, PICTURES[c.key])).convert("RGB"), (x, y))
    mask = Image.open(os.path.join(skins, win.mask)).convert("L")
    out = Image.new("RGB", img.size, (90, 90, 96))
    out.paste(img, (0, 0), mask.point(lambda v: 255 - v))
    return out


def main(argv):
    sys.path.insert(0, os.path.abspath(argv[1]))
    import layout
    skins, out = argv[2], argv[3]
    os.makedirs(out, exist_ok=True)
    for win in layout.windows():
        base = os.path.splitext(win.ini)[0]
        if win.ini == "Main.ini":
            compose(win, skins, show=("common", "dir"), checked=("FUNC_PROFILE1", "FUNC_REPORT1", "KEY_01E",
                                                                 "FUNC_G2")).save(os.path.join(out, base + ".png"))
            compose(win, skins, show=("common", "user")).save(os.path.join(out, base + "_user.png"))
        elif win.ini == "Composite.ini":
            for page in ("key", "macro", "media", "function"):
                compose(win, skins, page=page, show=("common", page),
                        checked=("CONTROL_" + {"key": "KEY"}.get(page, page.upper()),)).save(
                    os.path.join(out, "%s_%s.png" % (base, page)))
            alt = {k: "macro2_disable.jpg" for k in ("CONTROL_KEY", "CONTROL_MEDIA", "CONTROL_FUNCTION",
                                                     "CONTROL_TITLE", "CONTROL_CLEAR")}
            compose(win, skins, page="macro", show=("common", "macro"), checked=("CONTROL_MACRO",),
                    override=alt).save(os.path.join(out, base + "_macro_only.png"))
        else:
            compose(win, skins).save(os.path.join(out, base + ".png"))


if __name__ == "__main__":
    main(sys.argv)
