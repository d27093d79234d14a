#pragma once
// Building a window from its template, and what the window table keeps of
// it at its end.

#include <windows.h>

#include "formhost/win32/state/host_state.h"

namespace formhost::win32 {

// Builds a window from its template: the window and its controls with events
// suppressed, then its creation event, then its first show. A window that is
// already loaded is only brought forward. false when the parent is gone or
// the window or a control cannot be made; the template is then as before.
bool build_window(WindowEntry& entry, HWND parent, bool modal);

// The window table's part of a window's end: the template as it was before
// the load comes back, and the last window gone ends the message loop.
void window_destroyed(WindowEntry& entry);

}  // namespace formhost::win32
