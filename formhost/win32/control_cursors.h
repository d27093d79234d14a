#pragma once
// The mouse cursor of a window's controls: the common property 7 of each.
#include <windows.h>

namespace formhost::win32 {

struct WindowEntry;

// Shows the mouse cursor a control (or the window) of the entry asks for
// while the mouse is over it; false to leave the system's choice.
bool set_control_cursor(WindowEntry& entry, HWND under_mouse);

}  // namespace formhost::win32
