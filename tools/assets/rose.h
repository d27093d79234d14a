#pragma once
// The rose of rose.ico as a drawing, for pictures that show it at other sizes.

#include "draw.h"

namespace assets {

// Draws the rose of the 96 x 96 icon onto `canvas`: one icon unit is `scale`
// pixels and the icon's top-left corner lies at `origin`.
void draw_rose(Drawing& canvas, Pt origin, double scale);

}  // namespace assets
