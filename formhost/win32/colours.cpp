#include "colours.h"

#include "formhost/core/kind_data.h"

namespace formhost::win32 {

COLORREF resolve_colour(std::uint32_t colour, int default_system_colour) {
    return colour == kDefaultColour ? GetSysColor(default_system_colour) : static_cast<COLORREF>(colour & 0xFFFFFF);
}

}  // namespace formhost::win32
