"""Plain records the layout modules are written in.

A control's rectangle is what its skin entry says; the generator draws the
control's faces from the same record, so images and INI files always agree.
"""
from dataclasses import dataclass, field

NORMAL, OVER, DOWN, DISABLED, CHECKED = "normal", "over", "down", "disabled", "checked"
STATES = (NORMAL, OVER, DOWN, DISABLED, CHECKED)

# Kinds whose face is cut out of the state pictures.
IMAGE_KINDS = ("key", "button", "caption")


@dataclass
class Control:
    key: str
    x: int
    y: int
    w: int
    h: int
    kind: str                  # key, button, caption, label, combo, slider, picture, edit, check, list
    face: str = ""             # painter style for image controls
    legend: object = None      # text, tuple of texts or icon name, per painter
    faces: tuple = ()          # canvas ids for normal, over, down, disabled, checked
    group: str = "common"      # controls of exclusive groups are never shown together
    drop: int = 0              # extra entry height of a combo box (its drop-down list)
    hidden: bool = False       # placed but never shown
    section: str = "BUTTONINFO"
    alt_faces: tuple = ()      # a second face set the window may switch the control to
    inert: bool = False        # decoration or indicator: never hovered, pressed or checked

    @property
    def rect(self):
        return (self.x, self.y, self.w, self.h)

    @property
    def visible_rect(self):
        return (self.x, self.y, self.w, self.h - self.drop)

    def entry(self):
        return "%d,%d,%d,%d" % (self.x, self.y, self.w, self.h)

    def look_in(self, canvas_id):
        """The state this control shows where the given canvas is its face."""
        for faces in (self.faces, self.alt_faces):
            for state in (NORMAL, OVER, DOWN, CHECKED, DISABLED):
                i = STATES.index(state)
                if i < len(faces) and faces[i] == canvas_id:
                    return state
        return NORMAL


@dataclass
class Canvas:
    """One whole-window picture: every image control drawn in its look there."""
    file: str
    canvas_id: str
    page: str = ""             # page shown under the page-mask control
    variant: str = ""          # window-specific drawing variant


@dataclass
class Bitmap:
    """A picture shown by a static or slider control; sized like that control."""
    file: str
    control: str               # skin key of the control that shows it
    painter: str
    args: tuple = ()


@dataclass
class Window:
    ini: str
    width: int
    height: int
    background: str
    mask: str
    radius: int
    controls: list
    canvases: list
    screen_extra: dict = field(default_factory=dict)
    bitmaps: list = field(default_factory=list)
    sprite_sheet: tuple = ()   # (file, width, height) of a BUTTONINFO2 sprite picture
    exclusive: tuple = ()      # sets of groups never visible together
    title: str = ""            # heading drawn into the background
    pages: tuple = ()          # groups that live on one page of a page-mask control

    def control(self, key, section="BUTTONINFO"):
        for c in self.controls:
            if c.key == key and c.section == section:
                return c
        raise KeyError(key)

    def image_files(self):
        files = [self.background, self.mask] + [c.file for c in self.canvases]
        files += [b.file for b in self.bitmaps]
        if self.sprite_sheet:
            files.append(self.sprite_sheet[0])
        return list(dict.fromkeys(files))

    def may_show_together(self, a, b):
        if a.hidden or b.hidden:
            return False
        if a.group == b.group:
            return True
        for exclusive in self.exclusive:
            if a.group in exclusive and b.group in exclusive:
                return False
        return True
