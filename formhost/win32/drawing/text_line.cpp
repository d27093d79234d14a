#include "formhost/win32/drawing/text_line.h"

#include <algorithm>
#include <map>
#include <optional>

#include "formhost/win32/drawing/font_fallback.h"

namespace formhost::win32 {
namespace {

// The code point that starts at `i` and how many units it takes.
std::pair<char32_t, std::size_t> code_point_at(const std::wstring& text, std::size_t i) {
    const char16_t unit = static_cast<char16_t>(text[i]);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        return {0x10000 + ((char32_t{unit} - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00), 2};
    }
    return {unit, 1};
}

UniqueFont font_in_face(HDC dc, const std::wstring& face) {
    LOGFONTW lf{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
    lf.lfCharSet = DEFAULT_CHARSET;
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), L'\0');
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);
    return UniqueFont(CreateFontIndirectW(&lf));
}

}  // namespace

TextLine::TextLine(HDC dc, const std::wstring& line) {
    // Cut the line into runs of one font each. A character no font has
    // stays with the DC's font, which shows it as its missing glyph.
    std::map<std::wstring, HFONT> by_face;
    for (std::size_t i = 0; i < line.size();) {
        const auto [c, units] = code_point_at(line, i);
        HFONT font = nullptr;
        // Line breaks never get here; controls and spaces take the DC's font.
        if (c > 0x20 && !selected_font_has(dc, c)) {
            if (const std::optional<std::wstring> face = fallback_face(dc, c)) {
                HFONT& made = by_face[*face];
                if (!made) {
                    fonts_.push_back(font_in_face(dc, *face));
                    made = fonts_.back().get();
                }
                font = made;
            }
        }
        if (runs_.empty() || runs_.back().font != font) runs_.push_back({{}, font});
        runs_.back().text.append(line, i, units);
        i += units;
    }

    const std::wstring measured_alone = L"W";
    if (runs_.empty()) runs_.push_back({{}, nullptr});
    for (Run& run : runs_) {
        SelectObjectScope selected(dc, run.font);
        const std::wstring& measured = run.text.empty() ? measured_alone : run.text;
        SIZE size{};
        GetTextExtentPoint32W(dc, measured.data(), static_cast<int>(measured.size()), &size);
        // The DC's own font draws as it always did.
        const bool beyond_bmp = std::any_of(run.text.begin(), run.text.end(),
                                            [](wchar_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; });
        if (run.font && beyond_bmp) {
            for (std::size_t i = 0; i < run.text.size();) {
                const auto [c, units] = code_point_at(run.text, i);
                run.glyphs.push_back(selected_font_glyph(dc, c).value_or(0));
                i += units;
            }
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
