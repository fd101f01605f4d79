#!/usr/bin/env python3
"""tools/check_layers.py on small trees: an include up the layers fails it however it is
written, and a tree whose includes run down passes."""
import os, subprocess, sys, tempfile, unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_layers.py")


def check(files):
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w") as f:
                f.write(text)
        return subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True).returncode


class CheckLayersTest(unittest.TestCase):
    def test_an_include_is_judged_however_it_is_written(self):
        for include, fails in [
            ('"shell/Top.h"', True),
            ("<shell/Top.h>", True),
            ('"../shell/Top.h"', True),
            ("<os/Base.h>", False),
            ('"../os/Base.h"', False),
        ]:
            with self.subTest(include=include):
                tree = {"shell/Top.h": "", "os/Base.h": "", "store/Middle.h": f"#include {include}\n"}
                self.assertEqual(check(tree) != 0, fails)


if __name__ == "__main__":
    unittest.main()
