#include "formhost/win32/media/picture.h"

#include <algorithm>
#include <vector>

#include "formhost/core/media/icon.h"
#include "formhost/core/media/picture.h"
#include "formhost/core/media/pixels.h"

namespace formhost::win32 {
namespace {

namespace pixels = media::pixels;

// Beyond this a stretched picture is drawn by GDI each time instead of being
// resampled once: a copy that size would cost more memory than it saves.
constexpr std::int64_t kMaxScaledPixels = std::int64_t{16} << 20;

UniqueIcon make_icon(const media::IconResource& r) {
    // The system reads a cursor's hotspot from two u16 in front of the entry.
    std::vector<BYTE> resource;
    if (r.cursor) {
        for (const std::uint16_t v : {r.hotspot_x, r.hotspot_y}) {
            resource.push_back(static_cast<BYTE>(v & 0xFF));
            resource.push_back(static_cast<BYTE>(v >> 8));
        }
    }
    resource.insert(resource.end(), r.bytes.begin(), r.bytes.end());
    return UniqueIcon(CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()), !r.cursor,
                                               0x00030000, r.width, r.height, LR_DEFAULTCOLOR));
}

// Copies `source` onto `dest` of dc, through AlphaBlend when it carries
// alpha (premultiplied), stretched by GDI when the sizes differ.
void blit(HDC dc, const RECT& dest, const DibSection& source, bool opaque) {
    MemoryDC memory(dc);
    if (!memory) return;
    SelectObjectScope select(memory.get(), source.bitmap.get());
    const int w = dest.right - dest.left, h = dest.bottom - dest.top;
    if (!opaque) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, dest.left, dest.top, w, h, memory.get(), 0, 0, source.width, source.height, blend);
    } else if (w == source.width && h == source.height) {
        BitBlt(dc, dest.left, dest.top, w, h, memory.get(), 0, 0, SRCCOPY);
    } else {
        const int mode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, dest.left, dest.top, w, h, memory.get(), 0, 0, source.width, source.height, SRCCOPY);
        SetStretchBltMode(dc, mode);
    }
}

}  // namespace

Picture::~Picture() = default;

std::unique_ptr<Picture> Picture::load(ByteView bytes) {
    std::unique_ptr<Picture> picture(new Picture);
    const auto format = media::detect_picture_format(bytes);
    if (format == media::PictureFormat::ico || format == media::PictureFormat::cur) {
        if (const auto resource = media::icon_resource(bytes)) {
            picture->icon_ = make_icon(*resource);
            if (picture->icon_) {
                picture->width_ = resource->width;
                picture->height_ = resource->height;
                return picture;
            }
        }
        // The system refused the entry: our own decoder may still read it.
    }
    const auto image = media::decode_picture(bytes);
    if (!image) return nullptr;
    picture->width_ = image->width;
    picture->height_ = image->height;
    picture->colours_ = make_dib_section(image->width, image->height);
    if (!picture->colours_) return nullptr;
    const bool opaque = std::all_of(image->pixels.begin(), image->pixels.end(),
                                    [](std::uint32_t p) { return p >> 24 == 255; });
    if (opaque) {
        std::copy(image->pixels.begin(), image->pixels.end(), picture->colours_.pixels);
        return picture;
    }
    picture->premultiplied_ = make_dib_section(image->width, image->height);
    if (!picture->premultiplied_) return nullptr;
    pixels::premultiply(image->pixels, picture->premultiplied_.pixels);
    std::transform(picture->premultiplied_.pixels, picture->premultiplied_.pixels + picture->premultiplied_.count(),
                   picture->colours_.pixels, [](std::uint32_t p) { return pixels::over(p, 0xFFFFFF); });
    return picture;
}

void Picture::draw(HDC dc, const RECT& dest) const {
    const int w = dest.right - dest.left, h = dest.bottom - dest.top;
    if (w <= 0 || h <= 0) return;
    if (icon_) {
        DrawIconEx(dc, dest.left, dest.top, icon_.get(), w, h, 0, nullptr, DI_NORMAL);
        return;
    }
    const DibSection* source = &natural();
    if ((w != width_ || h != height_) && std::int64_t{w} * h <= kMaxScaledPixels) {
        if (!scaled_ || scaled_.width != w || scaled_.height != h) {
            scaled_ = make_dib_section(w, h);
            if (scaled_) pixels::resample(natural().pixels, width_, height_, scaled_.pixels, w, h);
        }
        if (scaled_) source = &scaled_;
    }
    blit(dc, dest, *source, opaque());
}

HBRUSH Picture::tile_brush(COLORREF background) const {
    if (tile_ && (opaque() || tile_background_ == background)) return tile_.get();
    tile_.reset();
    if (opaque()) {
        tile_.reset(CreatePatternBrush(colours_.bitmap.get()));
        return tile_.get();
    }
    DibSection tile = make_dib_section(width_, height_);
    if (!tile) return nullptr;
    const std::uint32_t rgb = dib_rgb(background);
    if (icon_) {
        std::fill_n(tile.pixels, tile.count(), 0xFF000000u | rgb);
        MemoryDC memory;
        SelectObjectScope select(memory.get(), tile.bitmap.get());
        draw(memory.get(), RECT{0, 0, width_, height_});
    } else {
        std::transform(premultiplied_.pixels, premultiplied_.pixels + premultiplied_.count(), tile.pixels,
                       [rgb](std::uint32_t p) { return pixels::over(p, rgb); });
    }
    // The brush keeps a copy of the pattern; the section goes at the return.
    tile_.reset(CreatePatternBrush(tile.bitmap.get()));
    tile_background_ = background;
    return tile_.get();
}

}  // namespace formhost::win32
