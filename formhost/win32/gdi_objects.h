#pragma once
// Fonts and colours as the host makes them from stored values.

#include <windows.h>

#include "formhost/core/byte_io.h"
#include "owners.h"

namespace formhost::win32 {

// A font from a stored 60-byte font record (its face name GBK); empty bytes
// or a malformed record give no font, meaning the default GUI font.
UniqueFont make_font(const Bytes& record, bool edit_box_adjustments = false);

// A stored colour, with 0xFF000000 meaning the given system colour.
COLORREF resolve_colour(std::uint32_t colour, int default_system_colour);

}  // namespace formhost::win32
