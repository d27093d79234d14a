#pragma once
// BMP files: BITMAPFILEHEADER, then a DIB (see dib.h). 1, 4, 8, 16, 24 and
// 32 bits per pixel, uncompressed or bit fields, bottom-up or top-down; RLE
// is refused. Uncompressed 32-bit pixels are opaque (their fourth byte is
// padding to GDI); bit-field pixels with an alpha mask keep their alpha.

#include <optional>

#include "formhost/core/byte_io.h"
#include "image.h"

namespace formhost::media {

std::optional<Image> decode_bmp(ByteView file, std::uint64_t max_pixels = kMaxImagePixels);

}  // namespace formhost::media
