#include "formhost/win32/drawing/font_fallback.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

#include "formhost/core/character_map.h"
#include "formhost/win32/system/owners.h"

namespace formhost::win32 {
namespace {

// Faces that between them cover most of Unicode: Windows' own, then those a
// Linux system gives Wine (fonts-dejavu-core, fonts-wqy-zenhei).
constexpr const wchar_t* kPreferredFaces[] = {
    L"Segoe UI Emoji",   L"Segoe UI Symbol", L"Malgun Gothic",     L"Microsoft YaHei",  L"SimSun",
    L"SimSun-ExtB",      L"Segoe UI",        L"Nirmala UI",        L"Ebrima",           L"Gulim",
    L"Arial Unicode MS", L"DejaVu Sans",     L"WenQuanYi Zen Hei", L"Noto Sans CJK SC", L"Symbola",
};

// Table tags as GetFontData takes them: the first letter in the lowest byte.
constexpr DWORD tag(const char (&name)[5]) {
    return DWORD(std::uint8_t(name[0])) | DWORD(std::uint8_t(name[1])) << 8 | DWORD(std::uint8_t(name[2])) << 16 |
           DWORD(std::uint8_t(name[3])) << 24;
}
constexpr DWORD kCmapTag = tag("cmap");
// The outlines GDI draws; a face with neither (colour bitmaps only, as some
// emoji fonts are) maps characters it cannot draw.
constexpr DWORD kOutlineTags[] = {tag("glyf"), tag("CFF ")};

// What a font covers: its character map, or for a font without one (a
// bitmap font) the system's answer for the BMP.
struct Coverage {
    std::optional<CharacterMap> map;
    bool drawable = true;
};

std::wstring face_of(HDC dc) {
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    return face;
}

// Keyed by the face and the style that picks a face's file.
std::wstring coverage_key(HDC dc) {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return face_of(dc) + (tm.tmWeight >= FW_SEMIBOLD ? L"|b" : L"|") + (tm.tmItalic ? L"i" : L"");
}

const Coverage& coverage_of_selected(HDC dc) {
    static std::map<std::wstring, Coverage> cache;
    const std::wstring key = coverage_key(dc);
    if (const auto found = cache.find(key); found != cache.end()) return found->second;
    Coverage coverage;
    const DWORD size = GetFontData(dc, kCmapTag, 0, nullptr, 0);
    if (size != GDI_ERROR && size > 0) {
        std::vector<std::uint8_t> table(size);
        if (GetFontData(dc, kCmapTag, 0, table.data(), size) == size) coverage.map = CharacterMap::parse(table);
        coverage.drawable = std::any_of(std::begin(kOutlineTags), std::end(kOutlineTags), [&](DWORD outline) {
            const DWORD outline_size = GetFontData(dc, outline, 0, nullptr, 0);
            return outline_size != GDI_ERROR && outline_size > 0;
        });
    }
    return cache.emplace(key, std::move(coverage)).first->second;
}

// A named callback, not a lambda: on i686 the system calls it as stdcall.
int CALLBACK collect_face(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM faces) {
    // '@' faces are the vertical forms of others.
    if (lf->lfFaceName[0] != L'@') reinterpret_cast<std::set<std::wstring>*>(faces)->insert(lf->lfFaceName);
    return 1;
}

std::vector<std::wstring> installed_faces() {
    std::set<std::wstring> faces;
    MemoryDC dc;
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc.get(), &all, collect_face, reinterpret_cast<LPARAM>(&faces), 0);
    return {faces.begin(), faces.end()};
}

// The faces to try, in order: the preferred ones that are installed, then
// every other installed face.
const std::vector<std::wstring>& candidate_faces() {
    static const std::vector<std::wstring> candidates = [] {
        std::vector<std::wstring> installed = installed_faces(), ordered;
        for (const wchar_t* face : kPreferredFaces) {
            const auto at = std::find(installed.begin(), installed.end(), face);
            if (at == installed.end()) continue;
            ordered.push_back(*at);
            installed.erase(at);
        }
        ordered.insert(ordered.end(), installed.begin(), installed.end());
        return ordered;
    }();
    return candidates;
}

bool face_has(HDC like, const LOGFONTW& style, const std::wstring& face, char32_t c) {
    const UniqueFont font = font_in_face(style, face);
    MemoryDC dc(like);
    if (!font || !dc) return false;
    SelectObjectScope selected(dc.get(), font.get());
    // A face the system replaced by another is not the one asked for.
    return _wcsicmp(face_of(dc.get()).c_str(), face.c_str()) == 0 && coverage_of_selected(dc.get()).drawable &&
           selected_font_has(dc.get(), c);
}

}  // namespace

LOGFONTW selected_font_style(HDC dc) {
    LOGFONTW style{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof style, &style);
    return style;
}

UniqueFont font_in_face(const LOGFONTW& style, const std::wstring& face) {
    LOGFONTW lf = style;
    // Any character set: the face is chosen for a character, not a script.
    lf.lfCharSet = DEFAULT_CHARSET;
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), L'\0');
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);
    return UniqueFont(CreateFontIndirectW(&lf));
}

std::optional<WORD> selected_font_glyph(HDC dc, char32_t c) {
    const Coverage& coverage = coverage_of_selected(dc);
    if (coverage.map) return coverage.map->glyph(c);
    if (c >= 0x10000) return std::nullopt;
    const wchar_t unit = static_cast<wchar_t>(c);
    WORD glyph = 0;
    if (GetGlyphIndicesW(dc, &unit, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) != 1 || glyph == 0xFFFF)
        return std::nullopt;
    return glyph;
}

std::optional<std::wstring> fallback_face(HDC dc, char32_t c) {
    const LOGFONTW style = selected_font_style(dc);
    // Which candidate has the character does not depend on the size.
    static std::unordered_map<std::u32string, std::optional<std::wstring>> found;
    const std::u32string key = std::u32string(1, c) + (style.lfWeight >= FW_SEMIBOLD ? U"b" : U"") +
                               (style.lfItalic ? U"i" : U"");
    if (const auto known = found.find(key); known != found.end()) return known->second;
    std::optional<std::wstring> face;
    for (const std::wstring& candidate : candidate_faces()) {
        if (face_has(dc, style, candidate, c)) {
            face = candidate;
            break;
        }
    }
    return found.emplace(key, face).first->second;
}

}  // namespace formhost::win32
