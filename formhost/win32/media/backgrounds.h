#pragma once
// Backgrounds of windows, picture boxes and canvases: a colour with a
// picture placed on it by the area's mode.

#include <windows.h>

#include "formhost/win32/media/picture.h"

namespace formhost::win32 {

// A window's (or canvas's) background: fills `area` (client coordinates)
// with `background` where the picture does not cover it, and draws the
// picture placed by background-picture mode 0 natural at top-left, 1 tiled,
// 2 centred and shrunk uniformly by the smaller factor if larger,
// 3 stretched; all clipped to `area`. A null picture gives the colour only.
void paint_background(HDC dc, const RECT& client, const RECT& area, const Picture* picture, int mode,
                      COLORREF background);

// A picture box's client area in the same way, by display mode 0 natural at
// top-left, 1 stretched, 2 centred and shrunk uniformly if larger.
void paint_box_picture(HDC dc, const RECT& client, const RECT& area, const Picture* picture, int mode,
                       COLORREF background);

}  // namespace formhost::win32
