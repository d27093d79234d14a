#!/usr/bin/env python3
"""Packs a folder into a zip that is the same, byte for byte, whenever the
folder's files have the same names and contents.

    python3 tools/release/zip_folder.py FOLDER OUT.zip [--epoch SECONDS]

The folder's own name is not stored: its contents sit at the archive's
root. Nothing of the machine or the moment leaks in:
- every entry carries the one time given by --epoch (default
  SOURCE_DATE_EPOCH from the environment, else 2000-01-01 00:00:00), in UTC;
- entries come in the order of their names' UTF-8 bytes, each directory
  just before its contents;
- attributes are fixed: made on NTFS with Windows attributes only (no Unix
  owner or mode travels with the files), directories marked as such, files
  as plain archive files. Not "MS-DOS": Debian's unzip then converts even
  UTF-8 names from the DOS code page and shows 数据库 garbled;
- files are deflated at level 9, directories stored.
Names are stored in UTF-8; the names that are not plain ASCII carry the
language-encoding flag (general purpose bit 11), so Windows Explorer and
Info-ZIP's unzip both read 数据库 as 数据库 rather than in a guessed code page.
"""

import argparse
import os
import sys
import time
import zipfile

DEFAULT_EPOCH = 946684800  # 2000-01-01 00:00:00 UTC
UTF8_NAMES = 0x800
NTFS = 11
DOS_DIRECTORY = 0x10
DOS_ARCHIVE = 0x20


def entries(folder):
    """(archive name, path or None for a directory), sorted by UTF-8 bytes."""
    found = []
    for parent, dirs, files in os.walk(folder):
        rel = os.path.relpath(parent, folder)
        prefix = "" if rel == "." else rel.replace(os.sep, "/") + "/"
        if prefix:
            found.append((prefix, None))
        for name in files:
            found.append((prefix + name, os.path.join(parent, name)))
    for name, _ in found:
        try:
            name.encode("utf-8")
        except UnicodeEncodeError:
            sys.exit(f"zip_folder: {name!r} is not valid UTF-8")
    return sorted(found, key=lambda e: e[0].encode("utf-8"))


def dos_time(epoch):
    t = time.gmtime(epoch)
    if t.tm_year < 1980:
        sys.exit("zip_folder: zip times start in 1980")
    return t[:6]


def zip_folder(folder, out, epoch):
    stamp = dos_time(epoch)
    tmp = out + ".tmp"
    with zipfile.ZipFile(tmp, "w") as z:
        for name, path in entries(folder):
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = NTFS
            if path is None:
                info.external_attr = DOS_DIRECTORY
                z.writestr(info, b"", compress_type=zipfile.ZIP_STORED)
            else:
                info.external_attr = DOS_ARCHIVE
                with open(path, "rb") as f:
                    data = f.read()
                z.writestr(info, data, compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
    # The flag is zipfile's doing; a zipfile that stopped setting it would
    # give garbled folder names on Windows, so check rather than trust.
    with zipfile.ZipFile(tmp) as z:
        for info in z.infolist():
            if not info.filename.isascii() and not info.flag_bits & UTF8_NAMES:
                os.remove(tmp)
                sys.exit(f"zip_folder: {info.filename} was stored without the UTF-8 flag")
    os.replace(tmp, out)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder")
    parser.add_argument("out")
    parser.add_argument("--epoch", type=int, default=int(os.environ.get("SOURCE_DATE_EPOCH", DEFAULT_EPOCH)))
    args = parser.parse_args(argv)
    if not os.path.isdir(args.folder):
        sys.exit(f"zip_folder: no folder {args.folder}")
    zip_folder(args.folder, args.out, args.epoch)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
