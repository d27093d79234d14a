#pragma once
#include <windows.h>

#include <string>

namespace formhost::win32 {

// The OS window class of a host window: the host's own, or one registered
// under the name a window asks for (GBK). Empty on failure.
std::wstring host_window_class(const std::string& requested);

// A window class of the host's own for a control kind, registered on first
// use with the given procedure.
const wchar_t* control_window_class(const wchar_t* name, WNDPROC procedure);

}  // namespace formhost::win32
