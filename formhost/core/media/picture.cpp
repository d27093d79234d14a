#include "picture.h"

#include <algorithm>
#include <initializer_list>

#include "bmp.h"
#include "gif.h"
#include "icon.h"
#include "jpeg.h"

namespace formhost::media {

PictureFormat detect_picture_format(ByteView file) {
    const auto starts = [&](std::initializer_list<std::uint8_t> magic) {
        return file.size() >= magic.size() && std::equal(magic.begin(), magic.end(), file.begin());
    };
    if (starts({'B', 'M'})) return PictureFormat::bmp;
    if (starts({0xFF, 0xD8})) return PictureFormat::jpeg;
    if (starts({'G', 'I', 'F', '8', '7', 'a'}) || starts({'G', 'I', 'F', '8', '9', 'a'})) return PictureFormat::gif;
    if (starts({0, 0, 1, 0})) return PictureFormat::ico;
    if (starts({0, 0, 2, 0})) return PictureFormat::cur;
    return PictureFormat::unknown;
}

std::optional<Image> decode_picture(ByteView file, std::uint64_t max_pixels) {
    switch (detect_picture_format(file)) {
        case PictureFormat::bmp: return decode_bmp(file, max_pixels);
        case PictureFormat::jpeg: return decode_jpeg(file, max_pixels);
        case PictureFormat::ico:
        case PictureFormat::cur: return decode_icon(file, max_pixels);
        case PictureFormat::gif: {
            // A budget of one canvas stops the decoder after the first frame.
            ByteReader screen(file.subspan(6));
            const std::uint64_t width = screen.u16(), height = screen.u16();
            auto gif = decode_gif(file, std::min(max_pixels, width * height));
            if (!gif) return std::nullopt;
            return std::move(gif->frames.front().canvas);
        }
        case PictureFormat::unknown: break;
    }
    return std::nullopt;
}

}  // namespace formhost::media
