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

using Range = CharacterMap::Range;
using Ranges = std::vector<Range>;

// Adds one code point, joining it to the last range where both it and its
// glyph follow on.
void add(Ranges& ranges, char32_t c, std::uint32_t glyph) {
    if (!ranges.empty()) {
        Range& last = ranges.back();
        if (last.last + 1 == c && last.first_glyph + (c - last.first) == glyph) {
            last.last = c;
            return;
        }
    }
    ranges.push_back({c, c, glyph});
}

// Sorted by first code point; where ranges overlap (a malformed table), the
// earlier one keeps the shared code points.
Ranges normalised(Ranges ranges) {
    std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) { return a.first < b.first; });
    Ranges out;
    for (Range r : ranges) {
        if (!out.empty() && r.first <= out.back().last) {
            if (r.last <= out.back().last) continue;
            r.first_glyph += out.back().last + 1 - r.first;
            r.first = out.back().last + 1;
        }
        out.push_back(r);
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
        const std::uint32_t skip = *glyph == 0 ? 1 : 0;
        if (*first + skip <= *last) ranges.push_back({*first + skip, *last, *glyph + skip});
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
            // c + delta, modulo 65,536, is the glyph: the glyphs follow on
            // but where they wrap, and the c that wraps to 0 has none.
            for (std::uint32_t c = *start; c <= *end;) {
                const std::uint32_t glyph = (c + *delta) & 0xFFFF;
                const std::uint32_t until = std::min<std::uint32_t>(*end, c + (0xFFFF - glyph));
                if (glyph != 0) ranges.push_back({c, until, glyph});
                else if (c < until) ranges.push_back({c + 1, until, 1});
                c = until + 1;
            }
            continue;
        }
        for (std::uint32_t c = *start; c <= *end; ++c) {
            // The offset counts from the offset's own place in the table.
            const auto id = in.u16(offsets + 2 * s + *offset + 2 * (c - *start));
            if (!id) break;
            const auto glyph = static_cast<std::uint16_t>(*id + *delta);
            if (*id != 0 && glyph != 0) add(ranges, c, glyph);
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

std::optional<std::uint16_t> CharacterMap::glyph(char32_t c) const {
    const auto after = std::upper_bound(ranges_.begin(), ranges_.end(), c,
                                        [](char32_t code, const Range& range) { return code < range.first; });
    if (after == ranges_.begin() || c > std::prev(after)->last) return std::nullopt;
    const std::uint32_t glyph = std::prev(after)->first_glyph + (c - std::prev(after)->first);
    if (glyph == 0 || glyph > 0xFFFF) return std::nullopt;
    return static_cast<std::uint16_t>(glyph);
}

}  // namespace formhost
