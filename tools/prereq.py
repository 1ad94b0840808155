"""What the build-time generators need from the machine, checked before any work.

Each generator calls check() first: a missing Python module or font file stops
it with one line naming the Debian package that holds it (scripts/bootstrap.sh
installs them all). Fonts are taken by path from those packages, so machines
with the same packages draw the same images.
"""
import importlib.util
import os
import sys

DEJAVU = "/usr/share/fonts/truetype/dejavu/"

# Python modules by import name, with the Debian package that provides them.
MODULES = {"PIL": "python3-pil"}

# Font files the skin images are drawn with, with their packages.
FONTS = {
    DEJAVU + "DejaVuSans.ttf": "fonts-dejavu-core",
    DEJAVU + "DejaVuSans-Bold.ttf": "fonts-dejavu-core",
    DEJAVU + "DejaVuSansCondensed.ttf": "fonts-dejavu-extra",
    DEJAVU + "DejaVuSansCondensed-Bold.ttf": "fonts-dejavu-extra",
}


def missing(modules=(), fonts=()):
    """(what, package) for the first input that is not there, else None."""
    for name in modules:
        if importlib.util.find_spec(name) is None:
            return "Python module %s" % name, MODULES[name]
    for path in fonts:
        if not os.path.isfile(path):
            return "font %s" % path, FONTS[path]
    return None


def check(tool, modules=(), fonts=()):
    gap = missing(modules, fonts)
    if gap:
        what, package = gap
        sys.stderr.write("%s: missing %s; install the Debian package %s (scripts/bootstrap.sh does)\n"
                         % (tool, what, package))
        sys.exit(1)
