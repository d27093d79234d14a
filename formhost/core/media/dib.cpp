#include "dib.h"

#include <bit>

namespace formhost::media {

namespace {

constexpr std::uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;

// Scales the masked field of a pixel to 0..255; a zero mask reads as `absent`.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;
    std::uint8_t absent = 0;

    Channel(std::uint32_t m, std::uint8_t when_absent) : mask(m), absent(when_absent) {
        if (mask) {
            shift = std::countr_zero(mask);
            max = mask >> shift;
        }
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        if (!mask) return absent;
        const std::uint64_t value = (pixel & mask) >> shift;
        return static_cast<std::uint8_t>(value * 255 / max);
    }
};

std::uint32_t little_u32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

void decode_row(const DibInfo& info, const std::array<Channel, 4>& channels, const std::uint8_t* in, std::uint32_t* out,
                int width) {
    const unsigned bits = info.bit_count;
    const std::size_t n = static_cast<std::size_t>(width);
    if (bits <= 8) {
        const unsigned per_byte = 8 / bits;
        const unsigned index_mask = (1u << bits) - 1;
        for (std::size_t x = 0; x < n; ++x) {
            const unsigned shift = 8 - bits * (1 + static_cast<unsigned>(x % per_byte));
            const unsigned index = (in[x / per_byte] >> shift) & index_mask;
            // An index past a short colour table draws black.
            out[x] = index < info.palette.size() ? info.palette[index] : opaque(0, 0, 0);
        }
    } else if (bits == 24) {
        for (std::size_t x = 0; x < n; ++x, in += 3) out[x] = opaque(in[2], in[1], in[0]);
    } else {
        for (std::size_t x = 0; x < n; ++x) {
            const std::uint32_t pixel = bits == 16 ? std::uint32_t{in[2 * x]} | std::uint32_t{in[2 * x + 1]} << 8
                                                   : little_u32(in + 4 * x);
            out[x] = argb(channels[3](pixel), channels[0](pixel), channels[1](pixel), channels[2](pixel));
        }
    }
}

}  // namespace

std::optional<DibInfo> read_dib_info(ByteView dib) {
    ByteReader in(dib);
    const std::uint32_t header_size = in.u32();
    DibInfo info;
    info.width = in.i32();
    info.height = in.i32();
    in.u16();  // planes
    info.bit_count = in.u16();
    info.compression = in.u32();
    in.skip(12);  // image size, resolution
    const std::uint32_t colours_used = in.u32();
    if (!in.ok() || header_size < 40 || header_size > dib.size()) return std::nullopt;

    const unsigned bits = info.bit_count;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
    const bool bit_fields = info.compression == kBitFields || info.compression == kAlphaBitFields;
    if (!(info.compression == kRgb || (bit_fields && (bits == 16 || bits == 32)))) return std::nullopt;

    // Bit-field masks sit inside a header of 52 bytes or more, else right after it.
    std::uint64_t table_at = header_size;
    if (bit_fields) {
        const unsigned count = info.compression == kAlphaBitFields || header_size >= 56 ? 4 : 3;
        std::uint64_t masks_at = 40;
        if (header_size < 52) {
            masks_at = header_size;
            table_at = header_size + 4 * std::uint64_t{count};
        }
        ByteReader masks(dib);
        masks.skip(static_cast<std::size_t>(masks_at));
        for (unsigned i = 0; i < count; ++i) info.masks[i] = masks.u32();
        if (!masks.ok()) return std::nullopt;
    } else if (bits == 16) {
        info.masks = {0x7C00, 0x03E0, 0x001F, 0};
    } else if (bits == 32) {
        info.masks = {0xFF0000, 0x00FF00, 0x0000FF, 0};
    }

    const std::uint64_t table_entries = colours_used ? colours_used : bits <= 8 ? 1u << bits : 0;
    info.bits_offset = table_at + 4 * table_entries;
    if (bits <= 8) {
        const std::uint64_t used = std::min<std::uint64_t>(table_entries, 1u << bits);
        if (table_at + 4 * used > dib.size()) return std::nullopt;
        const std::uint8_t* entry = dib.data() + table_at;
        for (std::uint64_t i = 0; i < used; ++i, entry += 4)
            info.palette.push_back(opaque(entry[2], entry[1], entry[0]));
    }
    return info;
}

std::optional<std::uint64_t> dib_stride(std::int64_t width, unsigned bit_count) {
    if (width <= 0 || width > (std::int64_t{1} << 31) || bit_count == 0 || bit_count > 32) return std::nullopt;
    return (static_cast<std::uint64_t>(width) * bit_count + 31) / 32 * 4;
}

std::optional<Image> decode_dib_bits(const DibInfo& info, std::int64_t rows, bool top_down, ByteView bits,
                                     bool alpha_in_rgb32, std::uint64_t max_pixels) {
    const auto stride = dib_stride(info.width, info.bit_count);
    if (!stride || rows <= 0 || static_cast<std::uint64_t>(rows) > bits.size() / *stride) return std::nullopt;

    auto image = make_image(info.width, rows, max_pixels);
    if (!image) return std::nullopt;

    auto masks = info.masks;
    if (alpha_in_rgb32 && info.compression == kRgb && info.bit_count == 32) masks[3] = 0xFF000000;
    const std::array<Channel, 4> channels{Channel(masks[0], 0), Channel(masks[1], 0), Channel(masks[2], 0),
                                          Channel(masks[3], 255)};
    for (int y = 0; y < image->height; ++y) {
        const std::int64_t stored = top_down ? y : rows - 1 - y;
        const std::uint8_t* in = bits.data() + static_cast<std::size_t>(stored) * *stride;
        decode_row(info, channels, in, image->row(y), image->width);
    }
    return image;
}

}  // namespace formhost::media
