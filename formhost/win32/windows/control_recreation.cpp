#include "formhost/win32/windows/control_recreation.h"

#include <algorithm>

#include "formhost/win32/controls/control.h"
#include "formhost/win32/windows/host_window.h"
#include "formhost/win32/windows/message_loop.h"
#include "formhost/win32/windows/window_geometry.h"

namespace formhost::win32 {

void recreate_control(WindowEntry& entry, const Control* live) {
    pump_waiting_messages();
    {
        SuppressEvents quiet;
        // A message that was waiting may have closed the window, or closed
        // and loaded it anew: then there is no control left to make anew.
        if (!entry.loaded()) return;
        HostWindow& window = *entry.live;
        auto& controls = window.controls();
        const auto slot = std::find_if(controls.begin(), controls.end(),
                                       [&](const auto& c) { return c.get() == live; });
        if (slot == controls.end()) return;
        Control& old = **slot;
        HWND old_hwnd = old.hwnd();
        const bool had_focus = GetFocus() == old_hwnd;
        auto fresh = make_control(entry.id, old.id(), static_cast<std::uint32_t>(old.kind()),
                                  old.read_all_properties());
        ControlPlace place;
        place.parent = GetParent(old_hwnd);
        place.os_id = GetDlgCtrlID(old_hwnd);
        place.rect = outer_rect(old_hwnd, false);
        place.style = static_cast<DWORD>(GetWindowLongPtrW(old_hwnd, GWL_STYLE)) & (WS_TABSTOP | WS_DISABLED);
        if (fresh && fresh->create(place)) {
            HWND above = GetWindow(old_hwnd, GW_HWNDPREV);
            SetWindowPos(fresh->hwnd(), above ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            fresh->build_complete();
            if (IsWindowVisible(old_hwnd)) ShowWindow(fresh->hwnd(), SW_SHOWNA);
            fresh->window_shown();
            DestroyWindow(old_hwnd);
            *slot = std::move(fresh);
            if (had_focus) SetFocus((*slot)->hwnd());
        }
        pump_waiting_messages();
    }
}

}  // namespace formhost::win32
