#include "formhost/win32/media/dib_section.h"

namespace formhost::win32 {

DibSection make_dib_section(int width, int height) {
    DibSection section;
    if (width <= 0 || height <= 0) return section;
    const BITMAPINFO info = top_down_pixels(width, height, 32);  // like media::Image
    void* bits = nullptr;
    section.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section.bitmap || !bits) return DibSection{};
    section.pixels = static_cast<std::uint32_t*>(bits);
    section.width = width;
    section.height = height;
    return section;
}

BITMAPINFO top_down_pixels(int width, int height, WORD bits_per_pixel) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bits_per_pixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace formhost::win32
