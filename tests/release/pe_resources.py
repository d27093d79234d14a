"""Reads the resources of a PE image (PE32 or PE32+) the way the Windows
loader finds them, for checking the 32-bit deliverables, which cannot run
on this machine.

    resources(data) -> {(type, name, language): bytes}
    version_info(blob) -> (fixed versions, translations, {(table, key): value})
    icon_group(blob) -> [(width, height, bits, icon id)]
"""

import struct

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class Malformed(Exception):
    pass


def _sections(data):
    if data[:2] != b"MZ":
        raise Malformed("no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe : pe + 4] != b"PE\0\0":
        raise Malformed("no PE signature")
    count, _, _, _, optional_size = struct.unpack_from("<HIIIH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + {0x10B: 96, 0x20B: 112}.get(magic, -1)
    if directories < optional:
        raise Malformed(f"unknown optional header magic {magic:#x}")
    rsrc_rva, rsrc_size = struct.unpack_from("<II", data, directories + 2 * 8)
    table = optional + optional_size
    sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8) for i in range(count)]
    return rsrc_rva, rsrc_size, sections


def _offset(sections, rva):
    for vsize, vaddr, raw_size, raw_ptr in sections:
        if vaddr <= rva < vaddr + max(vsize, raw_size):
            return raw_ptr + rva - vaddr
    raise Malformed(f"address {rva:#x} lies in no section")


def resources(data):
    rsrc_rva, _, sections = _sections(data)
    if rsrc_rva == 0:
        return {}
    base = _offset(sections, rsrc_rva)
    found = {}

    def name_of(word):
        if word & 0x80000000:
            pos = base + (word & 0x7FFFFFFF)
            n = struct.unpack_from("<H", data, pos)[0]
            return data[pos + 2 : pos + 2 + 2 * n].decode("utf-16-le")
        return word

    def walk(offset, path):
        named, ids = struct.unpack_from("<HH", data, base + offset + 12)
        for i in range(named + ids):
            word, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * i)
            key = path + (name_of(word),)
            if target & 0x80000000:
                walk(target & 0x7FFFFFFF, key)
            else:
                rva, size = struct.unpack_from("<II", data, base + target)
                start = _offset(sections, rva)
                found[key] = data[start : start + size]

    walk(0, ())
    return found


def icon_group(blob):
    reserved, kind, count = struct.unpack_from("<HHH", blob, 0)
    if reserved != 0 or kind != 1:
        raise Malformed("not an icon group")
    entries = []
    for i in range(count):
        w, h, _, _, _, bits, _, icon_id = struct.unpack_from("<BBBBHHIH", blob, 6 + 14 * i)
        entries.append((w or 256, h or 256, bits, icon_id))
    return entries


def _block(blob, pos):
    """One VS_VERSIONINFO node: (key, value bytes, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", blob, pos)
    end = pos + length
    key_end = pos + 6
    while blob[key_end : key_end + 2] != b"\0\0":
        key_end += 2
    key = blob[pos + 6 : key_end].decode("utf-16-le")
    value_pos = (key_end + 2 + 3) & ~3
    # Text values count their length in characters, binary ones in bytes.
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = blob[value_pos : value_pos + value_bytes]
    children = []
    child = (value_pos + value_bytes + 3) & ~3
    while child < end:
        node = _block(blob, child)
        children.append(node)
        child = (node[3] + 3) & ~3
    return key, value, children, end


def version_info(blob):
    key, fixed, children, _ = _block(blob, 0)
    if key != "VS_VERSION_INFO":
        raise Malformed(f"version resource starts with {key!r}")
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIIIII", fixed, 0)
    if signature != 0xFEEF04BD:
        raise Malformed("no VS_FIXEDFILEINFO")

    def dotted(ms, ls):
        return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"

    versions = (dotted(file_ms, file_ls), dotted(product_ms, product_ls))
    translations, strings = [], {}
    for name, _, blocks, _ in children:
        if name == "VarFileInfo":
            for var, value, _, _ in blocks:
                if var == "Translation":
                    translations += [struct.unpack_from("<HH", value, i) for i in range(0, len(value), 4)]
        elif name == "StringFileInfo":
            for table, _, entries, _ in blocks:
                for entry, value, _, _ in entries:
                    strings[(table, entry)] = value.decode("utf-16-le").rstrip("\0")
    return versions, translations, strings
