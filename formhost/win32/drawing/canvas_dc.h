#pragma once
// A canvas target's DC prepared from the canvas's properties for one
// operation, and the conversion of the operations' coordinates from the
// canvas's drawing unit to the pixels that DC draws in.

#include <windows.h>

#include "formhost/core/kind_data.h"
#include "formhost/win32/drawing/colours.h"
#include "formhost/win32/system/owners.h"

namespace formhost::win32 {

// For the life of the object: pixels as the mapping (the operations convert
// their coordinates beforehand), the pen (type, width in drawing units,
// colour), the brush (type, colour), the raster operation of the draw mode,
// the font (null: the default GUI font), the text colour and the text
// background (transparent for the default colour, else opaque in it). At
// the end the DC's objects and modes come back as they were.
class PreparedCanvasDC {
public:
    PreparedCanvasDC(HDC dc, const CanvasData& canvas, HFONT font);
    PreparedCanvasDC(const PreparedCanvasDC&) = delete;
    PreparedCanvasDC& operator=(const PreparedCanvasDC&) = delete;

private:
    // Destroyed after the DC is restored, so never while selected.
    GdiObject<HPEN> pen_;
    UniqueBrush brush_;
    SavedDC saved_;
};

// A horizontal (x, width) or vertical (y, height) value in the canvas's
// drawing unit, in pixels of the screen.
int horizontal_pixels(const CanvasData& canvas, int value);
int vertical_pixels(const CanvasData& canvas, int value);

}  // namespace formhost::win32
