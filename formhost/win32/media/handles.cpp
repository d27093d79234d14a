#include "handles.h"

namespace formhost::win32 {

DibSection make_dib_section(int width, int height) {
    DibSection section;
    if (width <= 0 || height <= 0) return section;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, like media::Image
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    section.bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section.bitmap || !bits) return DibSection{};
    section.pixels = static_cast<std::uint32_t*>(bits);
    section.width = width;
    section.height = height;
    return section;
}

}  // namespace formhost::win32
