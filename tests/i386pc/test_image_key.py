#!/usr/bin/env python3
"""The cache key of the emulated PC's image: a fresh clone anywhere on the
machine finds the image the last one built, and a change to anything the
image is made from gives a new key."""
import os
import shutil
import subprocess
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


def key(tree):
    return subprocess.run(["bash", "-c", f'. "{tree}/scripts/i386pc/lib.sh" && image_key'],
                          capture_output=True, text=True, check=True).stdout.strip()


class ImageKey(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def clone(self, name):
        tree = os.path.join(self.tmp, name)
        for part in ("scripts/i386pc", "scripts/wine"):
            shutil.copytree(os.path.join(ROOT, part), os.path.join(tree, part))
        return tree

    def test_two_clones_in_other_places_agree(self):
        self.assertEqual(key(self.clone("a")), key(self.clone("deeper/b")))
        self.assertRegex(key(ROOT), "^[0-9a-f]{16}$")

    def test_the_registry_settings_the_guest_scripts_and_the_packages_count(self):
        base = key(self.clone("base"))
        for part in ("scripts/wine/bench.reg", "scripts/i386pc/guest/firstboot", "scripts/i386pc/packages"):
            tree = self.clone(part.replace("/", "_"))
            with open(os.path.join(tree, part), "a", encoding="utf-8") as f:
                f.write("\n# changed\n")
            self.assertNotEqual(key(tree), base, part)

    def test_how_it_is_booted_does_not(self):
        base = key(self.clone("base"))
        tree = self.clone("boot")
        with open(os.path.join(tree, "scripts/i386pc/guest/tests"), "a", encoding="utf-8") as f:
            f.write("\n# changed\n")
        self.assertEqual(key(tree), base)


if __name__ == "__main__":
    unittest.main()
