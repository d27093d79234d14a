#include "formhost/win32/windows/control_cursors.h"

#include "formhost/core/byte_io.h"
#include "formhost/win32/state/host_state.h"
#include "formhost/win32/windows/host_window.h"

namespace formhost::win32 {

bool set_control_cursor(WindowEntry& entry, HWND under_mouse) {
    if (!entry.live) return false;
    const ControlTemplate* t = nullptr;
    if (under_mouse == entry.live->hwnd()) {
        t = &entry.controls.front();
    } else {
        const auto found = host().controls_by_hwnd.find(under_mouse);
        if (found != host().controls_by_hwnd.end()) t = entry.find(found->second->id());
    }
    // A system cursor number; cursor images are left to the system.
    if (!t || t->cursor.size() != 4) return false;
    const std::uint32_t number = ByteReader(t->cursor).u32();
    if (number == 0) return false;
    HCURSOR cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(number));
    if (!cursor) return false;
    SetCursor(cursor);
    return true;
}

}  // namespace formhost::win32
