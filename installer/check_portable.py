#!/usr/bin/env python3
"""Checks the portable zip: one top folder with the program, the simulated
keyboard and its tool, the data files, and nothing from the build's tests.

usage: check_portable.py ZIP
"""
import sys
import zipfile

REQUIRED = ["Kelvarin.exe", "HidServ.dll", "kbsim.exe", "kvhid.exe", "kvcli.exe", "Readme.txt", "Lang0409.ini",
            "Lang0804.ini", "Lang0404.ini", "Help/index.html", "Skins/Main.ini", "Skins/Arrow.jpg"]
FORBIDDEN_PREFIXES = ("win_", "e2e_", "fixture_", "kv_gallery", "hid/")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    faults = []
    with zipfile.ZipFile(sys.argv[1]) as z:
        names = [n for n in z.namelist() if not n.endswith("/")]
        tops = {n.split("/", 1)[0] for n in z.namelist()}
        if len(tops) != 1:
            faults.append(f"more than one top folder: {sorted(tops)}")
        top = sorted(tops)[0]
        inner = {n.split("/", 1)[1] for n in names if "/" in n}
        faults += [f"{r} is missing" for r in REQUIRED if r not in inner]
        faults += [f"{n} does not belong in a release" for n in inner if n.startswith(FORBIDDEN_PREFIXES)]
        if "HidServ.dll" in inner:
            library = z.read(f"{top}/HidServ.dll")
            if "KelvarinKbSim".encode("utf-16-le") not in library:
                faults.append("HidServ.dll is not the simulated keyboard")
    for fault in faults:
        print(f"{sys.argv[1]}: {fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
