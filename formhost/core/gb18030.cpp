#include "formhost/core/gb18030.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>

#include "formhost/core/gb18030_table.h"
#include "formhost/core/unicode.h"

namespace formhost::gb18030 {
namespace {

using namespace detail;

constexpr char32_t kEuro = 0x20AC;
// Four-byte forms from 90 30 81 30 on are the supplementary planes, U+10000
// upward in order; below that only the BMP ranges of the table are used.
constexpr std::uint32_t kSupplementaryFirstIndex = 189000;
constexpr std::uint32_t kLastScalar = 0x10FFFF;

bool in(unsigned byte, unsigned first, unsigned last) { return byte >= first && byte <= last; }

std::uint32_t four_byte_index(unsigned b1, unsigned b2, unsigned b3, unsigned b4) {
    return (((b1 - 0x81) * 10 + (b2 - 0x30)) * 126 + (b3 - 0x81)) * 10 + (b4 - 0x30);
}

void append_four_byte(std::string& out, std::uint32_t index) {
    const char b4 = static_cast<char>(0x30 + index % 10);
    index /= 10;
    const char b3 = static_cast<char>(0x81 + index % 126);
    index /= 126;
    const char b2 = static_cast<char>(0x30 + index % 10);
    const char b1 = static_cast<char>(0x81 + index / 10);
    out += {b1, b2, b3, b4};
}

// The range whose run from `Start` holds `value`, and how far into it the
// value lies; the ranges are sorted by both their indexes and code points.
template <std::uint32_t FourByteRange::*Start>
std::optional<std::pair<const FourByteRange*, std::uint32_t>> range_holding(std::uint32_t value) {
    const FourByteRange* end = kFourByteRanges + kFourByteRangeCount;
    const FourByteRange* r = std::upper_bound(kFourByteRanges, end, value,
                                              [](std::uint32_t v, const FourByteRange& range) {
                                                  return v < range.*Start;
                                              });
    if (r == kFourByteRanges) return std::nullopt;
    --r;
    const std::uint32_t offset = value - r->*Start;
    if (offset >= r->count) return std::nullopt;
    return std::pair{r, offset};
}

std::optional<char32_t> bmp_of_index(std::uint32_t index) {
    const auto found = range_holding<&FourByteRange::first_index>(index);
    if (!found) return std::nullopt;
    return static_cast<char32_t>(found->first->first_code_point + found->second);
}

std::optional<std::uint32_t> index_of_bmp(char32_t c) {
    const auto found = range_holding<&FourByteRange::first_code_point>(c);
    if (!found) return std::nullopt;
    return found->first->first_index + found->second;
}

// The two-byte form of each BMP code point that has one (0 for none), built
// once from the decoding table.
const std::array<std::uint16_t, 0x10000>& two_byte_forms() {
    static const auto forms = [] {
        auto table = std::make_unique<std::array<std::uint16_t, 0x10000>>();
        table->fill(0);
        for (std::size_t i = 0; i < kTwoByteCount; ++i) {
            const unsigned lead = kFirstLead + static_cast<unsigned>(i / kTrailsPerLead);
            const unsigned t = static_cast<unsigned>(i % kTrailsPerLead);
            const unsigned trail = t < 0x3F ? 0x40 + t : 0x41 + t;  // 7F is no trail byte
            (*table)[kTwoByte[i]] = static_cast<std::uint16_t>(lead << 8 | trail);
        }
        return table;
    }();
    return *forms;
}

}  // namespace

char32_t decode_next(std::string_view bytes, std::size_t& at) {
    const auto byte = [&](std::size_t k) {
        return at + k < bytes.size() ? static_cast<unsigned char>(bytes[at + k]) : 0u;
    };
    const unsigned b1 = byte(0), b2 = byte(1);
    if (b1 < 0x80) {
        at += 1;
        return b1;
    }
    if (b1 == 0x80) {
        at += 1;
        return kEuro;
    }
    if (b1 != 0xFF && (in(b2, 0x40, 0x7E) || in(b2, 0x80, 0xFE))) {
        at += 2;
        const std::size_t trail = b2 < 0x80 ? b2 - 0x40 : b2 - 0x41;
        return kTwoByte[(b1 - kFirstLead) * kTrailsPerLead + trail];
    }
    const unsigned b3 = byte(2), b4 = byte(3);
    if (b1 != 0xFF && in(b2, 0x30, 0x39) && in(b3, 0x81, 0xFE) && in(b4, 0x30, 0x39)) {
        at += 4;
        const std::uint32_t index = four_byte_index(b1, b2, b3, b4);
        if (index < kSupplementaryFirstIndex) return bmp_of_index(index).value_or(unicode::kReplacement);
        const std::uint32_t code = 0x10000 + (index - kSupplementaryFirstIndex);
        return code <= kLastScalar ? code : unicode::kReplacement;
    }
    at += 1;
    return unicode::kReplacement;
}

std::u32string decode(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) out.push_back(decode_next(bytes, at));
    return out;
}

std::optional<std::string> encode(std::u32string_view text) {
    const auto& forms = two_byte_forms();
    std::string out;
    out.reserve(text.size() * 2);
    for (const char32_t c : text) {
        if (!unicode::is_scalar_value(c)) return std::nullopt;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c >= 0x10000) {
            append_four_byte(out, kSupplementaryFirstIndex + (c - 0x10000));
        } else if (const std::uint16_t form = forms[c]) {
            out.push_back(static_cast<char>(form >> 8));
            out.push_back(static_cast<char>(form & 0xFF));
        } else if (const auto index = index_of_bmp(c)) {
            append_four_byte(out, *index);
        } else {
            return std::nullopt;  // not reached: every BMP scalar value has a form
        }
    }
    return out;
}

}  // namespace formhost::gb18030
