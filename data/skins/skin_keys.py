"""Every skin entry and image file name the program reads, per window.

This is the contract between the skin set and the program: the layout modules
must place every entry listed here and the generator must produce every file.
"""

# Key indices of the 104 key buttons of the keyboard picture ("KEY_%03X").
KEY_INDICES = [
    0x03B, 0x03C, 0x03D, 0x03E, 0x03F, 0x040, 0x001, 0x041, 0x042, 0x043,
    0x044, 0x057, 0x058, 0x029, 0x002, 0x003, 0x004, 0x005, 0x006, 0x007,
    0x008, 0x009, 0x00A, 0x00B, 0x00C, 0x00D, 0x02B, 0x00E, 0x010, 0x011,
    0x012, 0x013, 0x014, 0x015, 0x016, 0x017, 0x018, 0x019, 0x01A, 0x01B,
    0x00F, 0x01E, 0x01F, 0x020, 0x021, 0x022, 0x023, 0x024, 0x025, 0x026,
    0x027, 0x028, 0x03A, 0x01C, 0x02C, 0x02D, 0x02E, 0x02F, 0x030, 0x031,
    0x032, 0x033, 0x034, 0x035, 0x036, 0x02A, 0x01D, 0x0DB, 0x038, 0x0B8,
    0x0DC, 0x0DD, 0x09D, 0x039, 0x0B7, 0x046, 0x045, 0x0D2, 0x0C7, 0x0C9,
    0x0D3, 0x0CF, 0x0D1, 0x0CB, 0x0D0, 0x0CD, 0x0C8, 0x0C5, 0x0B5, 0x037,
    0x04A, 0x047, 0x048, 0x049, 0x04E, 0x04B, 0x04C, 0x04D, 0x04F, 0x050,
    0x051, 0x09C, 0x053, 0x052,
]

MAIN_KEYS = (
    ["KEY_%03X" % i for i in KEY_INDICES]
    + ["FUNC_G%d" % n for n in range(1, 10)]
    + ["KEY_D%d" % n for n in range(1, 7)]
    + [
        "CONTROL_OK", "CONTROL_CANCEL", "FUNC_PROFILES", "CONTROL2_APPLY",
        "FUNC_MACRO", "TORVIK_LINK", "CONTROL_HELP", "CONTROL_MINIMIZE",
        "CONTROL_CLOSE", "LOCK_CAPS", "LOCK_NUM", "LOCK_SCROLL", "LOCK_AB",
        "FLIP_0", "FLIP_1", "FLIP_2", "LEFT_ARROW", "RIGHT_ARROW",
        "TORVIK_VER", "FUNC_PROFILE1", "FUNC_PROFILE2", "FUNC_PROFILE3",
        "FUNC_DEFAULT", "CONTROL_MENU", "FUNC_SWITCH", "FUNC_REPORT1",
        "FUNC_REPORT2", "FUNC_REPORT3", "FUNC_REPORT4", "KEY_FN",
        "FACEBOOK_LINK", "TWITTER_LINK",
    ]
    # Lighting panel.
    + [
        "CONTROL_DengStaPic", "CONTROL_DengStatic", "CONTROL_XGcombox",
        "CONTROL_LightStatic", "CONTROL_LightSlider", "CONTROL_SpeedStatic",
        "CONTROL_SpeedSlider", "CONTROL_BLFXStatic", "CONTROL_BLFXLStaPic",
        "CONTROL_BLFXRStaPic", "CONTROL_BLFXStatic2", "CONTROL_BLFXLStaPic2",
        "CONTROL_BLFXRStaPic2", "CONTROL_BLFXStatic3", "CONTROL_BLFXLStaPic3",
        "CONTROL_BLFXRStaPic3", "CONTROL_umCombo", "CONTROL_USERgjStatic",
        "CONTROL_USERgjStaPic1", "CONTROL_USERgjStaPic2", "CONTROL_HXsjsStaPic",
        "CONTROL_HXsjsStatic", "CONTROL_LEDsjsStaPic", "CONTROL_LEDsjsStatic",
        "CONTROL_JDTStatic", "CONTROL_UsbStatic",
    ]
    # Colour, trigger and colour-choice controls: placed, never shown.
    + [
        "CONTROL_FYYSStatic", "CONTROL_FYYSButton", "CONTROL_FYSJSStaPic",
        "CONTROL_FYSJSStatic", "CONTROL_FYCFStatic", "CONTROL_FYdjcfStatic",
        "CONTROL_FYggcfStatc", "CONTROL_FYdjcfStaPic", "CONTROL_FYggcfStaPic",
        "CONTROL_HONGPIC", "CONTROL_HUANGPIC", "CONTROL_LVPIC", "CONTROL_LANPIC",
        "CONTROL_HXysStatic", "CONTROL_HXysButton", "CONTROL_JTysStatic",
        "CONTROL_JTysButton", "CONTROL_USERysStatic", "CONTROL_USERysButton",
        "CONTROL_USERjsStatic", "CONTROL_USERjsButton", "CONTROL_TSysStatic",
        "CONTROL_TSysButton", "CONTROL_TSsjsStatic", "CONTROL_TSsjsStaPic",
        "CONTROL_CDysStatic", "CONTROL_CDysButton", "CONTROL_CDsjsStatic",
        "CONTROL_CDsjsStaPic",
    ]
)

