#include "bmp.h"

#include "dib.h"

namespace formhost::media {

std::optional<Image> decode_bmp(ByteView file, std::uint64_t max_pixels) {
    constexpr std::size_t kFileHeader = 14;
    ByteReader in(file);
    const std::uint16_t magic = in.u16();
    in.skip(8);  // file size and reserved words: often wrong, never needed
    const std::uint32_t bits_at = in.u32();
    if (!in.ok() || magic != 0x4D42) return std::nullopt;  // "BM"

    const ByteView dib = file.subspan(kFileHeader);
    const auto info = read_dib_info(dib);
    if (!info) return std::nullopt;

    // Writers that leave the bits offset zero pack the bits after the table.
    const std::uint64_t offset = bits_at ? bits_at : kFileHeader + info->bits_offset;
    if (offset > file.size()) return std::nullopt;

    const std::int64_t height = info->height;
    return decode_dib_bits(*info, height < 0 ? -height : height, height < 0,
                           file.subspan(static_cast<std::size_t>(offset)), false, max_pixels);
}

}  // namespace formhost::media
