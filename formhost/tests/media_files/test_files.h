#pragma once
// Builders of small media files for the tests of the core and of the
// Windows side: RIFF WAVE, DIB/BMP, ICO and CUR by hand; JPEG and GIF
// through libjpeg's and giflib's encoders, wrapped here and nowhere else.
// picture_makers.h builds whole pictures from images on top of these.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "formhost/core/byte_io.h"

namespace formhost::media::test {

struct Chunk {
    std::string id{};
    Bytes body{};
    std::optional<std::uint32_t> length{};  // written instead of body.size() when set
};
// "RIFF", length (the true one unless given), "WAVE", then the chunks as given.
Bytes riff_wave(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riff_length = {});

struct DibSpec {
    int width = 0;
    int height = 0;  // of the picture; top_down stores it negated
    int bits = 24;
    bool top_down = false;
    std::uint32_t compression = 0;
    std::uint32_t header_size = 40;
    std::uint32_t colours_used = 0;
    std::vector<std::uint32_t> palette{};  // 0xRRGGBB
    std::array<std::uint32_t, 4> masks{};  // written for bit fields
    std::vector<std::uint32_t> values{};   // top row first: indices, 0xRRGGBB (24 bits) or raw pixels
    std::vector<bool> and_mask{};          // icons only: top row first, true = transparent
};
// Header, masks, colour table and bits; an icon entry doubles the height in
// the header and appends its AND mask.
Bytes dib(const DibSpec& recipe, bool icon = false);
Bytes bmp(const DibSpec& recipe);

struct IconFileEntry {
    Bytes data{};
    std::uint16_t hotspot_x = 0, hotspot_y = 0;  // an icon's planes and bit count
    std::uint8_t width = 0, height = 0;  // the directory's size bytes; the reader takes sizes from the entry itself
};
Bytes icon_file(const std::vector<IconFileEntry>& entries, std::uint16_t type = 1);

struct JpegRecipe {
    int width = 0;
    int height = 0;
    int components = 3;                    // 1 gray, 3 RGB, 4 CMYK (stored inverted, as Adobe writes it)
    std::array<std::uint8_t, 4> colour{};  // of every pixel, unless samples are given
    std::vector<std::uint8_t> samples{};   // top row first, components per pixel
    int quality = 95;
    bool exif = false;  // an Exif APP1 segment in place of JFIF's APP0
    bool progressive = false;
};
Bytes encode_jpeg(const JpegRecipe& recipe);

struct GifFrameSpec {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> indices{};  // top row first
    int disposal = 0;
    int transparent = -1;
    int delay = 0;
    bool interlace = false;
    std::vector<std::uint32_t> local_colours{};  // 0xRRGGBB; empty: use the global map
    bool control = true;                         // write a graphic control extension
};
struct GifSpec {
    int width = 0, height = 0;
    std::vector<std::uint32_t> colours{};  // 0xRRGGBB; empty: no global map
    std::optional<int> loop_count{};
    std::vector<GifFrameSpec> frames{};
};
Bytes encode_gif(const GifSpec& recipe);

// A 6 x 5 GIF of two frames that uses what the decoder reads: interlace, a
// transparent index, both disposals, a local palette, a loop count; the
// global palette is `colours` (four of them).
Bytes two_frame_gif(std::vector<std::uint32_t> colours);

}  // namespace formhost::media::test
