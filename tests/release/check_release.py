#!/usr/bin/env python3
"""Checks the release zip as a person receives it, and what the 64-bit
programs saw when started from a folder unpacked the same way; a unittest
case per check, in two classes:

    ReleaseZip     entries, flags, unpacking (Python and unzip into
                   WORK/python, WORK/unzip), store bytes, read-me, the
                   programs' icons, version information, manifests and
                   imports, and that a copy re-zips to the same bytes
    UnderWine      the outputs tests/release/run gathered under wine in
                   WORK/x86_64

The zip is RELEASE_ZIP (default: dist/confession-show-VERSION-win32.zip),
the work folder RELEASE_WORK (default: build/release-test). tests/release/run
sets both and runs each class through scripts/tally.py unittest; by hand:

    check_release.py zip ZIP WORK
    check_release.py folder WORK

(exit status 1 on any failure).
"""

import calendar
import os
import shutil
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ET
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, HERE)
import pe_resources as pe  # noqa: E402

STORE = "数据库"
PROGRAMS = {"presenter": "表白演示", "editor": "表白文字修改器"}
NTFS = 11


class Failed(AssertionError):
    pass


def need(cond, message):
    if not cond:
        raise Failed(message)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def version():
    with open(os.path.join(ROOT, "VERSION")) as f:
        return f.readline().strip()


def store_files():
    folder = os.path.join(ROOT, "store", "default", STORE)
    return {name: read(os.path.join(folder, name)) for name in os.listdir(folder)}


def ico_images(path):
    """The image data of each icon directory entry, keyed by size."""
    data = read(path)
    count = int.from_bytes(data[4:6], "little")
    images = {}
    for i in range(count):
        entry = data[6 + 16 * i : 22 + 16 * i]
        size = int.from_bytes(entry[8:12], "little")
        offset = int.from_bytes(entry[12:16], "little")
        images[entry[0] or 256] = data[offset : offset + size]
    return images


# ---------------------------------------------------------------- the zip


def check_entries(zip_path):
    with zipfile.ZipFile(zip_path) as z:
        infos = z.infolist()
    names = [i.filename for i in infos]
    slots = sorted(store_files())
    need(len(slots) == 13, f"store/default has {len(slots)} slot files, not 13")
    expected = ["README.txt", "editor.exe", "presenter.exe", STORE + "/"] + [f"{STORE}/{s}" for s in slots]
    need(names == sorted(expected, key=lambda n: n.encode()), f"entries are {names}")
    for i in infos:
        utf8 = bool(i.flag_bits & 0x800)
        need(utf8 == (not i.filename.isascii()), f"{i.filename}: UTF-8 flag is {utf8}")
        need(not i.flag_bits & 0x08, f"{i.filename}: has a data descriptor (sizes written after the data)")
        need(i.create_system == NTFS, f"{i.filename}: made on system {i.create_system}, not NTFS")
        need(i.date_time == infos[0].date_time, f"{i.filename}: time {i.date_time} differs from {infos[0].date_time}")
        need(not i.extra, f"{i.filename}: carries an extra field")
        if i.is_dir():
            need(i.external_attr == 0x10 and i.compress_type == zipfile.ZIP_STORED, f"{i.filename}: not a plain directory")
        else:
            need(i.external_attr == 0x20 and i.compress_type == zipfile.ZIP_DEFLATED, f"{i.filename}: not a deflated file")
    return f"{len(names)} entries, {STORE}/ with {len(slots)} slots, dated {infos[0].date_time}"


def unpack_python(zip_path, dest):
    shutil.rmtree(dest, ignore_errors=True)
    with zipfile.ZipFile(zip_path) as z:
        z.extractall(dest)


def unpack_unzip(zip_path, dest):
    shutil.rmtree(dest, ignore_errors=True)
    os.makedirs(dest)
    # Whatever the caller's locale: unzip writes UTF-8 names only under a
    # UTF-8 one, as on any current Linux desktop.
    env = dict(os.environ, LC_ALL="C.UTF-8")
    subprocess.run(["unzip", "-q", os.path.abspath(zip_path)], cwd=dest, env=env, check=True)


def check_tree(dest):
    top = sorted(os.listdir(dest))
    need(top == sorted(["README.txt", "editor.exe", "presenter.exe", STORE]), f"unpacked folder holds {top}")
    want = store_files()
    got = sorted(os.listdir(os.path.join(dest, STORE)))
    need(got == sorted(want), f"{STORE} holds {got}")
    for name, data in want.items():
        need(read(os.path.join(dest, STORE, name)) == data, f"{STORE}/{name} differs from store/default")
    return f"{STORE} and its {len(want)} slot files byte for byte as in store/default"


