#pragma once
// Which glyph a font has for each character, read from its OpenType 'cmap'
// table. The canvas draws each character with the first font that has it,
// and the system's own answers stop at the Basic Multilingual Plane: an
// emoji is two UTF-16 units that GetGlyphIndicesW cannot look up, and that
// some text drawing (Wine's) draws as two missing glyphs, so such text is
// drawn by glyph.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace formhost {

class CharacterMap {
public:
    // The Unicode subtable of the table: the full-repertoire one (format 12)
    // where there is one, else the BMP one (format 4). A table that cannot
    // be read, or has neither, gives a map that covers nothing.
    static CharacterMap parse(std::span<const std::uint8_t> table);

    // The font's glyph for the character; nullopt for none (glyph 0, the
    // missing glyph, counts as none).
    std::optional<std::uint16_t> glyph(char32_t c) const;
    bool covers(char32_t c) const { return glyph(c).has_value(); }
    bool empty() const { return ranges_.empty(); }

    // Code points first..last map to glyphs first_glyph, first_glyph + 1, …
    struct Range {
        char32_t first, last;
        std::uint32_t first_glyph;
    };

private:
    // Sorted and disjoint.
    std::vector<Range> ranges_;
};

}  // namespace formhost
