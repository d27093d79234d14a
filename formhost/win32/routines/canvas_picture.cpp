#include <windows.h>

#include <algorithm>

#include "formhost/core/choices.h"
#include "formhost/win32/controls/canvas.h"
#include "formhost/win32/drawing/canvas_dc.h"
#include "formhost/win32/media/dib_section.h"
#include "formhost/win32/media/picture.h"
#include "formhost/win32/routines/canvas_ops.h"
#include "formhost/win32/system/owners.h"

namespace formhost {
namespace {

using namespace win32;

void blit_transparent(HDC dc, HDC source, int x, int y, int w, int h, int pw, int ph, COLORREF transparent) {
    // A mask of the transparent colour, then source XOR, mask AND, source XOR:
    // where the mask is set the destination comes back unchanged. The mask is
    // made from a 24-bit copy of the picture: Wine matches a 32-bit pixel
    // against the colour with its alpha byte, which an opaque picture's
    // pixels have set, so that nothing would match.
    const MemoryDC rgb_dc(dc);
    const BITMAPINFO rgb = top_down_pixels(pw, ph, 24);
    void* rgb_bits = nullptr;
    const UniqueBitmap rgb_copy(CreateDIBSection(dc, &rgb, DIB_RGB_COLORS, &rgb_bits, nullptr, 0));
    const SelectObjectScope rgb_selected(rgb_dc.get(), rgb_copy.get());
    BitBlt(rgb_dc.get(), 0, 0, pw, ph, source, 0, 0, SRCCOPY);
    const MemoryDC mask_dc(dc);
    const UniqueBitmap mask(CreateBitmap(pw, ph, 1, 1, nullptr));
    const SelectObjectScope selected(mask_dc.get(), mask.get());
    SetBkColor(rgb_dc.get(), transparent);
    BitBlt(mask_dc.get(), 0, 0, pw, ph, rgb_dc.get(), 0, 0, SRCCOPY);
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    StretchBlt(dc, x, y, w, h, source, 0, 0, pw, ph, SRCINVERT);
    StretchBlt(dc, x, y, w, h, mask_dc.get(), 0, 0, pw, ph, SRCAND);
    StretchBlt(dc, x, y, w, h, source, 0, 0, pw, ph, SRCINVERT);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
}

DWORD raster_operation(std::optional<int> mode) {
    using namespace choice::draw_picture_mode;
    switch (mode.value_or(kCopy)) {
        case kCopy: return SRCCOPY;
        case kInverted: return NOTSRCCOPY;
        case kInvert: return SRCINVERT;
        case kPaint: return SRCPAINT;
        case kMask: return SRCAND;
        default: return static_cast<DWORD>(*mode);
    }
}

}  // namespace

void draw_picture(CanvasRef ref, const Picture* picture, int x, int y, std::optional<int> width,
                  std::optional<int> height, std::optional<int> mode) {
    Canvas& canvas = find_canvas(ref);
    if (!picture) return;
    canvas.drawn();
    const CanvasData& d = canvas.settings();
    x = horizontal_pixels(d, x);
    y = vertical_pixels(d, y);
    const int w = width ? horizontal_pixels(d, *width) : picture->width();
    const int h = height ? vertical_pixels(d, *height) : picture->height();
    // The picture's rectangle, whichever way a negative size turns it.
    const RECT place{std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h)};
    if (HICON icon = picture->icon()) {
        canvas.for_each_target([&](HDC dc) {
            PreparedCanvasDC prepared(dc, d, canvas.font());
            DrawIconEx(dc, x, y, icon, w, h, 0, nullptr, DI_NORMAL);
            return place;
        });
    } else if (HBITMAP bitmap = picture->bitmap()) {
        canvas.for_each_target([&](HDC dc) {
            PreparedCanvasDC prepared(dc, d, canvas.font());
            const MemoryDC source(dc);
            const SelectObjectScope selected(source.get(), bitmap);
            SetStretchBltMode(dc, COLORONCOLOR);
            if (mode && *mode < 0)
                blit_transparent(dc, source.get(), x, y, w, h, picture->width(), picture->height(),
                                 static_cast<COLORREF>(-static_cast<std::int64_t>(*mode)) & 0xFFFFFF);
            else
                StretchBlt(dc, x, y, w, h, source.get(), 0, 0, picture->width(), picture->height(),
                           raster_operation(mode));
            return place;
        });
    }
    canvas.present();
}

}  // namespace formhost
