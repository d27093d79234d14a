#pragma once
// The 60-byte LOGFONTA record in which fonts are stored, read and written
// without the system's headers so that the form compiler can build it too.

#include <cstdint>
#include <optional>
#include <string>

#include "byte_io.h"

namespace formhost {

struct FontRecord {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strike_out = 0;
    std::uint8_t char_set = 0;
    std::uint8_t out_precision = 0;
    std::uint8_t clip_precision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitch_and_family = 0;
    std::string face;  // GB18030, at most 31 bytes

    static constexpr std::size_t kSize = 60;
    static constexpr std::size_t kFaceSize = 32;
    bool operator==(const FontRecord&) const = default;
};

// nullopt unless the bytes are exactly one record.
std::optional<FontRecord> read_font_record(ByteView bytes);
// A face longer than 31 bytes is cut so that the record keeps its terminator.
Bytes write_font_record(const FontRecord& font);

}  // namespace formhost