# Sprite positions inside Arrow.jpg (section "BUTTONINFO2").
MAIN_KEYS2 = [
    "%s_ARROW_%s%d" % (v, side, n)
    for v in ("UP", "DOWN") for side in ("LEFT", "RIGHT") for n in (1, 2)
]

MAIN_IMAGES = [
    "main_normal.jpg", "main_over.jpg", "main_down.jpg", "main_disable.jpg",
    "Arrow.jpg", "main_color0.jpg", "main_color1.jpg",
]

MAIN_BITMAPS = (
    ["dengup.bmp", "dengdown.bmp",
     "leftup.bmp", "leftdown.bmp", "rightup.bmp", "rightdown.bmp",
     "upup.bmp", "updown.bmp", "downup.bmp", "downdown.bmp",
     "kuosan.bmp", "kuosandown.bmp", "julong.bmp", "julongdown.bmp",
     "user1up.bmp", "user1down.bmp", "user2up.bmp", "user2down.bmp",
     "sjsup.bmp", "sjsdown.bmp",
     "hong.bmp", "hongok.bmp", "huang.bmp", "huangok.bmp",
     "lv.bmp", "lvok.bmp", "lan.bmp", "lanok.bmp"]
    + ["%d.bmp" % n for n in range(26)]
    + ["jdt%d.bmp" % n for n in range(1, 11)]
)

COMPOSITE_KEYS = [
    "CONTROL_OK", "CONTROL_CANCEL", "CONTROL_KEY", "CONTROL_MACRO",
    "CONTROL_MEDIA", "CONTROL_FUNCTION", "CONTROL_CLEAR", "CONTROL_OSK",
    "CONTROL_TITLE", "CONTROL_MASK", "KEY_SETTING", "TISHI_SINGLE_STATIC",
    "FUNC_KEY_INPUT", "FUNC_KEY_RADIO_KB", "FUNC_KEY_RADIO_KB_STATIC",
    "FUNC_KEY_RADIO_MOU", "FUNC_KEY_RADIO_MOU_STATIC", "MARCO_NAME_SETTING",
    "FUNC_MACRO_LIST", "FUNC_MACRO_ADD", "FUNC_MACRO_DELETE",
    "FUNC_MACRO_CYCLES_PROMPT", "FUNC_MACRO_CYCLES", "FUNC_MACRO_LIST2",
    "FUNC_MACRO_RECORD", "FUNC_MACRO_DELETE2", "FUNC_MACRO_CLEAR",
    "FUNC_MACRO_UP_TOP", "FUNC_MACRO_UP", "FUNC_MACRO_DOWN",
    "FUNC_MACRO_DOWN_BOTTOM", "FUNC_MACRO_RECORD_DELAY",
    "FUNC_MACRO_RECORD_DELAY2", "MEDIA_SETTING_TISHI", "FUNC_MEDIA_SELECT",
    "FUNCTION_KEY_SETTING_TISHI", "FUNC_FUNCTION_SELECT",
    "CONTROL_APPLY", "FUNC_KEY_MOUSE_SELECT",
]

COMPOSITE_IMAGES = [
    "%s_%s.jpg" % (s, st)
    for s in ("key", "macro", "macro2", "media", "function")
    for st in ("normal", "over", "down", "disable")
    if not (st == "disable" and s in ("key", "media", "function"))
]

PROFILE_KEYS = [
    "PROGRAM_LIST", "FUNC_ADD", "FUNC_LOAD", "FUNC_DELETE", "CONTROL_OK",
    "CONTROL_CANCEL", "CONTROL2_APPLY",
]
PROFILE_IMAGES = ["Profile_normal.jpg", "Profile_over.jpg", "Profile_down.jpg"]

UPDATE_KEYS = [
    "CONTROL_UPStatic", "CONTROL_UPCombox", "CONTROL_CUPButton",
    "CONTROL_UPButton", "CONTROL_OPENButton", "CONTROL_BACKUPButton",
]
UPDATE_IMAGES = ["update_normal.jpg", "update_over.jpg"]

MAIN_SCREEN = ["Main", "Mask", "Link", "Facebook_Link", "Twitter_Link"]
DIALOG_SCREEN = ["Main", "Mask"]

# ini file -> (BUTTONINFO keys, BUTTONINFO2 keys, SCREEN keys, images)
WINDOWS = {
    "Main.ini": (MAIN_KEYS, MAIN_KEYS2, MAIN_SCREEN, MAIN_IMAGES + MAIN_BITMAPS),
    "Composite.ini": (COMPOSITE_KEYS, [], DIALOG_SCREEN, COMPOSITE_IMAGES),
    "Profile.ini": (PROFILE_KEYS, [], DIALOG_SCREEN, PROFILE_IMAGES),
    "UpdateDlg.ini": (UPDATE_KEYS, [], DIALOG_SCREEN, UPDATE_IMAGES),
}
