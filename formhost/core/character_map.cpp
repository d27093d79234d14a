#include "formhost/core/character_map.h"

#include <algorithm>
#include <optional>

namespace formhost {
namespace {

// Big-endian reads at an offset, each checked against the table's end.
class BigEndian {
public:
    explicit BigEndian(std::span<const std::uint8_t> data) : data_(data) {}

    std::optional<std::uint16_t> u16(std::size_t at) const {
        if (at > data_.size() || data_.size() - at < 2) return std::nullopt;
        return static_cast<std::uint16_t>(data_[at] << 8 | data_[at + 1]);
    }
    std::optional<std::uint32_t> u32(std::size_t at) const {
        const auto high = u16(at), low = u16(at + 2);
        if (!high || !low) return std::nullopt;
        return std::uint32_t{*high} << 16 | *low;
    }

private:
    std::span<const std::uint8_t> data_;
};

using Ranges = std::vector<std::pair<char32_t, char32_t>>;

void add(Ranges& ranges, char32_t first, char32_t last) {
    if (!ranges.empty() && ranges.back().second + 1 == first) {
        ranges.back().second = last;
    } else {
        ranges.emplace_back(first, last);
    }
}

// Ranges are added in any order by the subtables; sort and join them once.
Ranges normalised(Ranges ranges) {
    std::sort(ranges.begin(), ranges.end());
    Ranges out;
    for (const auto& [first, last] : ranges) {
        if (!out.empty() && first <= out.back().second + 1) {
            out.back().second = std::max(out.back().second, last);
        } else {
            out.emplace_back(first, last);
        }
    }
    return out;
}

// Format 12: groups of code points that map to consecutive glyphs.
std::optional<Ranges> read_format_12(const BigEndian& in, std::size_t at) {
    const auto groups = in.u32(at + 12);
    if (!groups) return std::nullopt;
    Ranges ranges;
    for (std::uint32_t g = 0; g < *groups; ++g) {
        const std::size_t group = at + 16 + std::size_t{g} * 12;
        const auto first = in.u32(group), last = in.u32(group + 4), glyph = in.u32(group + 8);
        if (!first || !last || !glyph) return std::nullopt;
        if (*first > *last || *last > 0x10FFFF) continue;
        // Glyph 0 is the missing glyph: a group starting there covers only
        // what comes after its first code point.
        const char32_t from = *glyph == 0 ? *first + 1 : *first;
        if (from <= *last) ranges.emplace_back(from, *last);
    }
    return ranges;
}

// Format 4: segments of BMP code points, each mapped by a delta or through
// an array of glyph ids that follows the segment arrays.
std::optional<Ranges> read_format_4(const BigEndian& in, std::size_t at) {
    const auto seg_count_x2 = in.u16(at + 6);
    if (!seg_count_x2) return std::nullopt;
    const std::size_t segments = *seg_count_x2 / 2;
    const std::size_t ends = at + 14, starts = ends + 2 * segments + 2;
    const std::size_t deltas = starts + 2 * segments, offsets = deltas + 2 * segments;
    Ranges ranges;
    // Segments are sorted and disjoint; one that is not is skipped, which
    // also keeps the work within one look at each of the 65,536 code points.
    std::uint32_t next_free = 0;
    for (std::size_t s = 0; s < segments; ++s) {
        const auto end = in.u16(ends + 2 * s), start = in.u16(starts + 2 * s);
        const auto delta = in.u16(deltas + 2 * s), offset = in.u16(offsets + 2 * s);
        if (!end || !start || !delta || !offset) return std::nullopt;
        if (*start > *end || *start < next_free) continue;
        next_free = std::uint32_t{*end} + 1;
        if (*offset == 0) {
            // c + delta is the glyph: only the one c that wraps to 0 is missing.
            const std::uint32_t missing = (0x10000 - *delta) & 0xFFFF;
            if (missing < *start || missing > *end) {
                add(ranges, *start, *end);
            } else {
                if (missing > *start) add(ranges, *start, missing - 1);
                if (missing < *end) add(ranges, missing + 1, *end);
            }
            continue;
        }
        for (std::uint32_t c = *start; c <= *end; ++c) {
            // The offset counts from the offset's own place in the table.
            const auto id = in.u16(offsets + 2 * s + *offset + 2 * (c - *start));
            if (!id) break;
            if (*id != 0 && static_cast<std::uint16_t>(*id + *delta) != 0) add(ranges, c, c);
        }
    }
    return ranges;
}

}  // namespace

CharacterMap CharacterMap::parse(std::span<const std::uint8_t> table) {
    const BigEndian in(table);
    CharacterMap map;
    const auto count = in.u16(2);
    if (!count) return map;
    // Best first: full repertoire (Windows, then Unicode platform), then BMP.
    struct Choice {
        std::uint16_t platform, encoding, format;
    };
    static constexpr Choice kPreferred[] = {{3, 10, 12}, {0, 4, 12}, {0, 6, 12}, {3, 1, 4}, {0, 3, 4}};
    for (const Choice& choice : kPreferred) {
        for (std::uint16_t i = 0; i < *count; ++i) {
            const std::size_t record = 4 + std::size_t{i} * 8;
            const auto platform = in.u16(record), encoding = in.u16(record + 2);
            const auto offset = in.u32(record + 4);
            if (!platform || !encoding || !offset) return map;
            if (*platform != choice.platform || *encoding != choice.encoding) continue;
            if (in.u16(*offset) != choice.format) continue;
            const auto ranges = choice.format == 12 ? read_format_12(in, *offset) : read_format_4(in, *offset);
            if (!ranges) continue;
            map.ranges_ = normalised(*ranges);
            return map;
        }
    }
    return map;
}

bool CharacterMap::covers(char32_t c) const {
    const auto after = std::upper_bound(ranges_.begin(), ranges_.end(), c,
                                        [](char32_t code, const auto& range) { return code < range.first; });
    return after != ranges_.begin() && c <= std::prev(after)->second;
}

}  // namespace formhost
