#!/usr/bin/python3
"""The generators' input check names the package of what is missing, in one line."""
import os
import subprocess
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import prereq  # noqa: E402


class Missing(unittest.TestCase):
    def test_every_listed_input_is_present_here(self):
        self.assertIsNone(prereq.missing(prereq.MODULES, prereq.FONTS))

    def test_names_the_package_of_a_missing_font(self):
        prereq.FONTS["/nonexistent/DejaVuSansCondensed.ttf"] = "fonts-dejavu-extra"
        try:
            what, package = prereq.missing(fonts=["/nonexistent/DejaVuSansCondensed.ttf"])
        finally:
            del prereq.FONTS["/nonexistent/DejaVuSansCondensed.ttf"]
        self.assertIn("/nonexistent/DejaVuSansCondensed.ttf", what)
        self.assertEqual(package, "fonts-dejavu-extra")

    def test_names_the_package_of_a_missing_module(self):
        prereq.MODULES["kv_no_such_module"] = "python3-nothing"
        try:
            self.assertEqual(prereq.missing(modules=["kv_no_such_module"])[1], "python3-nothing")
        finally:
            del prereq.MODULES["kv_no_such_module"]

    def test_check_stops_with_one_line_and_no_traceback(self):
        code = ("import sys; sys.path.insert(0, %r); import prereq; "
                "prereq.FONTS['/nonexistent/x.ttf'] = 'fonts-x'; "
                "prereq.check('skingen', fonts=['/nonexistent/x.ttf'])" % HERE)
        run = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True)
        self.assertEqual(run.returncode, 1)
        self.assertEqual(run.stderr.count("\n"), 1, run.stderr)
        self.assertIn("fonts-x", run.stderr)
        self.assertNotIn("Traceback", run.stderr)


if __name__ == "__main__":
    unittest.main()
