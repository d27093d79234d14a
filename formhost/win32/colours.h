#pragma once
// Stored colours as the system takes them.

#include <windows.h>

#include <cstdint>

namespace formhost::win32 {

// A stored colour (0x00BBGGRR), with 0xFF000000 meaning the given system
// colour.
COLORREF resolve_colour(std::uint32_t colour, int default_system_colour);

}  // namespace formhost::win32
