#!/usr/bin/env python3
"""The language check must catch what it exists to catch."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))


def run(*args):
    return subprocess.run([sys.executable, *args], capture_output=True, text=True)


class CheckLangTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp()
        self.lang = os.path.join(self.dir, "lang")
        self.src = os.path.join(self.dir, "src")
        os.makedirs(os.path.join(self.src, "ui"))
        self.assertEqual(run(os.path.join(HERE, "langgen.py"), self.lang).returncode, 0)

    def tearDown(self):
        shutil.rmtree(self.dir)

    def edit(self, name, old, new):
        path = os.path.join(self.lang, name)
        with open(path, "rb") as f:
            text = f.read()[2:].decode("utf-16-le")
        self.assertIn(old, text)
        with open(path, "wb") as f:
            f.write(b"\xff\xfe" + text.replace(old, new).encode("utf-16-le"))

    def check(self):
        return run(os.path.join(HERE, "check_lang.py"), self.lang, self.src)

    def test_generated_files_pass(self):
        result = self.check()
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_cases_that_must_fail(self):
        cases = [
            ("missing key", "Lang0804.ini", "\nMAIN_CAPTION=", "\nXMAIN_CAPTION="),
            ("wrong placeholder", "Lang0404.ini", "%s", "%d"),
            ("placeholder in a plain text", "Lang0409.ini", "MAIN_CAPTION=Kelvarin", "MAIN_CAPTION=Kelvarin %s"),
            ("missing mode name", "Lang0409.ini", "\n254=", "\n255="),
        ]
        for label, name, old, new in cases:
            with self.subTest(label):
                self.tearDown()
                self.setUp()
                self.edit(name, old, new)
                self.assertNotEqual(self.check().returncode, 0)

    def test_key_looked_up_by_code_but_absent(self):
        with open(os.path.join(self.src, "ui", "window.cpp"), "w") as f:
            f.write('auto t = Text(u"TEXT", u"NOT_IN_ANY_FILE");\n')
        result = self.check()
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("NOT_IN_ANY_FILE", result.stdout)

    def test_file_without_byte_order_mark(self):
        path = os.path.join(self.lang, "Lang0409.ini")
        with open(path, "rb") as f:
            data = f.read()
        with open(path, "wb") as f:
            f.write(data[2:])
        self.assertNotEqual(self.check().returncode, 0)


if __name__ == "__main__":
    unittest.main()
