#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <cairo-ft.h>

#include <cmath>
#include <stdexcept>

namespace assets {

namespace {

// One FreeType library for the whole run: cairo may keep a face alive in its
// font caches after the Font that made it is gone, and a face needs its
// library.
FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) throw std::runtime_error("FreeType did not start");
        return l;
    }();
    return lib;
}

FT_Face open_face(const char* file, int index) {
    FT_Face face = nullptr;
    if (FT_New_Face(library(), file, index, &face) != 0)
        throw std::runtime_error(std::string("cannot open font ") + file);
    return face;
}

void done_face(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

const cairo_user_data_key_t kFaceKey{};

}  // namespace

std::vector<char32_t> utf32(const std::string& s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t v = n == 1 ? c : n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
        for (int k = 1; k < n && i + k < s.size(); ++k) v = v << 6 | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(v);
        i += n;
    }
    return out;
}

Font::Font(const char* file, int face_index) : metrics_(open_face(file, face_index)) {
    // cairo sets its face's size as it renders, so it gets a face of its own
    // and frees it when it no longer needs it.
    FT_Face face = open_face(file, face_index);
    drawing_ = cairo_ft_font_face_create_for_ft_face(face, FT_LOAD_NO_HINTING);
    if (cairo_font_face_set_user_data(drawing_, &kFaceKey, face, done_face) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(drawing_);
        FT_Done_Face(face);
        FT_Done_Face(metrics_);
        throw std::runtime_error("cairo cannot take the font");
    }
}

Font::~Font() {
    cairo_font_face_destroy(drawing_);
    FT_Done_Face(metrics_);
}

double Font::advance(char32_t ch, double size) {
    FT_Set_Char_Size(metrics_, 0, static_cast<FT_F26Dot6>(std::lround(size * 64)), 72, 72);
    if (FT_Load_Char(metrics_, ch, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return size * 0.5;
    return metrics_->glyph->linearHoriAdvance / 65536.0;
}

double Font::width(const std::string& utf8, double size) {
    double w = 0;
    for (char32_t ch : utf32(utf8)) w += advance(ch, size);
    return w;
}

std::vector<GlyphPlace> Font::layout(const std::string& utf8, Pt pen, double size, double spacing) {
    std::vector<GlyphPlace> out;
    for (char32_t ch : utf32(utf8)) {
        out.push_back({ch, pen, size, 0.0});
        pen.x += advance(ch, size) + spacing;
    }
    return out;
}

void Font::draw(Mask& m, const std::vector<GlyphPlace>& glyphs) {
    Context c(m.surface());
    cairo_t* cr = c.get();
    // Outlines as designed: no hinting to pull stems onto whole pixels.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_set_font_face(cr, drawing_);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (const GlyphPlace& g : glyphs) {
        if (g.ch == U' ') continue;
        const unsigned index = FT_Get_Char_Index(metrics_, g.ch);
        if (index == 0) continue;
        cairo_save(cr);
        cairo_translate(cr, g.pen.x, g.pen.y);
        cairo_rotate(cr, g.angle);
        cairo_set_font_size(cr, g.size);
        const cairo_glyph_t glyph{index, 0, 0};
        cairo_glyph_path(cr, &glyph, 1);
        cairo_restore(cr);
        if (weight_ > 0) {
            // Half the weight on each side of every stroke.
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, weight_);
            cairo_stroke(cr);
        } else {
            cairo_fill(cr);
        }
    }
}

}  // namespace assets
