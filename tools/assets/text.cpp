#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assets {

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

Font::Font(const char* file, int face_index) {
    if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType did not start");
    if (FT_New_Face(library_, file, face_index, &face_) != 0)
        throw std::runtime_error(std::string("cannot open font ") + file);
}

Font::~Font() {
    if (face_) FT_Done_Face(face_);
    if (library_) FT_Done_FreeType(library_);
}

double Font::advance(char32_t ch, double size) {
    FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(size * 64)), 72, 72);
    FT_Set_Transform(face_, nullptr, nullptr);
    if (FT_Load_Char(face_, ch, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return size * 0.5;
    return face_->glyph->linearHoriAdvance / 65536.0;
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
    for (const GlyphPlace& g : glyphs) {
        if (g.ch == U' ') continue;
        FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(g.size * 64)), 72, 72);
        // The whole pixels of the pen move the bitmap; the fraction and the
        // turn go to FreeType so the outline is sampled where it really lies.
        // FreeType's y points up, the picture's down.
        const double fx = std::floor(g.pen.x), fy = std::floor(g.pen.y);
        FT_Matrix turn;
        turn.xx = static_cast<FT_Fixed>(std::lround(std::cos(g.angle) * 65536));
        turn.xy = static_cast<FT_Fixed>(std::lround(std::sin(g.angle) * 65536));
        turn.yx = static_cast<FT_Fixed>(std::lround(-std::sin(g.angle) * 65536));
        turn.yy = static_cast<FT_Fixed>(std::lround(std::cos(g.angle) * 65536));
        FT_Vector delta;
        delta.x = static_cast<FT_Pos>(std::lround((g.pen.x - fx) * 64));
        delta.y = static_cast<FT_Pos>(std::lround(-(g.pen.y - fy) * 64));
        FT_Set_Transform(face_, &turn, &delta);
        if (FT_Load_Char(face_, g.ch, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) continue;
        const FT_GlyphSlot slot = face_->glyph;
        if (slot->format != FT_GLYPH_FORMAT_OUTLINE) continue;
        if (weight_ > 0) FT_Outline_Embolden(&slot->outline, static_cast<FT_Pos>(std::lround(weight_ * 64)));
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) continue;
        const FT_Bitmap& bm = slot->bitmap;
        const int left = static_cast<int>(fx) + slot->bitmap_left;
        const int top = static_cast<int>(fy) - slot->bitmap_top;
        m.touch(left, top, left + static_cast<int>(bm.width), top + static_cast<int>(bm.rows));
        for (unsigned y = 0; y < bm.rows; ++y) {
            const int py = top + static_cast<int>(y);
            if (py < 0 || py >= m.height()) continue;
            for (unsigned x = 0; x < bm.width; ++x) {
                const int px = left + static_cast<int>(x);
                if (px < 0 || px >= m.width()) continue;
                const float cov = bm.buffer[static_cast<std::ptrdiff_t>(y) * bm.pitch + x] / 255.0f;
                float& v = m.at(px, py);
                v = std::max(v, cov);
            }
        }
    }
    FT_Set_Transform(face_, nullptr, nullptr);
}

}  // namespace assets
