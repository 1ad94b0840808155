"""Composite assignment, profile manager and firmware update dialogs."""
from layout_model import Canvas, Control, Window

KEY_SET = ("key_normal", "key_over", "key_down", "key_normal", "key_down")
MACRO_SET = ("macro_normal", "macro_over", "macro_down", "macro_disable", "macro_down")
PAGES = ("key", "macro", "media", "function")

CW, CH = 640, 470
MASK = (16, 118, 608, 290)          # the page area under CONTROL_MASK


def composite():
    c = Control
    mx, my, mw, mh = MASK
    controls = [
        c("CONTROL_TITLE", 14, 8, 260, 30, "button", "title", None, KEY_SET, inert=True),
        c("CONTROL_CLEAR", 556, 9, 32, 28, "button", "chrome", "@erase", KEY_SET),
        c("CONTROL_OSK", 594, 9, 32, 28, "button", "chrome", "@keyboard", KEY_SET),
        c("KEY_SETTING", 20, 52, 600, 22, "label"),
        c("CONTROL_KEY", 16, 82, 149, 34, "caption", "tab", "@key", KEY_SET),
        c("CONTROL_MACRO", 169, 82, 149, 34, "caption", "tab", "@macro", KEY_SET),
        c("CONTROL_MEDIA", 322, 82, 149, 34, "caption", "tab", "@media", KEY_SET),
        c("CONTROL_FUNCTION", 475, 82, 149, 34, "caption", "tab", "@function", KEY_SET),
        c("CONTROL_MASK", mx, my, mw, mh, "button", "page", None, KEY_SET, group="mask"),
        c("CONTROL_APPLY", 302, 424, 104, 34, "caption", "pill", None, KEY_SET),
        c("CONTROL_OK", 412, 424, 104, 34, "caption", "primary", None, KEY_SET),
        c("CONTROL_CANCEL", 522, 424, 104, 34, "caption", "pill", None, KEY_SET),
        # single key page
        c("TISHI_SINGLE_STATIC", 48, 140, 544, 22, "label", group="key"),
        c("FUNC_KEY_INPUT", 140, 178, 360, 46, "edit", group="key"),
        c("FUNC_KEY_RADIO_KB", 160, 248, 18, 18, "check", group="key"),
        c("FUNC_KEY_RADIO_KB_STATIC", 184, 247, 120, 20, "label", group="key"),
        c("FUNC_KEY_RADIO_MOU", 160, 280, 18, 18, "check", group="key"),
        c("FUNC_KEY_RADIO_MOU_STATIC", 184, 279, 120, 20, "label", group="key"),
        c("FUNC_KEY_MOUSE_SELECT", 310, 276, 190, 28 + 150, "combo", group="key", drop=150),
        # macro page
        c("MARCO_NAME_SETTING", 28, 133, 100, 20, "label", group="macro"),
        c("FUNC_MACRO_LIST", 132, 129, 236, 26 + 200, "combo", group="macro", drop=200),
        c("FUNC_MACRO_ADD", 374, 128, 30, 28, "button", "icon", "@plus", MACRO_SET, group="macro"),
        c("FUNC_MACRO_DELETE", 408, 128, 30, 28, "button", "icon", "@minus", MACRO_SET, group="macro"),
        c("FUNC_MACRO_CYCLES_PROMPT", 450, 133, 90, 20, "label", group="macro"),
        c("FUNC_MACRO_CYCLES", 544, 129, 64, 26, "edit", group="macro"),
        c("FUNC_MACRO_LIST2", 28, 164, 532, 196, "list", group="macro"),
        c("FUNC_MACRO_UP_TOP", 570, 164, 38, 28, "button", "icon", "@top", MACRO_SET, group="macro"),
        c("FUNC_MACRO_UP", 570, 197, 38, 28, "button", "icon", "@up", MACRO_SET, group="macro"),
        c("FUNC_MACRO_DOWN", 570, 230, 38, 28, "button", "icon", "@down", MACRO_SET, group="macro"),
        c("FUNC_MACRO_DOWN_BOTTOM", 570, 263, 38, 28, "button", "icon", "@bottom", MACRO_SET, group="macro"),
        c("FUNC_MACRO_DELETE2", 570, 299, 38, 28, "button", "icon", "@delete", MACRO_SET, group="macro"),
        c("FUNC_MACRO_CLEAR", 570, 332, 38, 28, "button", "icon", "@clear", MACRO_SET, group="macro"),
        c("FUNC_MACRO_RECORD", 28, 370, 132, 30, "caption", "record", None, MACRO_SET, group="macro"),
        c("FUNC_MACRO_RECORD_DELAY", 176, 376, 18, 18, "check", group="macro"),
        c("FUNC_MACRO_RECORD_DELAY2", 200, 375, 300, 20, "label", group="macro"),
        # multimedia page
        c("MEDIA_SETTING_TISHI", 48, 140, 544, 22, "label", group="media"),
        c("FUNC_MEDIA_SELECT", 140, 180, 360, 30 + 240, "combo", group="media", drop=240),
        # function page
        c("FUNCTION_KEY_SETTING_TISHI", 48, 140, 544, 22, "label", group="function"),
        c("FUNC_FUNCTION_SELECT", 140, 180, 360, 30 + 240, "combo", group="function", drop=240),
    ]
    canvases = []
    for page, files in (("key", "key"), ("macro", "macro"), ("macro", "macro2"),
                        ("media", "media"), ("function", "function")):
        states = ("normal", "over", "down", "disable")
        if files not in ("macro", "macro2"):
            states = states[:3]
        for st in states:
            canvases.append(Canvas("%s_%s.jpg" % (files, st), "%s_%s" % (files, st), page=page,
                                   variant="macro_only" if files == "macro2" else ""))
    # In macro-only mode the tabs, title and Clear wear the second macro set.
    for key in ("CONTROL_KEY", "CONTROL_MEDIA", "CONTROL_FUNCTION", "CONTROL_TITLE", "CONTROL_CLEAR"):
        ctl = next(x for x in controls if x.key == key)
        ctl.alt_faces = ("macro2_normal", "macro2_over", "macro2_down", "macro2_disable", "macro2_down")
    return Window(
        ini="Composite.ini", width=CW, height=CH, background="composite_bg.jpg",
        mask="composite_mask.bmp", radius=12, controls=controls, canvases=canvases,
        title="KEY ASSIGNMENT",
        exclusive=(PAGES,), pages=PAGES,
    )


