#!/usr/bin/env python3
"""Checks the show's committed media files against the formats the programs
expect of them, reading every structure the players read; a unittest case
per file.

    python3 tools/assets/check_assets.py [ROOT] [-v]

ROOT is the repository root (default: two folders above this file). Prints
a line per file with what it found and ends with unittest's report; the exit
status is 1 when any check failed. -v also lists each GIF frame.
scripts/test runs the cases through scripts/tally.py unittest.
"""

import os
import struct
import sys
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
# What the command line chose: the tree whose files are checked, and whether
# the GIF frames are listed.
root = ROOT
verbose = False


class Failed(AssertionError):
    pass


def need(cond, message):
    if not cond:
        raise Failed(message)


def read(root, rel):
    path = os.path.join(root, rel)
    need(os.path.isfile(path), f"{rel} is missing")
    with open(path, "rb") as f:
        return f.read()


def in_range(name, value, lo, hi):
    need(lo <= value <= hi, f"{name} is {value:,}, outside {lo:,}..{hi:,}")


# ---------------------------------------------------------------- WAV


def check_wave(root):
    data = read(root, "presenter/assets/stage_music.wav")
    need(len(data) == 8_428_044, f"file is {len(data):,} bytes, not 8,428,044")
    need(data[0:4] == b"RIFF" and data[8:12] == b"WAVE", "not RIFF/WAVE")
    riff_len = struct.unpack_from("<I", data, 4)[0]
    # The stored RIFF length is the whole file's size: 8 more than the bytes
    # after the field. The player must cope with exactly this.
    need(riff_len == 8_428_044, f"RIFF length is {riff_len:,}, not 8,428,044")
    need(data[12:16] == b"fmt ", "first chunk is not 'fmt '")
    fmt_len = struct.unpack_from("<I", data, 16)[0]
    need(fmt_len == 16, f"fmt chunk is {fmt_len} bytes, not 16")
    tag, channels, rate, byte_rate, align, bits = struct.unpack_from("<HHIIHH", data, 20)
    need(tag == 1, f"format tag {tag}, not PCM")
    need(channels == 2, f"{channels} channels")
    need(rate == 44_100, f"{rate} Hz")
    need(bits == 16, f"{bits} bits")
    need(align == 4 and byte_rate == 176_400, f"block align {align}, byte rate {byte_rate} disagree with the format")
    need(data[36:40] == b"data", "second chunk is not 'data'")
    data_len = struct.unpack_from("<I", data, 40)[0]
    need(data_len == 8_428_000, f"data chunk is {data_len:,} bytes, not 8,428,000")

    # The sound itself: not silence, not clipped, both sides different, and
    # silent at both ends so the loop joins without a click.
    import array

    pcm = array.array("h")
    pcm.frombytes(data[44:])
    if sys.byteorder != "little":
        pcm.byteswap()
    left, right = pcm[0::2], pcm[1::2]
    peak = max(max(pcm), -min(pcm))
    need(peak < 32_000, f"peak {peak} is at or near clipping")
    need(peak > 8_000, f"peak {peak} is too quiet")
    step = 4_410
    sq = sum(v * v for v in pcm[::step])
    rms = (sq / len(pcm[::step])) ** 0.5
    in_range("RMS level (sampled)", int(rms), 1_500, 12_000)
    differ = sum(1 for a, b in zip(left[::step], right[::step]) if a != b)
    need(differ > len(left[::step]) // 2, "left and right are the same: no stereo")
    for name, edge in (("start", pcm[:8]), ("end", pcm[-8:])):
        need(max(abs(v) for v in edge) <= 2, f"the loop's {name} is not silent: {list(edge)}")
    # The last quarter second fades out: far below the body's level.
    tail = pcm[-2 * 11_025:]
    need(max(abs(v) for v in tail) < peak // 8, "the music does not fade out before the loop point")
    # A jump between neighbouring samples as large as half the peak is a click.
    for ch, name in ((left, "left"), (right, "right")):
        jump = max(abs(ch[i + 1] - ch[i]) for i in range(len(ch) - 1))
        need(jump < peak // 2, f"{name} has a jump of {jump} between samples")
    return f"{len(data):,} bytes, peak {peak}, rms ~{int(rms)}"


# ---------------------------------------------------------------- JPEG


def check_jpeg(root):
    data = read(root, "presenter/assets/sky.jpg")
    in_range("file size", len(data), 100_000, 130_000)
    need(data[:2] == b"\xff\xd8", "no SOI")
    need(data[-2:] == b"\xff\xd9", "does not end with EOI")
    pos = 2
    segments = []
    size = None
    while pos + 4 <= len(data):
        need(data[pos] == 0xFF, f"no marker at byte {pos}")
        marker = data[pos + 1]
        length = struct.unpack_from(">H", data, pos + 2)[0]
        need(length >= 2 and pos + 2 + length <= len(data), f"segment {marker:#x} at {pos} runs past the end")
        body = data[pos + 4 : pos + 2 + length]
        segments.append((marker, body))
        if marker in (0xC0, 0xC1, 0xC2):
            precision, height, width, components = struct.unpack_from(">BHHB", body, 0)
            size = (width, height, components, precision)
        if marker == 0xDA:
            break
        pos += 2 + length
    need(segments, "no segments")
    first, body = segments[0]
    need(first == 0xE1, f"first segment after SOI is {first:#x}, not APP1")
    need(body[:6] == b"Exif\x00\x00", "APP1 is not Exif")
    tiff = body[6:]
    need(tiff[:4] in (b"II*\x00", b"MM\x00*"), "Exif has no TIFF header")
    endian = "<" if tiff[:2] == b"II" else ">"
    ifd = struct.unpack_from(endian + "I", tiff, 4)[0]
    need(8 <= ifd and ifd + 2 <= len(tiff), f"IFD offset {ifd} is outside the block")
    count = struct.unpack_from(endian + "H", tiff, ifd)[0]
    need(1 <= count and ifd + 2 + 12 * count + 4 <= len(tiff), f"IFD of {count} entries does not fit")
    tags = {}
    for i in range(count):
        tag, kind, n, value = struct.unpack_from(endian + "HHII", tiff, ifd + 2 + 12 * i)
        tags[tag] = (kind, n, value)
        sizes = {1: 1, 2: 1, 3: 2, 4: 4, 5: 8, 7: 1, 9: 4, 10: 8}
        need(kind in sizes, f"tag {tag:#x} has unknown type {kind}")
        if sizes[kind] * n > 4:
            need(value + sizes[kind] * n <= len(tiff), f"tag {tag:#x} points outside the block")
    if 0x0112 in tags:
        kind, n, value = tags[0x0112]
        orientation = value & 0xFFFF if endian == "<" else value >> 16
        need(kind == 3 and n == 1 and 1 <= orientation <= 8, "bad orientation tag")
    need(size is not None, "no SOF before the scan")
    width, height, components, precision = size
    need((width, height) == (800, 599), f"picture is {width}x{height}, not 800x599")
    need(components == 3 and precision == 8, f"{components} components of {precision} bits")
    return f"{len(data):,} bytes, {width}x{height}, Exif with {count} tags"


# ---------------------------------------------------------------- ICO


def white_fringe(bgra):
    """Composites 32-bpp BGRA pixels over white the way an alpha blend does
    and returns (pixels drawn, pixels light but not exactly white): all three
    channels at least 0xC0 and not all 0xFF."""
    drawn = fringe = 0
    for i in range(0, len(bgra), 4):
        a = bgra[i + 3]
        if a == 0:
            continue
        drawn += 1
        over = [(c * a + 255 * (255 - a)) // 255 for c in bgra[i : i + 3]]
        if min(over) >= 0xC0 and over != [255, 255, 255]:
            fringe += 1
    return drawn, fringe


def check_icon(root):
    data = read(root, "presenter/assets/rose.ico")
    need(len(data) == 38_078, f"file is {len(data):,} bytes, not 38,078")
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    need(reserved == 0 and kind == 1, "not an icon directory")
    need(count == 1, f"{count} images, not 1")
    w, h, colours, res, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    need((w, h) == (96, 96), f"directory says {w}x{h}")
    need(colours == 0 and res == 0 and planes == 1 and bpp == 32, "directory entry is not 32-bpp")
    need(offset == 22 and offset + size == len(data), f"entry data {offset}+{size} does not match the file")
    hdr, bw, bh, bplanes, bbits, comp = struct.unpack_from("<IiiHHI", data, 22)
    need(hdr == 40, f"DIB header is {hdr} bytes")
    need((bw, bh) == (96, 192), f"DIB is {bw}x{bh}, not 96x192 (colour and mask)")
    need(bplanes == 1 and bbits == 32 and comp == 0, "DIB is not uncompressed 32-bpp")
    pixels = data[62 : 62 + 96 * 96 * 4]
    mask = data[62 + 96 * 96 * 4 :]
    need(len(mask) == 96 * 12, f"AND mask is {len(mask)} bytes, not {96 * 12}")
    alpha = pixels[3::4]
    clear = sum(1 for a in alpha if a == 0)
    solid = sum(1 for a in alpha if a == 255)
    partial = len(alpha) - clear - solid
    need(clear > 96 * 96 // 4, "too little of the picture is transparent")
    need(solid > 96 * 96 // 8, "too little of the picture is opaque")
    # The stage draws the rose on white and shows exactly white as
    # see-through; a partly clear pixel turns into a pale one there, a
    # fringe round every rose over the desktop.
    drawn, fringe = white_fringe(pixels)
    need(fringe * 100 <= drawn, f"{fringe} of the {drawn} drawn pixels ({fringe / drawn:.1%}) are light but not white over white")
    need(partial == 0, f"{partial} pixels are partly transparent: the edge is not hard")
    # The mask marks exactly the fully transparent pixels (rows bottom-up in
    # both), so programs that only read the mask draw the same outline.
    for y in range(96):
        for x in range(96):
            bit = mask[y * 12 + x // 8] >> (7 - x % 8) & 1
            a = alpha[y * 96 + x]
            need(bit == (a == 0), f"mask and alpha disagree at row {y} (from the bottom), column {x}")
    # A red rose: the opaque part is mostly red.
    reds = sum(
        1
        for i in range(0, len(pixels), 4)
        if pixels[i + 3] == 255 and pixels[i + 2] > 150 and pixels[i + 1] < 100 and pixels[i] < 120
    )
    need(reds > solid // 3, "the opaque part is not mostly red")
    return (f"{len(data):,} bytes, {clear} clear / {partial} soft / {solid} opaque pixels, "
            f"white fringe {fringe} of {drawn} drawn ({fringe / drawn:.1%})")


# ---------------------------------------------------------------- GIF


def lzw_decode(code_size, data, expected):
    """Decodes one frame's LZW data; returns the number of indices."""
    clear = 1 << code_size
    end = clear + 1
    width = code_size + 1
    table = [bytes([i]) for i in range(clear)] + [b"", b""]
    out = bytearray()
    prev = None
    bitpos = 0
    total = len(data) * 8
    while bitpos + width <= total:
        byte = bitpos >> 3
        chunk = int.from_bytes(data[byte : byte + 4], "little")
        code = (chunk >> (bitpos & 7)) & ((1 << width) - 1)
        bitpos += width
        if code == clear:
            table = table[: clear + 2]
            width = code_size + 1
            prev = None
            continue
        if code == end:
            break
        if code < len(table):
            entry = table[code]
            if prev is not None:
                table.append(prev + entry[:1])
        else:
            need(prev is not None and code == len(table), f"bad LZW code {code}")
            entry = prev + prev[:1]
            table.append(entry)
        out += entry
        prev = entry
        if len(table) == (1 << width) and width < 12:
            width += 1
    need(len(out) == expected, f"frame decodes to {len(out)} pixels, not {expected}")
    return out


def sub_blocks(data, pos):
    chunks = []
    while True:
        need(pos < len(data), "file ends inside a block")
        n = data[pos]
        pos += 1
        if n == 0:
            return b"".join(chunks), pos
        chunks.append(data[pos : pos + n])
        pos += n


def check_gif(root, rel, width, height, frames, delay, size_range, verbose):
    data = read(root, rel)
    in_range("file size", len(data), *size_range)
    need(data[:6] == b"GIF89a", f"header is {data[:6]!r}, not GIF89a")
    w, h, packed, background, aspect = struct.unpack_from("<HHBBB", data, 6)
    need((w, h) == (width, height), f"screen is {w}x{h}, not {width}x{height}")
    pos = 13
    palette_size = 0
    if packed & 0x80:
        palette_size = 2 << (packed & 7)
        pos += 3 * palette_size
    loops = None
    control = None
    found = []
    while True:
        need(pos < len(data), "no trailer")
        kind = data[pos]
        if kind == 0x3B:
            break
        if kind == 0x21:
            label = data[pos + 1]
            if label == 0xFF:
                n = data[pos + 2]
                ident = data[pos + 3 : pos + 3 + n]
                body, pos = sub_blocks(data, pos + 3 + n)
                if ident == b"NETSCAPE2.0":
                    need(len(body) >= 3 and body[0] == 1, "NETSCAPE2.0 block has no loop count")
                    loops = struct.unpack_from("<H", body, 1)[0]
                continue
            if label == 0xF9:
                need(data[pos + 2] == 4, "graphic control block is not 4 bytes")
                flags, d, transparent = struct.unpack_from("<BHB", data, pos + 3)
                control = (flags >> 2 & 7, d, transparent if flags & 1 else None)
                need(data[pos + 7] == 0, "graphic control block is not terminated")
                pos += 8
                continue
            _, pos = sub_blocks(data, pos + 2)
            continue
        need(kind == 0x2C, f"unknown block {kind:#x} at byte {pos}")
        left, top, fw, fh, fpacked = struct.unpack_from("<HHHHB", data, pos + 1)
        pos += 10
        need(fw > 0 and fh > 0 and left + fw <= w and top + fh <= h, f"frame {len(found)} lies off the screen")
        colours = palette_size
        if fpacked & 0x80:
            colours = 2 << (fpacked & 7)
            pos += 3 * colours
        need(colours > 0, f"frame {len(found)} has no colour table")
        code_size = data[pos]
        lzw, pos = sub_blocks(data, pos + 1)
        need(control is not None, f"frame {len(found)} has no graphic control block")
        disposal, d, transparent = control
        indices = lzw_decode(code_size, lzw, fw * fh)
        need(max(indices) < colours, f"frame {len(found)} uses colours past its table")
        if len(found) == 0:
            need((left, top, fw, fh) == (0, 0, w, h), "the first frame does not cover the screen")
            need(transparent is None or transparent not in indices, "the first frame has see-through pixels")
        found.append((left, top, fw, fh, disposal, d, len(lzw)))
        if verbose:
            print(f"    frame {len(found) - 1:2}: {fw}x{fh}+{left}+{top} disposal {disposal} delay {d} lzw {len(lzw):,} bytes")
        control = None
    need(len(found) == frames, f"{len(found)} frames, not {frames}")
    bad = [i for i, f in enumerate(found) if f[5] != delay]
    need(not bad, f"frames {bad} do not have delay {delay}")
    need(loops is not None, "no NETSCAPE2.0 loop block")
    need(loops == 0, f"loop count {loops}, not 0 (for ever)")
    need(pos == len(data) - 1, "bytes after the trailer")
    return f"{len(data):,} bytes, {w}x{h}, {len(found)} frames of {delay}/100 s, loops for ever"


class CommittedMedia(unittest.TestCase):
    def check(self, check, *args):
        print(check(root, *args), end=" ")

    def test_stage_music_wav(self):
        self.check(check_wave)

    def test_sky_jpg(self):
        self.check(check_jpeg)

    def test_rose_ico(self):
        self.check(check_icon)

    def test_cupid_gif(self):
        self.check(check_gif, "editor/assets/cupid.gif", 312, 316, 27, 10, (40_000, 90_000), verbose)

    def test_banner_gif(self):
        self.check(check_gif, "editor/assets/banner.gif", 891, 180, 12, 15, (80_000, 160_000), verbose)


if __name__ == "__main__":
    verbose = "-v" in sys.argv[1:]
    args = [a for a in sys.argv[1:] if a != "-v"]
    root = os.path.abspath(args[0]) if args else ROOT
    unittest.main(argv=sys.argv[:1], verbosity=2)
