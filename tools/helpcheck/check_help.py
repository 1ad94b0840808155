#!/usr/bin/env python3
"""Checks the help page the program opens: well-formed, self-contained, complete.

usage: check_help.py PAGE      check one page; exit 1 with the faults listed
       check_help.py --self    check that the checker itself catches faults
"""
import html.parser
import re
import sys

# Every topic the page must cover, by the id of its section.
REQUIRED_SECTIONS = ["start", "main", "assign", "macros", "lighting", "profiles", "backup", "firmware",
                     "files", "trouble"]
REQUIRED_WORDS = ["kvhid list", "kvhid ping"]
VOID = {"meta", "br", "hr", "img", "link", "input", "col", "wbr"}
EXTERNAL = re.compile(r"^\s*([a-z][a-z0-9+.-]*:|//)", re.I)


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.faults, self.ids, self.links, self.stack = [], set(), [], []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if "id" in a:
            if a["id"] in self.ids:
                self.faults.append(f"id '{a['id']}' is used twice")
            self.ids.add(a["id"])
        for name in ("href", "src"):
            value = a.get(name)
            if value is None:
                continue
            if EXTERNAL.match(value):
                self.faults.append(f"<{tag} {name}=\"{value}\"> reaches outside the page")
            elif value.startswith("#"):
                self.links.append(value[1:])
        if tag in ("script", "iframe", "object", "embed"):
            self.faults.append(f"<{tag}> has no place in the help page")
        if tag not in VOID:
            self.stack.append((tag, self.getpos()[0]))

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.stack.pop()

    def handle_endtag(self, tag):
        if not self.stack or self.stack[-1][0] != tag:
            open_tag = self.stack[-1] if self.stack else ("nothing", 0)
            self.faults.append(f"line {self.getpos()[0]}: </{tag}> closes <{open_tag[0]}> of line {open_tag[1]}")
            return
        self.stack.pop()


def check(text):
    page = Page()
    page.feed(text)
    page.close()
    faults = list(page.faults)
    faults += [f"<{tag}> of line {line} is never closed" for tag, line in page.stack]
    faults += [f"link to '#{target}', which is not on the page" for target in page.links if target not in page.ids]
    faults += [f"no section '{s}'" for s in REQUIRED_SECTIONS if s not in page.ids]
    faults += [f"'{w}' is not explained" for w in REQUIRED_WORDS if w not in text]
    if not re.search(r"<html[^>]*\blang=", text):
        faults.append("<html> names no language")
    if not re.search(r"<meta charset=\"utf-8\">", text, re.I):
        faults.append("no UTF-8 charset declaration")
    return faults


def self_test():
    base = ('<!DOCTYPE html><html lang="en"><head><meta charset="utf-8"><title>t</title></head><body>'
            + "".join(f'<h2 id="{s}">{s}</h2>' for s in REQUIRED_SECTIONS)
            + "<p>kvhid list and kvhid ping</p>{extra}</body></html>")
    cases = [
        ("", []),
        ('<a href="#nowhere">x</a>', ["not on the page"]),
        ('<img src="https://example.invalid/a.png">', ["reaches outside"]),
        ('<link href="//cdn.invalid/a.css">', ["reaches outside"]),
        ("<script>alert(1)</script>", ["no place"]),
        ("<div><p>x</div>", ["closes"]),
        ('<p id="main">again</p>', ["used twice"]),
    ]
    failed = 0
    for extra, expected in cases:
        faults = check(base.replace("{extra}", extra))
        ok = all(any(e in f for f in faults) for e in expected) and (expected or not faults)
        if not ok:
            failed += 1
            print(f"self-test: {extra!r} gave {faults}, wanted {expected}")
    missing = check(base.replace("{extra}", "").replace('id="trouble"', ""))
    if not any("no section 'trouble'" in f for f in missing):
        failed += 1
        print("self-test: a missing section went unnoticed")
    return failed


def main():
    if sys.argv[1:] == ["--self"]:
        return 1 if self_test() else 0
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    with open(sys.argv[1], encoding="utf-8") as f:
        faults = check(f.read())
    for fault in faults:
        print(f"{sys.argv[1]}: {fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
