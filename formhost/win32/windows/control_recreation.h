#pragma once
// Making a control anew: some properties (an edit box's multi-line and
// hide-selection) the system takes only when a control's window is made.
#include "formhost/win32/state/host_state.h"

namespace formhost::win32 {

class Control;

// The control's OS window made anew with its current values, at the same
// place among its siblings and keeping the focus, with events suppressed
// and what was waiting pumped before and after. Nothing when a waiting
// message closed the window meanwhile.
void recreate_control(WindowEntry& entry, const Control* live);

}  // namespace formhost::win32