def check_same_trees(a, b):
    for name in ("README.txt", "editor.exe", "presenter.exe"):
        need(read(os.path.join(a, name)) == read(os.path.join(b, name)), f"{name} differs between the two unpackings")
    return "Python's zipfile and unzip unpack the same files"


def check_readme(dest):
    data = read(os.path.join(dest, "README.txt"))
    need(data.startswith(b"\xef\xbb\xbf"), "README.txt has no UTF-8 byte order mark")
    need(data.count(b"\n") == data.count(b"\r\n") > 20, "README.txt's lines do not all end in CR LF")
    text = data[3:].decode("utf-8")
    need("@" not in text, "README.txt still holds a placeholder")
    chinese, _, english = text.partition("Confession show")
    need(english, "README.txt has no English part")
    for part, words in ((chinese, ["表白演示", "表白文字修改器", "Esc", "任务管理器"]),
                        (english, ["presenter.exe", "editor.exe", "Esc", "Task Manager"])):
        for w in words + [STORE, version()]:
            need(w in part, f"README.txt's {'English' if part is english else 'Chinese'} part lacks {w!r}")
    return f"UTF-8 with BOM, CR LF, {len(text.splitlines())} lines, Chinese then English"


def check_program(dest, program):
    data = read(os.path.join(dest, f"{program}.exe"))
    res = pe.resources(data)
    groups = {k: v for k, v in res.items() if k[0] == pe.RT_GROUP_ICON}
    need(list(k[1] for k in groups) == [1], f"icon groups {[k[1] for k in groups]}, expected only 1")
    entries = pe.icon_group(next(iter(groups.values())))
    icons = {k[1]: v for k, v in res.items() if k[0] == pe.RT_ICON}
    source = ico_images(os.path.join(ROOT, program, "assets", f"{program}.ico"))
    need(sorted(source) == [16, 32, 48, 256], f"{program}.ico holds sizes {sorted(source)}")
    need([(w, h, bits) for w, h, bits, _ in entries] == [(n, n, 32) for n in (16, 32, 48, 256)],
         f"icon group 1 holds {entries}")
    for w, _, _, icon_id in entries:
        need(icons.get(icon_id) == source[w], f"the {w} px icon is not the one in {program}/assets/{program}.ico")

    blobs = [v for k, v in res.items() if k[0] == pe.RT_VERSION]
    need(len(blobs) == 1, f"{len(blobs)} version resources")
    (file_version, product_version), translations, strings = pe.version_info(blobs[0])
    four = version() + ".0" * (3 - version().count("."))
    need(file_version == product_version == four, f"versions {file_version}, {product_version}, not {four}")
    need(translations == [(0x0804, 1200)], f"translations {translations}")
    table = {k: v for (t, k), v in strings.items() if t.upper() == "080404B0"}
    want = {"FileDescription": PROGRAMS[program], "FileVersion": four, "ProductVersion": four,
            "OriginalFilename": f"{program}.exe", "InternalName": program}
    for key, value in want.items():
        need(table.get(key) == value, f"{key} is {table.get(key)!r}, not {value!r}")
    need(table.get("ProductName") and table.get("LegalCopyright"), "no ProductName or LegalCopyright")
    return f"icon 1 = {program}.ico (16/32/48/256), {table['FileDescription']} {four}, 0804/1200"


# What each program's manifest must say, by the namespaces Windows reads.
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
DPI = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10/11",
}


def check_manifest(dest, program):
    res = pe.resources(read(os.path.join(dest, f"{program}.exe")))
    manifests = {k[1]: v for k, v in res.items() if k[0] == pe.RT_MANIFEST}
    need(list(manifests) == [1], f"manifests {list(manifests)}, expected only 1 (the process's own)")
    root = ET.fromstring(manifests[1])
    os_ids = [e.get("Id") for e in root.iter(f"{COMPAT}supportedOS")]
    need(sorted(os_ids) == sorted(SUPPORTED_OS), f"supportedOS {os_ids}")
    levels = [e.get("level") for e in root.iter(f"{ASM_V3}requestedExecutionLevel")]
    need(levels == ["asInvoker"], f"requestedExecutionLevel {levels}")
    controls = [e.attrib for e in root.iter(f"{ASM_V1}assemblyIdentity")
                if e.get("name") == "Microsoft.Windows.Common-Controls"]
    need(len(controls) == 1 and controls[0].get("version") == "6.0.0.0"
         and controls[0].get("publicKeyToken") == "6595b64144ccf1df", f"Common-Controls dependency {controls}")
    dpi = [e.text for e in root.iter(f"{DPI}dpiAware")]
    need(dpi == ["false"], f"dpiAware {dpi}")
    return "asInvoker, Windows " + ", ".join(SUPPORTED_OS[i] for i in os_ids) + ", Common-Controls 6, dpiAware false"


