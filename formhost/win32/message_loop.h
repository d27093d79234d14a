#pragma once
#include <windows.h>

namespace formhost::win32 {

// Returns when the program's last window is gone (at once if none is loaded).
void run_message_loop();

// One message to its window, through the keyboard handling of host windows
// (Tab, Shift+Tab, Enter and Escape).
void dispatch(MSG& msg);

}  // namespace formhost::win32
