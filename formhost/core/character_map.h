#pragma once
// Which characters a font has a glyph for, read from its OpenType 'cmap'
// table. The canvas draws each character with the first font that has it,
// and the system's own answer (GetGlyphIndicesW) stops at the Basic
// Multilingual Plane: an emoji is two UTF-16 units it cannot look up.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace formhost {

class CharacterMap {
public:
    // The Unicode subtable of the table: the full-repertoire one (format 12)
    // where there is one, else the BMP one (format 4). A table that cannot
    // be read, or has neither, gives a map that covers nothing.
    static CharacterMap parse(std::span<const std::uint8_t> table);

    bool covers(char32_t c) const;
    bool empty() const { return ranges_.empty(); }

private:
    // Sorted, disjoint, inclusive ranges of code points with a glyph.
    std::vector<std::pair<char32_t, char32_t>> ranges_;
};

}  // namespace formhost
