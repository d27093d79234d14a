#include "formhost/win32/drawing/fonts.h"

#include <algorithm>

#include "formhost/core/font_record.h"
#include "formhost/win32/system/text_encoding.h"

namespace formhost::win32 {

UniqueFont make_font(const Bytes& record, bool edit_box_adjustments) {
    const auto f = read_font_record(record);
    if (!f) return {};
    LOGFONTW lf{};
    lf.lfHeight = f->height;
    lf.lfWidth = f->width;
    lf.lfEscapement = f->escapement;
    lf.lfOrientation = f->orientation;
    lf.lfWeight = f->weight;
    lf.lfItalic = f->italic;
    lf.lfUnderline = f->underline;
    lf.lfStrikeOut = f->strike_out;
    lf.lfCharSet = f->char_set;
    lf.lfOutPrecision = f->out_precision;
    lf.lfClipPrecision = f->clip_precision;
    lf.lfQuality = f->quality;
    lf.lfPitchAndFamily = f->pitch_and_family;
    if (edit_box_adjustments) {
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfOutPrecision = 0;
        lf.lfClipPrecision = 0;
        lf.lfQuality = PROOF_QUALITY;
    }
    const std::wstring face = widen(f->face);
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);
    return UniqueFont(CreateFontIndirectW(&lf));
}

}  // namespace formhost::win32
