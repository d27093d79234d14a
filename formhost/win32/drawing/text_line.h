#pragma once
// One line of text as the canvas writes it: each character in the font
// selected into the DC where that font has it, otherwise in a font of the
// system that does (font_fallback.h), at the same height and weight, all on
// one baseline.

#include <windows.h>

#include <string>
#include <vector>

#include "formhost/win32/system/owners.h"

namespace formhost::win32 {

class TextLine {
public:
    // Measures the line in the DC's font and its fallbacks.
    TextLine(HDC dc, const std::wstring& line);

    // The system's measure of the line: for a line the DC's font draws
    // alone, its extent's height; with other fonts, the highest ascent and
    // the deepest descent among them. An empty line measures "W".
    int height() const { return ascent_ + descent_; }

    // Draws with the line's top-left corner at (x, y), in the DC's colours
    // and background mode; the DC's font and alignment are left as they were.
    void draw(HDC dc, int x, int y) const;

private:
    struct Run {
        std::wstring text;
        std::u32string code_points;
        HFONT font;  // null: the DC's own font
        int width = 0;
        // A run of a fallback font with characters beyond the BMP is drawn
        // by glyph: the system's text drawing does not join every surrogate
        // pair (Wine's draws two missing glyphs).
        std::vector<WORD> glyphs;
    };

    std::vector<Run> runs_;
    std::vector<UniqueFont> fonts_;
    int ascent_ = 0;
    int descent_ = 0;
};

}  // namespace formhost::win32
