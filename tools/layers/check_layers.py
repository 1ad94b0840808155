#!/usr/bin/env python3
"""Checks the include rules of the source tree.

usage: check_layers.py SOURCE_ROOT

- Portable code (device/, model/, profiles/, sim/, config_json/, cli/)
  includes no Windows header.
- A layer includes only its own layer and the layers below it:
      hidserv/HidServ.h < device/ < model/ (keys, assign, macro, lighting and
      the shared headers) < profiles/ < model/sync/ < config_json/ < cli/
      < app/ < ui/
  sim/ stands beside device/: it may use device/ and the ABI header, and only
  the simulated library build (hidserv/sim/) may use it.
- ui/kit/ uses neither app/ nor a window of its own (ui/main/, ui/dialogs/).
- The entry point (app/startup/main.cpp) and the resource script
  (app/resources/kelvarin.rc) put the program together and may use ui/.
Tests, tools and benchmarks may include anything.
"""
import os
import re
import sys

CHECKED = ("device", "model", "profiles", "sim", "hidserv", "config_json", "cli", "app", "ui")
PORTABLE = ("device", "model", "profiles", "sim", "config_json", "cli")
WINDOWS_HEADERS = {
    "windows.h", "winuser.h", "wingdi.h", "winbase.h", "winreg.h", "shellapi.h", "shlobj.h",
    "shlwapi.h", "commctrl.h", "commdlg.h", "objbase.h", "ole2.h", "olectl.h", "gdiplus.h",
    "tlhelp32.h", "setupapi.h", "hidsdi.h", "hidpi.h", "dbt.h", "wtsapi32.h", "windowsx.h",
}
# The entry point and the resource script put the program together.
COMPOSITION_ROOTS = ("app/startup/main.cpp", "app/resources/kelvarin.rc")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def layer_of(path):
    """Rank and name of the layer a source path (relative, with /) belongs to."""
    if path == "hidserv/HidServ.h":
        return 0, "hidserv/HidServ.h"
    top = path.split("/", 1)[0]
    if top == "device":
        return 1, "device"
    if top == "sim":
        return 1, "sim"
    if path.startswith("model/sync/"):
        return 4, "model/sync"
    if top == "model":
        return 2, "model"
    if top == "profiles":
        return 3, "profiles"
    if top == "hidserv":
        return 1, "hidserv"
    if top == "config_json":
        return 5, "config_json"
    if top == "cli":
        return 6, "cli"
    if top == "app":
        return 7, "app"
    if top == "ui":
        return 8, "ui"
    return None, top


def violation(source, target):
    """Why `source` may not include the project header `target`, or None."""
    if source in COMPOSITION_ROOTS:
        return None
    src_rank, src_layer = layer_of(source)
    dst_rank, dst_layer = layer_of(target)
    if dst_rank is None:
        return "includes %s, which no program code may use" % target
    if src_layer == "ui" and source.startswith("ui/kit/"):
        if target.startswith("app/"):
            return "the kit uses app/ (%s)" % target
        if target.startswith(("ui/main/", "ui/dialogs/")):
            return "the kit uses a window (%s)" % target
    if dst_layer == "sim" and not (src_layer == "sim" or source.startswith("hidserv/sim/")):
        return "only the simulated library may use sim/ (%s)" % target
    if src_layer == "sim" and dst_layer not in ("sim", "device", "hidserv/HidServ.h"):
        return "sim/ may use only device/ and the ABI header (%s)" % target
    if src_layer == "device" and dst_layer == "hidserv" and target != "hidserv/HidServ.h":
        return "device/ may use only the ABI header of hidserv/ (%s)" % target
    if src_layer == "hidserv" and source.startswith("hidserv/sim/"):
        return None  # the simulated build wraps sim/ behind the ABI
    if dst_rank > src_rank:
        return "%s is below %s (%s)" % (src_layer, dst_layer, target)
    return None


def check(root):
    problems = []
    for top in CHECKED:
        base = os.path.join(root, top)
        for folder, _, files in os.walk(base):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp", ".c", ".rc")):
                    continue
                full = os.path.join(folder, name)
                rel = os.path.relpath(full, root).replace(os.sep, "/")
                with open(full, encoding="utf-8", errors="replace") as f:
                    text = f.read()
                for kind, header in INCLUDE.findall(text):
                    if kind == "<":
                        if top in PORTABLE and header.lower() in WINDOWS_HEADERS:
                            problems.append("%s: portable code includes <%s>" % (rel, header))
                        continue
                    if "/" not in header:
                        continue  # a neighbour in the same folder
                    why = violation(rel, header)
                    if why:
                        problems.append("%s: %s" % (rel, why))
    return problems


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    problems = check(argv[1])
    for p in problems:
        print(p)
    if problems:
        print("%d include rule(s) broken" % len(problems))
        return 1
    print("include rules hold")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
