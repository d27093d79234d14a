#pragma once
// The canvas's drawing units: routines give coordinates and sizes in them,
// and the canvas draws in device pixels. The units follow the system's
// mapping modes in their order: 0 pixels, 1 0.1 mm, 2 0.01 mm, 3 0.01 inch,
// 4 0.001 inch, 5 1/1440 inch. Any other unit is taken as pixels.

#include <cstdint>

namespace formhost {

// `value` units as pixels on a device of `pixels_per_inch` in that
// direction, truncated toward zero and kept within 32 bits.
std::int32_t units_to_pixels(std::int32_t value, std::uint32_t unit, int pixels_per_inch);

}  // namespace formhost
