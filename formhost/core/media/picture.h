#pragma once
// Picture files by their first bytes, whatever their names say.

#include <optional>

#include "formhost/core/byte_io.h"
#include "image.h"

namespace formhost::media {

enum class PictureFormat { unknown, bmp, jpeg, gif, ico, cur };

// BMP "BM"; JPEG FF D8; GIF "GIF87a" or "GIF89a"; ICO and CUR: reserved u16 0,
// then type 1 or 2.
PictureFormat detect_picture_format(ByteView file);

// Any of the formats above as one still picture: a GIF gives its first
// composed frame, an icon or cursor its chosen entry (see icon.h).
std::optional<Image> decode_picture(ByteView file, std::uint64_t max_pixels = kMaxImagePixels);

}  // namespace formhost::media
