#pragma once
// 32-bit DIB sections with their pixel memory, as the picture engine and the
// canvas hold them, and the description of such pixels for the system.

#include <windows.h>

#include <cstdint>
#include <utility>

#include "formhost/win32/system/owners.h"

namespace formhost::win32 {

// A 32-bit top-down DIB section: GDI draws from it like any bitmap, and its
// pixels (0xAARRGGBB, rows top-down, no padding) are written in memory
// directly, so no DC is needed to fill it.
struct DibSection {
    UniqueBitmap bitmap;
    std::uint32_t* pixels = nullptr;  // owned by the bitmap
    int width = 0;
    int height = 0;

    explicit operator bool() const { return static_cast<bool>(bitmap); }
    std::size_t count() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }
};

// An empty section (false) when a side is not positive or the system refuses.
DibSection make_dib_section(int width, int height);

// The description of uncompressed pixels with rows top-down, as the sections
// above and copies of their rows are laid out.
BITMAPINFO top_down_pixels(int width, int height, WORD bits_per_pixel);

// A COLORREF (0x00BBGGRR) as the 0xRRGGBB of DIB pixels.
constexpr std::uint32_t dib_rgb(COLORREF c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

}  // namespace formhost::win32
