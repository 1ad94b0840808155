#!/usr/bin/env python3
"""Writes Lang0409.ini, Lang0804.ini and Lang0404.ini from data/lang/texts.py.

The files are UTF-16LE with a byte-order mark, so the Windows INI functions
read them as Unicode. Usage: langgen.py OUTPUT_DIR
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "data", "lang"))
import texts  # noqa: E402


def escape(value):
    # INI values are single lines; the reader strips surrounding quotes, so a
    # value with leading or trailing blanks is quoted to keep them.
    if "\n" in value or "\r" in value:
        raise ValueError("multi-line text: %r" % value)
    if value != value.strip():
        return '"%s"' % value
    return value


def render(column):
    lines = ["; Generated from data/lang/texts.py; edit that file instead."]
    for section, rows in texts.SECTIONS:
        lines.append("")
        lines.append("[%s]" % section)
        for row in rows:
            lines.append("%s=%s" % (row[0], escape(row[column])))
    return "\r\n".join(lines) + "\r\n"


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for lang_id, column in texts.LANGUAGES:
        path = os.path.join(out, "Lang%04X.ini" % lang_id)
        data = b"\xff\xfe" + render(column).encode("utf-16-le")
        tmp = path + ".tmp"
        with open(tmp, "wb") as f:
            f.write(data)
        os.replace(tmp, path)


if __name__ == "__main__":
    main()
