#pragma once
// The window class a host window is made in.

#include <windows.h>

#include <string>

namespace formhost::win32 {

// The OS window class of a host window: the host's own, or one registered
// under the name a window asks for (GB18030). Empty on failure.
std::wstring host_window_class(const std::string& requested);

}  // namespace formhost::win32
