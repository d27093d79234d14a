#pragma once
// Characters the canvas's font has no glyph for (a heart, an emoji, Hangul
// in a Kai face) are drawn with another font of the system that has them.
// The system's text drawing does no such fallback by itself: without it they
// come out as missing-glyph boxes. GUI thread only: the answers are cached
// for the life of the program.

#include <windows.h>

#include <optional>
#include <string>

#include "formhost/win32/system/owners.h"

namespace formhost::win32 {

// The glyph of the font selected into the DC for the character; nullopt
// when it has none.
std::optional<WORD> selected_font_glyph(HDC dc, char32_t c);
inline bool selected_font_has(HDC dc, char32_t c) { return selected_font_glyph(dc, c).has_value(); }

// The font selected into the DC, as its record.
LOGFONTW selected_font_style(HDC dc);
// A font of that style in another face, with any character set.
UniqueFont font_in_face(const LOGFONTW& style, const std::wstring& face);

// The face of a font of the system that has a glyph for the character, in
// the style of the font selected into the DC, which does not: faces known
// to cover many characters first, then every other face installed. nullopt
// when none has it.
std::optional<std::wstring> fallback_face(HDC dc, char32_t c);

}  // namespace formhost::win32
