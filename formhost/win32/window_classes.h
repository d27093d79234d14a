#pragma once
#include <windows.h>

#include <string>

namespace formhost::win32 {

struct WindowEntry;

// The OS window class of a host window: the host's own, or one registered
// under the name a window asks for (GBK). Empty on failure.
std::wstring host_window_class(const std::string& requested);

// A window class of the host's own for a control kind, registered on first
// use with the given procedure.
const wchar_t* control_window_class(const wchar_t* name, WNDPROC procedure);

// Shows the mouse cursor a control (or the window) of the entry asks for
// while the mouse is over it; false to leave the system's choice.
bool set_control_cursor(WindowEntry& entry, HWND under_mouse);

}  // namespace formhost::win32
