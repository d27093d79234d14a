#pragma once
// Window classes of the host's own, registered once each for the process.

#include <windows.h>

#include <string>

namespace formhost::win32 {

// Registers a class of this module under `name` with the program's icon
// (icon 1, where it carries one) and the arrow cursor, once; true when it is
// registered, by this call or an earlier one.
bool register_window_class(const std::wstring& name, WNDPROC procedure, UINT style);

// A class of the host's own (a control kind's, the message window's),
// registered on first use with the given procedure; null on failure.
const wchar_t* own_window_class(const wchar_t* name, WNDPROC procedure);

}  // namespace formhost::win32
