#!/usr/bin/env python3
"""Checks the two programs' icons the way Windows reads them from the
resource compiler's copy: one directory of 16, 32, 48 and 256 pixel images,
each an uncompressed 32-bpp DIB whose AND mask marks exactly its clear
pixels, on a clear ground; a unittest case per icon.

    python3 tools/assets/check_program_icons.py [ROOT]

Prints a line per icon with what it found and ends with unittest's report;
the exit status is 1 when any check failed. scripts/test runs the cases
through scripts/tally.py unittest.
"""

import os
import struct
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_assets import ROOT, need, read  # noqa: E402

# The tree whose icons are checked, as the command line chose it.
root = ROOT
SIZES = (16, 32, 48, 256)


def images(data):
    """Yields (size, bgra rows bottom-up, mask rows bottom-up) per entry."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    need(reserved == 0 and kind == 1, "not an icon directory")
    need(count == len(SIZES), f"{count} images, not {len(SIZES)}")
    expected_offset = 6 + 16 * count
    for i in range(count):
        w, h, colours, res, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        n = w or 256
        need(w == h and n == SIZES[i], f"entry {i} is {w}x{h}, expected {SIZES[i]} (0 meaning 256)")
        need(colours == 0 and res == 0 and planes == 1 and bpp == 32, f"{n} px entry is not 32-bpp")
        # Images back to back in directory order: nothing hidden between them.
        need(offset == expected_offset, f"{n} px image at {offset}, expected {expected_offset}")
        mask_row = (n + 31) // 32 * 4
        need(size == 40 + n * n * 4 + mask_row * n, f"{n} px image is {size} bytes")
        expected_offset += size
        hdr, bw, bh, bplanes, bbits, comp = struct.unpack_from("<IiiHHI", data, offset)
        need(hdr == 40 and (bw, bh) == (n, 2 * n), f"{n} px DIB header is {hdr} bytes, {bw}x{bh}")
        need(bplanes == 1 and bbits == 32 and comp == 0, f"{n} px DIB is not uncompressed 32-bpp")
        pixels = data[offset + 40 : offset + 40 + n * n * 4]
        mask = data[offset + 40 + n * n * 4 : offset + size]
        yield n, pixels, mask, mask_row
    need(expected_offset == len(data), f"{len(data) - expected_offset} bytes after the last image")


def check(root, rel, colour_name, is_colour):
    data = read(root, rel)
    details = []
    for n, pixels, mask, mask_row in images(data):
        alpha = pixels[3::4]
        for y in range(n):
            for x in range(n):
                bit = mask[y * mask_row + x // 8] >> (7 - x % 8) & 1
                need(bit == (alpha[y * n + x] == 0), f"{n} px: mask and alpha disagree at row {y} from the bottom, column {x}")
        corners = (alpha[0], alpha[n - 1], alpha[(n - 1) * n], alpha[n * n - 1])
        need(corners == (0, 0, 0, 0), f"{n} px: corners are not clear")
        solid = [i for i in range(0, len(pixels), 4) if pixels[i + 3] == 255]
        partial = sum(1 for a in alpha if 0 < a < 255)
        need(len(solid) > n * n // 5, f"{n} px: only {len(solid)} opaque pixels")
        need(partial >= n, f"{n} px: edges are not soft")
        matching = sum(1 for i in solid if is_colour(pixels[i + 2], pixels[i + 1], pixels[i]))
        need(matching > len(solid) // 3, f"{n} px: the opaque part is not mostly {colour_name}")
        details.append(f"{n}")
    return f"{len(data):,} bytes, {'/'.join(details)} px"


class ProgramIcons(unittest.TestCase):
    def test_presenter_ico_is_a_red_rose(self):
        print(check(root, "presenter/assets/presenter.ico", "red",
                    lambda r, g, b: r > 150 and g < 100 and b < 120), end=" ")

    def test_editor_ico_is_pink(self):
        print(check(root, "editor/assets/editor.ico", "pink",
                    lambda r, g, b: r > 200 and 60 < g < 200 and 100 < b < 220), end=" ")


if __name__ == "__main__":
    root = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else ROOT
    unittest.main(argv=sys.argv[:1], verbosity=2)
