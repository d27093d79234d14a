#pragma once
// Picture files made in memory for the Windows tests and the benchmark: every
// picture a test draws is one it made, so it knows each pixel's colour.

#include <cstdint>
#include <vector>

#include "formhost/core/byte_io.h"
#include "formhost/core/media/image.h"

namespace picture_makers {

using formhost::Bytes;
using formhost::media::Image;

// An image of one colour (0xAARRGGBB).
Image solid(int width, int height, std::uint32_t colour);
// Four quadrants: top-left, top-right, bottom-left, bottom-right.
Image quadrants(int width, int height, std::uint32_t tl, std::uint32_t tr, std::uint32_t bl, std::uint32_t br);

// A 24-bit bottom-up BMP; alpha is dropped.
Bytes bmp24(const Image& image);
// A 32-bit BMP with a V4 header whose bit fields include alpha, so the
// decoder keeps each pixel's alpha.
Bytes bmp32_alpha(const Image& image);
// A baseline JPEG through libjpeg; alpha is dropped.
Bytes jpeg(const Image& image, int quality = 95);

struct GifFrame {
    Image image;           // fully transparent pixels (alpha 0) become the transparent index
    int delay_field = 10;  // hundredths of a second
};
// A GIF89a through giflib's encoder, each frame covering the whole screen,
// looping for ever. At most 255 distinct opaque colours in all frames.
Bytes gif(const std::vector<GifFrame>& frames);

// An icon (or cursor, with its hotspot) of one 32-bit entry with alpha, its
// AND mask set where alpha is 0.
Bytes ico32(const Image& image, bool cursor = false, std::uint16_t hotspot_x = 0, std::uint16_t hotspot_y = 0);

}  // namespace picture_makers
