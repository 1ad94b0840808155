#!/usr/bin/env python3
"""The include check must catch what it exists to catch."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CHECK = os.path.join(HERE, "check_layers.py")


class CheckLayersTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp()
        # A small tree that keeps every rule.
        self.write("hidserv/HidServ.h", "")
        self.write("device/service.h", '#include "hidserv/HidServ.h"\n#include <cstdint>\n')
        self.write("sim/keyboard.h", '#include "device/service.h"\n')
        self.write("hidserv/sim/exports.cpp", '#include <windows.h>\n#include "sim/keyboard.h"\n')
        self.write("model/keys/keys.h", '#include "device/service.h"\n')
        self.write("profiles/file.h", '#include "model/keys/keys.h"\n')
        self.write("model/sync/sync.h", '#include "profiles/file.h"\n')
        self.write("config_json/backup.h", '#include "model/sync/sync.h"\n')
        self.write("cli/run.h", '#include "config_json/backup.h"\n')
        self.write("app/tray/tray.h", '#include <windows.h>\n#include "model/sync/sync.h"\n')
        self.write("ui/kit/button.h", '#include <windows.h>\n#include "model/keys/keys.h"\n')
        self.write("ui/main/window.h",
                   '#include "ui/kit/button.h"\n#include "app/tray/tray.h"\n#include "config_json/backup.h"\n')
        self.write("app/startup/main.cpp", '#include "ui/main/window.h"\n')
        self.write("app/resources/kelvarin.rc", '#include "ui/main/window.h"\n')

    def tearDown(self):
        shutil.rmtree(self.root)

    def write(self, rel, text):
        path = os.path.join(self.root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write(text)

    def check(self):
        return subprocess.run([sys.executable, CHECK, self.root], capture_output=True, text=True)

    def test_a_tree_that_keeps_the_rules_passes(self):
        result = self.check()
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_each_broken_rule_fails(self):
        cases = [
            ("portable code with windows.h", "model/keys/win.h", "#include <Windows.h>\n", "<Windows.h>"),
            ("portable code with a shell header", "sim/shell.cpp", "#include <shellapi.h>\n", "<shellapi.h>"),
            ("device above model", "device/up.h", '#include "model/keys/keys.h"\n', "device is below model"),
            ("model below sync", "model/keys/up.h", '#include "model/sync/sync.h"\n', "below model/sync"),
            ("profiles above sync", "profiles/up.h", '#include "model/sync/sync.h"\n', "below model/sync"),
            ("sync above app", "model/sync/up.h", '#include "app/tray/tray.h"\n', "below app"),
            ("sync above JSON", "model/sync/up2.h", '#include "config_json/backup.h"\n', "below config_json"),
            ("JSON above kvcli", "config_json/up.h", '#include "cli/run.h"\n', "config_json is below cli"),
            ("JSON with windows.h", "config_json/win.cpp", "#include <windows.h>\n", "<windows.h>"),
            ("kvcli above the program", "cli/up.cpp", '#include "app/tray/tray.h"\n', "cli is below app"),
            ("app above ui", "app/tray/up.cpp", '#include "ui/main/window.h"\n', "app is below ui"),
            ("kit uses app", "ui/kit/up.cpp", '#include "app/tray/tray.h"\n', "the kit uses app/"),
            ("kit uses a window", "ui/kit/up2.cpp", '#include "ui/main/window.h"\n', "the kit uses a window"),
            ("program uses sim", "model/sync/sim.cpp", '#include "sim/keyboard.h"\n', "only the simulated"),
            ("sim uses the model", "sim/up.cpp", '#include "model/keys/keys.h"\n', "sim/ may use only"),
            ("device uses a library build", "device/up2.cpp", '#include "hidserv/sim/x.h"\n', "ABI header"),
            ("program uses tests", "ui/main/t.cpp", '#include "tests/win/kit/kit_fixture.h"\n', "no program code"),
        ]
        for name, rel, text, message in cases:
            with self.subTest(name):
                self.write(rel, text)
                result = self.check()
                self.assertEqual(result.returncode, 1, name)
                self.assertIn(rel, result.stdout)
                self.assertIn(message, result.stdout)
                os.remove(os.path.join(self.root, rel))


if __name__ == "__main__":
    unittest.main()
