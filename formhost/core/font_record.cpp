#include "font_record.h"

#include <algorithm>

namespace formhost {

std::optional<FontRecord> read_font_record(ByteView bytes) {
    if (bytes.size() != FontRecord::kSize) return std::nullopt;
    ByteReader in(bytes);
    FontRecord f;
    f.height = in.i32();
    f.width = in.i32();
    f.escapement = in.i32();
    f.orientation = in.i32();
    f.weight = in.i32();
    const ByteView small = in.view(8);
    f.italic = small[0];
    f.underline = small[1];
    f.strike_out = small[2];
    f.char_set = small[3];
    f.out_precision = small[4];
    f.clip_precision = small[5];
    f.quality = small[6];
    f.pitch_and_family = small[7];
    // The last byte is the terminator's room even when a record lacks one.
    const ByteView face = in.view(FontRecord::kFaceSize).first(FontRecord::kFaceSize - 1);
    const auto end = std::find(face.begin(), face.end(), std::uint8_t{0});
    f.face.assign(face.begin(), end);
    return f;
}

Bytes write_font_record(const FontRecord& f) {
    ByteWriter out;
    out.i32(f.height);
    out.i32(f.width);
    out.i32(f.escapement);
    out.i32(f.orientation);
    out.i32(f.weight);
    const std::uint8_t small[8] = {f.italic,        f.underline,      f.strike_out, f.char_set,
                                   f.out_precision, f.clip_precision, f.quality,    f.pitch_and_family};
    out.raw(small);
    std::uint8_t face[FontRecord::kFaceSize] = {};
    const std::size_t length = std::min(f.face.size(), FontRecord::kFaceSize - 1);
    std::copy_n(f.face.begin(), length, face);
    out.raw(face);
    return out.take();
}

}  // namespace formhost
