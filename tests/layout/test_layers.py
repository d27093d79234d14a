"""The Win32 side of the form host is built in layers: a folder includes
only the folders below it, so the ground (system/) knows nothing of the
windows and the program's life (program/) sits on top. The order is the one
formhost/win32/CMakeLists.txt and the README give."""
import pathlib
import re
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
WIN32 = ROOT / "formhost" / "win32"
# Bottom to top; folders on one rung do not include each other.
LAYERS = [["system"], ["media", "sound"], ["drawing"], ["state"], ["controls"], ["windows"], ["routines"],
          ["program"]]
INCLUDE = re.compile(r'^\s*#\s*include\s+"formhost/win32/([a-z_]+)/', re.M)


def rung(folder):
    for index, folders in enumerate(LAYERS):
        if folder in folders:
            return index
    return None


class Layers(unittest.TestCase):
    def test_every_folder_has_its_place(self):
        folders = sorted(p.name for p in WIN32.iterdir() if p.is_dir())
        self.assertEqual([f for f in folders if rung(f) is None], [])

    def test_every_include_goes_down_or_stays_in_its_folder(self):
        upward = []
        for source in sorted(WIN32.rglob("*")):
            if source.suffix not in (".h", ".cpp"):
                continue
            folder = source.relative_to(WIN32).parts[0]
            for included in INCLUDE.findall(source.read_text(encoding="utf-8")):
                if included != folder and rung(included) >= rung(folder):
                    upward.append(f"{source.relative_to(ROOT)} includes {included}/")
        self.assertEqual(upward, [])

    def test_the_readme_lists_the_layers_in_order(self):
        readme = (ROOT / "README.md").read_text(encoding="utf-8")
        row = next(line for line in readme.splitlines() if line.startswith("| `formhost/win32/`"))
        named = [f for f in re.findall(r"`([a-z_]+)/`", row)]
        self.assertEqual(named, [f for folders in LAYERS for f in folders])


if __name__ == "__main__":
    unittest.main()
