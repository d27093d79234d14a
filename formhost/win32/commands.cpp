// The window commands of the host: load window, window handle.
#include "fatal_error.h"
#include "formhost/core/fatal_message.h"
#include "host_api.h"
#include "host_state.h"
#include "host_window.h"
#include "message_loop.h"
#include "window_builder.h"

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
    if (entry->loaded() && entry->controls.front().visible) {
        entry->live->waiting_for_first_show = false;
        if (modal) run_modal_loop(*entry);
    }
    return true;
}

HWND window_handle(WindowRef window) {
    WindowEntry* entry = host().find_window(window.window);
    return entry && entry->loaded() ? entry->live->hwnd() : nullptr;
}

WindowRef current_event_source() { return host().current_source; }

}  // namespace formhost
