#include "formhost/win32/drawing/canvas_dc.h"

#include <algorithm>
#include <iterator>

#include "formhost/core/choices.h"
#include "formhost/core/drawing_units.h"

namespace formhost::win32 {
namespace {

// The system's pen styles by pen type, in the types' order.
int pen_style(std::uint32_t type) {
    static constexpr int kStyles[] = {PS_NULL, PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_INSIDEFRAME};
    static_assert(std::size(kStyles) == choice::pen_type::kInsideFrame + 1);
    return type < std::size(kStyles) ? kStyles[type] : PS_SOLID;
}

// Brush types: 0 none (figures stay unfilled), 1 solid, 2 to 7 the system's
// six hatch patterns in their order.
HBRUSH make_brush(std::uint32_t type, COLORREF colour) {
    using namespace choice::brush_type;
    if (type == kNone) return nullptr;
    if (type >= kFirstHatch && type <= kLastHatch)
        return CreateHatchBrush(static_cast<int>(type - kFirstHatch), colour);
    return CreateSolidBrush(colour);
}

int pixels_per_inch(int axis) {
    const WindowDC screen(nullptr);
    return GetDeviceCaps(screen.get(), axis);
}

}  // namespace

PreparedCanvasDC::PreparedCanvasDC(HDC dc, const CanvasData& d, HFONT font)
    : pen_(CreatePen(pen_style(d.pen_type), std::max(horizontal_pixels(d, d.pen_width), 0),
                     static_cast<COLORREF>(d.pen_colour & 0xFFFFFF))),
      brush_(make_brush(d.brush_type, static_cast<COLORREF>(d.brush_colour & 0xFFFFFF))),
      saved_(dc) {
    SetMapMode(dc, MM_TEXT);
    // The draw mode counts from 0 where the system's raster operations count
    // from 1 (R2_BLACK); the stored default 12 is R2_COPYPEN.
    SetROP2(dc, d.draw_mode < R2_LAST ? static_cast<int>(d.draw_mode) + 1 : R2_COPYPEN);
    if (pen_) SelectObject(dc, pen_.get());
    SelectObject(dc, brush_ ? static_cast<HGDIOBJ>(brush_.get()) : GetStockObject(NULL_BRUSH));
    SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, resolve_colour(d.text_colour, COLOR_WINDOWTEXT));
    if (d.text_background_colour == kDefaultColour) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, static_cast<COLORREF>(d.text_background_colour & 0xFFFFFF));
    }
}

int horizontal_pixels(const CanvasData& d, int value) {
    return d.drawing_unit == choice::drawing_unit::kPixels
               ? value
               : units_to_pixels(value, d.drawing_unit, pixels_per_inch(LOGPIXELSX));
}

int vertical_pixels(const CanvasData& d, int value) {
    return d.drawing_unit == choice::drawing_unit::kPixels
               ? value
               : units_to_pixels(value, d.drawing_unit, pixels_per_inch(LOGPIXELSY));
}

}  // namespace formhost::win32
