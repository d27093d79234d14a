#include "control_cursors.h"

#include "host_state.h"
#include "host_window.h"

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
    const unsigned number = t->cursor[0] | t->cursor[1] << 8 | t->cursor[2] << 16 | t->cursor[3] << 24;
    if (number == 0) return false;
    HCURSOR cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(number));
    if (!cursor) return false;
    SetCursor(cursor);
    return true;
}

}  // namespace formhost::win32