PROFILE_SET = ("Profile_normal", "Profile_over", "Profile_down", "Profile_down", "Profile_normal")


def profile():
    c = Control
    controls = [
        c("PROGRAM_LIST", 16, 56, 488, 196, "list"),
        c("FUNC_ADD", 16, 262, 104, 32, "caption", "pill", "@plus", PROFILE_SET),
        c("FUNC_LOAD", 126, 262, 104, 32, "caption", "pill", "@folder", PROFILE_SET),
        c("FUNC_DELETE", 236, 262, 104, 32, "caption", "pill", "@delete", PROFILE_SET),
        c("CONTROL_OK", 180, 306, 104, 32, "caption", "primary", None, PROFILE_SET),
        c("CONTROL_CANCEL", 290, 306, 104, 32, "caption", "pill", None, PROFILE_SET),
        c("CONTROL2_APPLY", 400, 306, 104, 32, "caption", "pill", None, PROFILE_SET),
    ]
    canvases = [Canvas("Profile_normal.jpg", "Profile_normal"),
                Canvas("Profile_over.jpg", "Profile_over"),
                Canvas("Profile_down.jpg", "Profile_down")]
    return Window(ini="Profile.ini", width=520, height=352, background="profile_bg.jpg",
                  mask="profile_mask.bmp", radius=12, controls=controls, canvases=canvases,
                  title="PROFILES")


UPDATE_SET = ("update_normal", "update_over", "update_normal", "update_normal", "update_normal")


def update():
    c = Control
    controls = [
        c("CONTROL_UPStatic", 26, 72, 428, 22, "label"),
        c("CONTROL_UPCombox", 26, 108, 200, 24 + 120, "combo", drop=120, hidden=True),
        c("CONTROL_OPENButton", 20, 112, 110, 32, "caption", "pill", "@folder", UPDATE_SET),
        c("CONTROL_BACKUPButton", 136, 112, 110, 32, "caption", "pill", "@save", UPDATE_SET),
        c("CONTROL_UPButton", 240, 168, 104, 32, "caption", "primary", None, UPDATE_SET),
        c("CONTROL_CUPButton", 350, 168, 104, 32, "caption", "pill", None, UPDATE_SET),
    ]
    canvases = [Canvas("update_normal.jpg", "update_normal"),
                Canvas("update_over.jpg", "update_over")]
    return Window(ini="UpdateDlg.ini", width=474, height=218, background="update_bg.jpg",
                  mask="update_mask.bmp", radius=12, controls=controls, canvases=canvases,
                  title="FIRMWARE UPDATE")
