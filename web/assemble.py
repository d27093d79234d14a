#!/usr/bin/env python3
"""Writes the page as one self-contained HTML file: the template with its
style, its scripts (the show's WebAssembly inside emscripten's script), the
rose, the sky, the music and the default store's texts inlined.

  assemble.py SHOW_JS ROSE_PNG MUSIC_M4A OUT_HTML
"""
import base64
import json
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
PAGE = ROOT / "web" / "page"
# Order matters: each script uses the ones before it.
SCRIPTS = ["link.js", "screen.js", "stage_canvas.js", "music.js", "editor.js", "main.js"]


def default_texts():
    """The default store's thirteen texts as UTF-8, under the file names the
    programs use (slot_names.h is their one list)."""
    names = re.findall(r'"数据库/([^"]+)"', (ROOT / "store" / "slot_names.h").read_text(encoding="utf-8"))
    if len(names) != 13:
        sys.exit(f"assemble: expected 13 slot names in store/slot_names.h, found {len(names)}")
    folder = ROOT / "store" / "default" / "数据库"
    return [(folder / name).read_bytes().decode("gb18030") for name in names]


def data_url(kind, path):
    return f"data:{kind};base64," + base64.b64encode(pathlib.Path(path).read_bytes()).decode("ascii")


def script_text(text):
    # Nothing inlined may end the script element early.
    return text.replace("</script", "<\\/script")


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    show_js, rose_png, music, out = sys.argv[1:]
    assets = {
        "rose": data_url("image/png", rose_png),
        "sky": data_url("image/jpeg", ROOT / "presenter" / "assets" / "sky.jpg"),
        "music": base64.b64encode(pathlib.Path(music).read_bytes()).decode("ascii"),
        "texts": default_texts(),
    }
    scripts = [pathlib.Path(show_js).read_text(encoding="utf-8")]
    scripts += [(PAGE / name).read_text(encoding="utf-8") for name in SCRIPTS]
    page = (PAGE / "index.html").read_text(encoding="utf-8")
    page = page.replace("/*STYLE*/", (PAGE / "page.css").read_text(encoding="utf-8"))
    page = page.replace("/*ASSETS*/", script_text("const SHOW_ASSETS = " + json.dumps(assets, ensure_ascii=False) + ";"))
    page = page.replace("/*SCRIPTS*/", script_text("\n".join(scripts)))
    pathlib.Path(out).write_text(page, encoding="utf-8")


if __name__ == "__main__":
    main()
