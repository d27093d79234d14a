#pragma once
// JPEG pictures through libjpeg: baseline and progressive, any markers before
// the frame (Exif included), colour, grayscale, CMYK and YCCK. Corrupt data
// gives nullopt; libjpeg's warnings (a file cut short, for one) do not, and
// the rows it could not decode come out grey as libjpeg fills them.

#include <optional>

#include "formhost/core/byte_io.h"
#include "image.h"

namespace formhost::media {

std::optional<Image> decode_jpeg(ByteView file, std::uint64_t max_pixels = kMaxImagePixels);

}  // namespace formhost::media