def imported(path):
    """{dll: [routine names]} from the import table, as objdump lists it."""
    out = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", path], capture_output=True, text=True,
                         check=True).stdout
    imports, dll = {}, None
    for line in out.splitlines():
        if line.strip().startswith("DLL Name:"):
            dll = line.split(":", 1)[1].strip().lower()
            imports[dll] = []
        elif dll and line.startswith("\t") and len(line.split()) == 3 and line.split()[1].isdigit():
            imports[dll].append(line.split()[2])
    return imports


def check_presenter_imports(dest):
    got = imported(os.path.join(dest, "presenter.exe"))
    want = {"user32.dll": ["DisableProcessWindowsGhosting"], "winmm.dll": ["timeBeginPeriod", "timeEndPeriod"]}
    for dll, names in want.items():
        for name in names:
            need(name in got.get(dll, []), f"presenter.exe does not import {dll}!{name}")
    return "imports user32!DisableProcessWindowsGhosting, winmm!timeBeginPeriod and timeEndPeriod"


def check_rezip(zip_path, dest, work):
    """A copy with other times and permissions packs to the same bytes."""
    copy = os.path.join(work, "copy")
    shutil.rmtree(copy, ignore_errors=True)
    shutil.copytree(dest, copy)
    for n, (parent, dirs, files) in enumerate(os.walk(copy)):
        for name in files:
            path = os.path.join(parent, name)
            os.chmod(path, 0o755 if n % 2 else 0o600)
            os.utime(path, (1_234_567_890 + n, 1_234_567_890 + n))
    with zipfile.ZipFile(zip_path) as z:
        epoch = calendar.timegm(z.infolist()[0].date_time + (0, 0, 0))
    again = os.path.join(work, "again.zip")
    subprocess.run([sys.executable, os.path.join(ROOT, "tools", "release", "zip_folder.py"), copy, again,
                    "--epoch", str(epoch)], check=True)
    need(read(again) == read(zip_path), "the copy packs to different bytes")
    return "a copy with other times and permissions packs to the same bytes"


# ---------------------------------------------------------------- under wine


def lines(path):
    need(os.path.isfile(path), f"{os.path.basename(path)} was not written")
    return read(path).decode("utf-8", "replace").splitlines()


def check_probe(folder, program):
    out = lines(os.path.join(folder, f"resources-{program}.txt"))
    four = version() + ".0" * (3 - version().count("."))
    want = [
        f"fixed file {four} product {four} type 1",
        "translation 080404b0",
        f"string FileDescription={PROGRAMS[program]}",
        f"string OriginalFilename={program}.exe",
        "icon count 1",
        "extract large 32x32 32bpp alpha, small 16x16 32bpp alpha",
        "load icon 1 32x32 32bpp alpha",
    ] + [f"load image {n} {n}x{n} 32bpp alpha" for n in (16, 32, 48, 256)]
    for w in want:
        need(w in out, f"{program}: {w!r} not among {out}")
    return f"{PROGRAMS[program]}: version {four}, one icon, LoadIconW(1) and every size with alpha"


def check_store_found(folder):
    log = read(os.path.join(folder, "folder.log"))
    slot = store_files()["tavimore00.txt"]
    need(b"\nslot " + slot + b"\n" in b"\n" + log, f"the probe did not read tavimore00.txt beside it: {log!r}")
    return "a program started from elsewhere reads 数据库/tavimore00.txt beside itself"


