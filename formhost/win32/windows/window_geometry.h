#pragma once
// Where a window lies, as the host's properties and its re-creation of a
// control both need it.
#include <windows.h>

namespace formhost::win32 {

// The outer rectangle in the parent's client coordinates (a top-level
// window: screen coordinates).
inline RECT outer_rect(HWND hwnd, bool top_level) {
    RECT r;
    GetWindowRect(hwnd, &r);
    if (!top_level) MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace formhost::win32
