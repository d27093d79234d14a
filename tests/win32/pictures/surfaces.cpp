#include "surfaces.h"

#include <cstdio>
#include <cstdlib>

#include "formhost/win32/media/picture.h"

namespace picture_tests {

Surface::Surface(int width, int height, COLORREF fill)
    : section_(formhost::win32::make_dib_section(width, height)), selected_(dc_.get(), section_.bitmap.get()) {
    const std::uint32_t pixel = 0xFF000000u | formhost::win32::dib_rgb(fill);
    for (std::size_t i = 0; i < section_.count(); ++i) section_.pixels[i] = pixel;
}

COLORREF Surface::at(int x, int y) const {
    GdiFlush();  // drawing may still sit in this thread's GDI batch
    const std::uint32_t p = section_.pixels[static_cast<std::size_t>(y) * section_.width + x];
    return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
}

int WindowPixels::client_width(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return r.right;
}

int WindowPixels::client_height(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return r.bottom;
}

WindowPixels::WindowPixels(HWND hwnd) : surface_(client_width(hwnd), client_height(hwnd), RGB(1, 2, 3)) {
    const formhost::win32::WindowDC dc(hwnd);
    BitBlt(surface_.dc(), 0, 0, surface_.width(), surface_.height(), dc.get(), 0, 0, SRCCOPY);
}

bool close_to(COLORREF a, COLORREF b, int tolerance) {
    const auto close = [&](int shift) {
        return std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) <= tolerance;
    };
    return close(0) && close(8) && close(16);
}

std::string hex(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

}  // namespace picture_tests
