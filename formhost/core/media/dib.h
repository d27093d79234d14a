#pragma once
// The device-independent bitmap shared by BMP files and icon entries: a
// BITMAPINFOHEADER (or a later, longer version), optional channel masks, a
// colour table, and rows of pixel bits padded to four bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "formhost/core/byte_io.h"
#include "image.h"

namespace formhost::media {

struct DibInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative for rows stored top-down
    std::uint16_t bit_count = 0;
    std::uint32_t compression = 0;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha; set for bit-field pixels
    std::vector<std::uint32_t> palette;    // opaque colours, at most 2^bit_count of them
    std::uint64_t bits_offset = 0;         // where the pixel bits start when packed after the table
};

// Reads the header, masks and colour table at the start of `dib`. Refuses what
// cannot be decoded: headers under 40 bytes, RLE and embedded JPEG/PNG, and
// depths other than 1, 4, 8, 16, 24 and 32.
std::optional<DibInfo> read_dib_info(ByteView dib);

// Bytes per stored row, or nullopt when absurd.
std::optional<std::uint64_t> dib_stride(std::int64_t width, unsigned bit_count);

// Decodes `rows` rows of `bits`. With `alpha_in_rgb32`, uncompressed 32-bit
// pixels carry alpha in their top byte (as in icons); otherwise that byte is
// padding and the picture is opaque, as GDI draws it. nullopt when the bits
// are not all stored or the area exceeds max_pixels.
std::optional<Image> decode_dib_bits(const DibInfo& info, std::int64_t rows, bool top_down, ByteView bits,
                                     bool alpha_in_rgb32, std::uint64_t max_pixels);

}  // namespace formhost::media