def check_window_icon(folder):
    """Wine hands the window class's icon to X as _NET_WM_ICON: ARGB words,
    each image after its width and height."""
    path = os.path.join(folder, "window-icon.txt")
    text = read(path).decode() if os.path.isfile(path) else ""
    need("=" in text, f"the editor's window has no _NET_WM_ICON: {text!r}")
    values = [int(v) for v in text.split("=", 1)[1].replace(",", " ").split()]
    images, i = {}, 0
    while i + 2 <= len(values):
        w, h = values[i], values[i + 1]
        images[(w, h)] = values[i + 2 : i + 2 + w * h]
        i += 2 + w * h
    need((32, 32) in images, f"window icon sizes {sorted(images)}")
    dib = ico_images(os.path.join(ROOT, "editor", "assets", "editor.ico"))[32]
    pixels = dib[40 : 40 + 32 * 32 * 4]
    rows = [pixels[y * 128 : (y + 1) * 128] for y in range(32)][::-1]  # the DIB is bottom-up
    want = [int.from_bytes(row[x * 4 : x * 4 + 4], "little") for row in rows for x in range(32)]
    got = [v & 0xFFFFFFFF for v in images[(32, 32)]]
    need(got == want, f"the window's 32 px icon differs from editor.ico's in {sum(a != b for a, b in zip(got, want))} pixels")
    return f"the editor's window shows editor.ico ({', '.join(f'{w}x{h}' for w, h in sorted(images))})"


def zip_path():
    return os.environ.get("RELEASE_ZIP") or os.path.join(ROOT, "dist", f"confession-show-{version()}-win32.zip")


def work_folder():
    return os.environ.get("RELEASE_WORK") or os.path.join(ROOT, "build", "release-test")


def report(detail):
    """What a check found, beside its case's line in the verbose run."""
    print(detail, end=" ")


class ReleaseZip(unittest.TestCase):
    """The zip, and the folders Python's zipfile and unzip unpack it into
    (tests/release/run takes the programs and the store from WORK/python)."""

    @classmethod
    def setUpClass(cls):
        cls.zip, cls.work = zip_path(), work_folder()
        cls.python = os.path.join(cls.work, "python")
        cls.unzip = os.path.join(cls.work, "unzip") if shutil.which("unzip") else None
        unpack_python(cls.zip, cls.python)
        if cls.unzip:
            unpack_unzip(cls.zip, cls.unzip)

    def need_unzip(self):
        if not self.unzip:
            self.skipTest("unzip is not installed")

    def test_entries_names_flags_and_dates(self):
        report(check_entries(self.zip))

    def test_unpacks_with_zipfile_to_the_store_byte_for_byte(self):
        report(check_tree(self.python))

    def test_unpacks_with_unzip_to_the_store_byte_for_byte(self):
        self.need_unzip()
        report(check_tree(self.unzip))

    def test_zipfile_and_unzip_unpack_the_same_files(self):
        self.need_unzip()
        report(check_same_trees(self.python, self.unzip))

    def test_read_me(self):
        report(check_readme(self.python))

    def test_presenter_exe_icon_and_version(self):
        report(check_program(self.python, "presenter"))

    def test_editor_exe_icon_and_version(self):
        report(check_program(self.python, "editor"))

    def test_presenter_exe_manifest(self):
        report(check_manifest(self.python, "presenter"))

    def test_editor_exe_manifest(self):
        report(check_manifest(self.python, "editor"))

    def test_presenter_exe_imports(self):
        report(check_presenter_imports(self.python))

    def test_a_copy_re_zips_to_the_same_bytes(self):
        report(check_rezip(self.zip, self.python, self.work))


class UnderWine(unittest.TestCase):
    """What tests/release/run gathered from the 64-bit programs under wine,
    in a folder unpacked as the zip is (WORK/x86_64)."""

    @classmethod
    def setUpClass(cls):
        cls.folder = os.path.join(work_folder(), "x86_64")

    def test_presenter_exe_shows_its_version_and_icon(self):
        report(check_probe(self.folder, "presenter"))

    def test_editor_exe_shows_its_version_and_icon(self):
        report(check_probe(self.folder, "editor"))

    def test_a_program_finds_the_store_beside_itself(self):
        report(check_store_found(self.folder))

    def test_the_editor_window_shows_its_icon(self):
        report(check_window_icon(self.folder))


def main(argv):
    if len(argv) == 3 and argv[0] == "zip":
        os.environ["RELEASE_ZIP"], os.environ["RELEASE_WORK"] = argv[1], argv[2]
        cases = "ReleaseZip"
    elif len(argv) == 2 and argv[0] == "folder":
        os.environ["RELEASE_WORK"] = argv[1]
        cases = "UnderWine"
    else:
        print(__doc__, file=sys.stderr)
        return 2
    program = unittest.main(argv=[sys.argv[0], cases], verbosity=2, exit=False)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
