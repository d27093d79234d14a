#pragma once
// Text from the Debian fonts the pictures use, drawn by cairo glyph by
// glyph, so each character can lean or sit a little off the line the way
// handwriting does. Metrics come from FreeType, unhinted.

#include <cstdint>
#include <string>
#include <vector>

#include "draw.h"

struct FT_FaceRec_;
typedef struct _cairo_font_face cairo_font_face_t;

namespace assets {

inline constexpr const char* kKaiFont = "/usr/share/fonts/truetype/arphic/ukai.ttc";
inline constexpr const char* kHeiFont = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";

std::vector<char32_t> utf32(const std::string& utf8);

// Where one character goes: pen position on the baseline, size in pixels,
// and a turn about the pen position.
struct GlyphPlace {
    char32_t ch = 0;
    Pt pen;
    double size = 0;
    double angle = 0;
};

class Font {
public:
    Font(const char* file, int face_index);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Unhinted advance of one character at `size` pixels.
    double advance(char32_t ch, double size);
    double width(const std::string& utf8, double size);
    // Lays the text on a straight baseline from `pen`, `spacing` pixels added
    // after each character.
    std::vector<GlyphPlace> layout(const std::string& utf8, Pt pen, double size, double spacing = 0);
    // Thickens every stroke by this many pixels in all (0: as designed).
    void set_weight(double pixels) { weight_ = pixels; }
    // Unites the glyphs' coverage into the mask.
    void draw(Mask& m, const std::vector<GlyphPlace>& glyphs);
    void draw(Mask& m, const std::string& utf8, Pt pen, double size, double spacing = 0) {
        draw(m, layout(utf8, pen, size, spacing));
    }

private:
    FT_FaceRec_* metrics_ = nullptr;        // ours, for advances and glyph numbers
    cairo_font_face_t* drawing_ = nullptr;  // cairo's, on a face of its own
    double weight_ = 0;
};

}  // namespace assets
