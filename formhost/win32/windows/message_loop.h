#pragma once
// The GUI thread's message loops: the program's own, the modal one and
// the pumps of what is waiting.

#include <windows.h>

#include "formhost/win32/state/host_state.h"

namespace formhost::win32 {

// Returns when the program's last window is gone (at once if none is loaded).
void run_message_loop();

// Dispatches every message already waiting, without waiting for more; a
// quit message stays for the message loop.
void pump_waiting_messages();

// Runs messages until the modal window is gone.
void run_modal_loop(WindowEntry& entry);

// One message to its window, through the keyboard handling of host windows
// (Tab, Shift+Tab, Enter and Escape).
void dispatch(MSG& msg);

}  // namespace formhost::win32
