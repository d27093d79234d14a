// The window commands of the host: load window, window handle.
#include "formhost/core/fatal_message.h"
#include "formhost/win32/routines/host_api.h"
#include "formhost/win32/state/host_state.h"
#include "formhost/win32/system/fatal_error.h"
#include "formhost/win32/windows/host_window.h"
#include "formhost/win32/windows/message_loop.h"
#include "formhost/win32/windows/window_builder.h"

namespace formhost {

using namespace win32;

bool load_window(WindowRef window, std::optional<WindowRef> parent, bool modal) {
    WindowEntry* entry = host().find_window(window.window);
    if (!entry) fatal_error(0, fatal::kTargetNotLoaded);
    HWND owner = nullptr;
    if (parent) {
        WindowEntry* owner_entry = host().find_window(parent->window);
        if (!owner_entry || !owner_entry->loaded()) return false;
        owner = owner_entry->live->hwnd();
    }
    if (!build_window(*entry, owner, modal)) return false;
    // Its own creation routine may have closed it again: then it is not
    // loaded, whatever the build did. A modal window counts as loaded when
    // its loop begins; it is closed by the time the loop returns.
    const bool loaded = entry->loaded();
    if (loaded && entry->controls.front().visible) {
        entry->live->waiting_for_first_show = false;
        if (modal) run_modal_loop(*entry);
    }
    return loaded;
}

HWND window_handle(WindowRef window) {
    WindowEntry* entry = host().find_window(window.window);
    return entry && entry->loaded() ? entry->live->hwnd() : nullptr;
}

WindowRef current_event_source() { return host().current_source; }

}  // namespace formhost
