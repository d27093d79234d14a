#include <windows.h>

#include "canvas_dc.h"
#include "canvas_ops.h"
#include "controls/canvas.h"
#include "media/picture.h"
#include "owners.h"
#include "formhost/core/choices.h"

namespace formhost {
namespace {

using namespace win32;

void blit_transparent(HDC dc, HDC source, int x, int y, int w, int h, int pw, int ph, COLORREF transparent) {
    // A mask of the transparent colour, then source XOR, mask AND, source XOR:
    // where the mask is set the destination comes back unchanged.
    const MemoryDC mask_dc(dc);
    const UniqueBitmap mask(CreateBitmap(pw, ph, 1, 1, nullptr));
    const SelectObjectScope selected(mask_dc.get(), mask.get());
    SetBkColor(source, transparent);
    BitBlt(mask_dc.get(), 0, 0, pw, ph, source, 0, 0, SRCCOPY);
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
    const DrawPanelData& d = canvas.canvas();
    x = horizontal_pixels(d, x);
    y = vertical_pixels(d, y);
    const int w = width ? horizontal_pixels(d, *width) : picture->width();
    const int h = height ? vertical_pixels(d, *height) : picture->height();
    if (HICON icon = picture->icon()) {
        canvas.for_each_target([&](HDC dc) {
            PreparedCanvasDC prepared(dc, d, canvas.font());
            DrawIconEx(dc, x, y, icon, w, h, 0, nullptr, DI_NORMAL);
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
        });
    }
    canvas.present();
}

}  // namespace formhost
