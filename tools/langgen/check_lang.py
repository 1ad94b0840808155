#!/usr/bin/env python3
"""Checks the generated language files against the code and the text tables.

Fails when any key the code looks up is missing from any language file, when a
format text lacks its placeholders (or a plain text has one), or when a file is
not UTF-16LE with a byte-order mark. Usage: check_lang.py LANG_DIR SOURCE_DIR
"""
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "data", "lang"))
import texts  # noqa: E402

CODE_DIRS = ["app", "ui", "model", "profiles", "device", "config_json", "cli"]
# A lookup written with two literals: Text(u"TEXT", u"KEY") or LanguageText(L"MODE", L"5").
LOOKUP = re.compile(r'(?:u|L)"(TEXT|LIGHT|MODE)"\s*,\s*(?:u|L)"([^"\\]+)"')
# Text keys of the key tables, written as literals in model/keys.
TABLE_KEY = re.compile(r'(?:u|L)?"((?:IDS_KEYBOARD|MEDIA)_[A-Za-z0-9_]+)"')
PLACEHOLDER = re.compile(r"%[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|L)?[diouxXeEfgGcspn%]")
MAX_VALUE = 259


def parse_ini(path):
    with open(path, "rb") as f:
        raw = f.read()
    if not raw.startswith(b"\xff\xfe"):
        raise ValueError("%s: not UTF-16LE with a byte-order mark" % path)
    sections, current = {}, None
    for line in raw[2:].decode("utf-16-le").splitlines():
        line = line.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and line.endswith("]"):
            current = sections.setdefault(line[1:-1], {})
            continue
        key, _, value = line.partition("=")
        if len(value) >= 2 and value[0] == value[-1] and value[0] in "\"'":
            value = value[1:-1]
        current[key.strip()] = value
    return sections


def required_keys(source_dir):
    keys = set()
    for section, rows in texts.SECTIONS:
        keys.update((section, row[0]) for row in rows)
    keys.update(("TEXT", "FUNC_KEY_DESC%d" % n) for n in range(1, 12))
    keys.update(("MODE", str(m)) for m in list(range(1, 29)) + [254])
    keys.update(("LIGHT", k) for k in ["Light", "Speed", "Color", "JColor", "LEDOFF", "DC", "Deng", "FX", "Tool", "Usb"])
    for top in CODE_DIRS:
        for root, _, files in os.walk(os.path.join(source_dir, top)):
            for name in files:
                if not name.endswith((".cpp", ".h")):
                    continue
                with open(os.path.join(root, name), encoding="utf-8", errors="replace") as f:
                    code = f.read()
                keys.update(LOOKUP.findall(code))
                if os.path.join("model", "keys") in root:
                    keys.update(("TEXT", k) for k in TABLE_KEY.findall(code))
    return keys


def main():
    lang_dir, source_dir = sys.argv[1], sys.argv[2]
    errors = []
    needed = required_keys(source_dir)
    for lang_id, _ in texts.LANGUAGES:
        path = os.path.join(lang_dir, "Lang%04X.ini" % lang_id)
        try:
            sections = parse_ini(path)
        except (OSError, ValueError) as e:
            errors.append(str(e))
            continue
        for section, key in sorted(needed):
            if key not in sections.get(section, {}):
                errors.append("%s: [%s] %s is missing" % (os.path.basename(path), section, key))
        for section, values in sections.items():
            for key, value in values.items():
                found = [p for p in PLACEHOLDER.findall(value) if p != "%%"]
                expected = texts.FORMATS.get(key, []) if section == "TEXT" else []
                if found != expected:
                    errors.append("%s: [%s] %s has placeholders %s, expected %s"
                                  % (os.path.basename(path), section, key, found, expected))
                if len(value) > MAX_VALUE:
                    errors.append("%s: [%s] %s is longer than %d characters"
                                  % (os.path.basename(path), section, key, MAX_VALUE))
    for line in errors:
        print(line)
    print("language files: %d keys checked in %d files, %d problems"
          % (len(needed), len(texts.LANGUAGES), len(errors)))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
