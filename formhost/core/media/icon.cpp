#include "icon.h"

#include <cstring>

#include "dib.h"

namespace formhost::media {

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t big_u32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

// Fills in size and depth from the entry's own header; false if it does not read.
bool describe(IconEntry& entry) {
    const ByteView b = entry.bytes;
    if (b.size() >= 24 && std::memcmp(b.data(), kPngSignature, 8) == 0) {
        if (std::memcmp(b.data() + 12, "IHDR", 4) != 0) return false;
        const std::uint32_t w = big_u32(b.data() + 16), h = big_u32(b.data() + 20);
        if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
        entry.png = true;
        entry.width = static_cast<int>(w);
        entry.height = static_cast<int>(h);
        entry.bit_count = 32;
        return true;
    }
    const auto info = read_dib_info(b);
    if (!info || info->width <= 0 || info->height < 2) return false;
    entry.width = info->width;
    entry.height = info->height / 2;
    entry.bit_count = info->bit_count;
    return true;
}

// The AND mask, bottom-up: a set bit is a transparent pixel.
void apply_and_mask(Image& image, ByteView mask, std::uint64_t stride) {
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* bits = mask.data() + static_cast<std::size_t>(image.height - 1 - y) * stride;
        std::uint32_t* row = image.row(y);
        for (int x = 0; x < image.width; ++x) {
            const bool transparent = bits[x / 8] >> (7 - x % 8) & 1;
            row[x] = transparent ? row[x] & 0x00FFFFFF : row[x] | 0xFF000000;
        }
    }
}

}  // namespace

std::optional<IconDirectory> read_icon_directory(ByteView file) {
    ByteReader in(file);
    const std::uint16_t reserved = in.u16();
    const std::uint16_t type = in.u16();
    const std::uint16_t count = in.u16();
    if (!in.ok() || reserved != 0 || (type != 1 && type != 2)) return std::nullopt;

    IconDirectory directory;
    directory.cursor = type == 2;
    for (std::uint16_t i = 0; i < count; ++i) {
        in.skip(4);  // width, height, colour count, reserved: the entry's header says better
        IconEntry entry;
        entry.hotspot_x = in.u16();  // planes, for icons
        entry.hotspot_y = in.u16();  // bit count, for icons
        const std::uint32_t size = in.u32();
        const std::uint32_t offset = in.u32();
        if (!in.ok()) break;
        if (offset > file.size() || size > file.size() - offset) continue;
        entry.bytes = file.subspan(offset, size);
        if (!directory.cursor) entry.hotspot_x = entry.hotspot_y = 0;
        if (describe(entry)) directory.entries.push_back(entry);
    }
    if (directory.entries.empty()) return std::nullopt;
    return directory;
}

std::optional<std::size_t> choose_icon_entry(const IconDirectory& directory, bool allow_png) {
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        const IconEntry& e = directory.entries[i];
        if (e.png && !allow_png) continue;
        if (!best) {
            best = i;
            continue;
        }
        const IconEntry& b = directory.entries[*best];
        const std::int64_t area = std::int64_t{e.width} * e.height, best_area = std::int64_t{b.width} * b.height;
        if (area > best_area || (area == best_area && e.bit_count > b.bit_count)) best = i;
    }
    return best;
}

std::optional<Image> decode_icon_entry(const IconEntry& entry, std::uint64_t max_pixels) {
    if (entry.png) return std::nullopt;
    const auto info = read_dib_info(entry.bytes);
    if (!info || info->height < 2 || info->bits_offset > entry.bytes.size()) return std::nullopt;

    const std::int64_t height = info->height / 2;
    const ByteView bits = entry.bytes.subspan(static_cast<std::size_t>(info->bits_offset));
    auto image = decode_dib_bits(*info, height, false, bits, true, max_pixels);
    if (!image) return std::nullopt;

    // Uncompressed 32-bit entries carry alpha in the fourth byte; bit fields only with an alpha mask.
    const bool alpha_channel = info->bit_count == 32 && (info->compression == 0 || info->masks[3] != 0);
    bool has_alpha = false;
    if (alpha_channel)
        for (std::uint32_t p : image->pixels) has_alpha = has_alpha || alpha_of(p) != 0;
    if (has_alpha) return image;

    // Rows of colour bits checked by decode_dib_bits, so these fit.
    const std::uint64_t colour_bytes = *dib_stride(info->width, info->bit_count) * static_cast<std::uint64_t>(height);
    const std::uint64_t mask_stride = *dib_stride(info->width, 1);
    const ByteView mask = bits.subspan(static_cast<std::size_t>(colour_bytes));
    if (mask.size() / mask_stride >= static_cast<std::uint64_t>(height)) apply_and_mask(*image, mask, mask_stride);
    else
        for (std::uint32_t& p : image->pixels) p |= 0xFF000000;
    return image;
}

std::optional<Image> decode_icon(ByteView file, std::uint64_t max_pixels) {
    const auto directory = read_icon_directory(file);
    if (!directory) return std::nullopt;
    const auto chosen = choose_icon_entry(*directory, false);
    if (!chosen) return std::nullopt;
    return decode_icon_entry(directory->entries[*chosen], max_pixels);
}

std::optional<IconResource> icon_resource(ByteView file) {
    const auto directory = read_icon_directory(file);
    if (!directory) return std::nullopt;
    const auto chosen = choose_icon_entry(*directory, true);
    if (!chosen) return std::nullopt;
    const IconEntry& e = directory->entries[*chosen];
    return IconResource{e.bytes, e.width, e.height, directory->cursor, e.hotspot_x, e.hotspot_y};
}

}  // namespace formhost::media
