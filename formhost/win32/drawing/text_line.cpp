#include "formhost/win32/drawing/text_line.h"

#include <algorithm>
#include <map>
#include <optional>

#include "formhost/core/unicode.h"
#include "formhost/win32/drawing/font_fallback.h"

namespace formhost::win32 {
TextLine::TextLine(HDC dc, const std::wstring& line) {
    // Cut the line into runs of one font each. A character no font has
    // stays with the DC's font, which shows it as its missing glyph; so does
    // a lone surrogate half, read as U+FFFD.
    const std::u32string code_points = unicode::from_utf16_replacing(
        {reinterpret_cast<const char16_t*>(line.data()), line.size()});
    const LOGFONTW style = selected_font_style(dc);
    std::map<std::wstring, HFONT> by_face;
    std::size_t unit = 0;
    for (const char32_t c : code_points) {
        const std::size_t units = c >= 0x10000 ? 2 : 1;
        HFONT font = nullptr;
        // Line breaks never get here; controls and spaces take the DC's font.
        if (c > 0x20 && !selected_font_has(dc, c)) {
            if (const std::optional<std::wstring> face = fallback_face(dc, c)) {
                HFONT& made = by_face[*face];
                if (!made) {
                    fonts_.push_back(font_in_face(style, *face));
                    made = fonts_.back().get();
                }
                font = made;
            }
        }
        if (runs_.empty() || runs_.back().font != font) runs_.push_back({{}, {}, font});
        runs_.back().text.append(line, unit, units);
        runs_.back().code_points.push_back(c);
        unit += units;
    }

    const std::wstring measured_alone = L"W";
    if (runs_.empty()) runs_.push_back({{}, {}, nullptr});
    for (Run& run : runs_) {
        SelectObjectScope selected(dc, run.font);
        const std::wstring& measured = run.text.empty() ? measured_alone : run.text;
        SIZE size{};
        GetTextExtentPoint32W(dc, measured.data(), static_cast<int>(measured.size()), &size);
        // The DC's own font draws as it always did.
        if (run.font && run.text.size() > run.code_points.size()) {
            for (const char32_t c : run.code_points) run.glyphs.push_back(selected_font_glyph(dc, c).value_or(0));
            GetTextExtentPointI(dc, run.glyphs.data(), static_cast<int>(run.glyphs.size()), &size);
        }
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        run.width = run.text.empty() ? 0 : size.cx;
        // The extent's height is the font's ascent plus descent.
        ascent_ = std::max<int>(ascent_, tm.tmAscent);
        descent_ = std::max<int>(descent_, size.cy - tm.tmAscent);
    }
}

void TextLine::draw(HDC dc, int x, int y) const {
    const UINT alignment = SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    for (const Run& run : runs_) {
        if (run.text.empty()) continue;
        SelectObjectScope selected(dc, run.font);
        if (run.glyphs.empty()) {
            TextOutW(dc, x, y + ascent_, run.text.data(), static_cast<int>(run.text.size()));
        } else {
            ExtTextOutW(dc, x, y + ascent_, ETO_GLYPH_INDEX, nullptr, reinterpret_cast<LPCWSTR>(run.glyphs.data()),
                        static_cast<UINT>(run.glyphs.size()), nullptr);
        }
        x += run.width;
    }
    SetTextAlign(dc, alignment);
}

}  // namespace formhost::win32
