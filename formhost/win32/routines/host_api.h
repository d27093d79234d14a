#pragma once
// What a program's routines call on the form host. Texts are GB18030 bytes;
// values returned belong to the caller, values passed stay the caller's.

#include <windows.h>

#include <cstdint>
#include <optional>

#include "formhost/core/value.h"

namespace formhost {

// Property index -1 sub-index is "the whole property", the only form used.
Value read_property(std::uint32_t window, std::uint32_t control, int index);
void write_property(std::uint32_t window, std::uint32_t control, int index, const Value& value);
// False when a control holds text from the user that no host text can carry
// (a lone surrogate half pasted into an edit box), so that reading it gives
// less than the control shows.
bool text_is_whole(std::uint32_t window, std::uint32_t control);

// Loads a window, owned by the parent window if one is given. True when the
// window is loaded afterwards: false when the parent is not loaded, the build
// fails, or the window's creation routine closed it again.
bool load_window(WindowRef window, std::optional<WindowRef> parent = std::nullopt, bool modal = false);

// The OS window of a loaded window, or null.
HWND window_handle(WindowRef window);

// Shuts the host down and ends the process with the code.
[[noreturn]] void end_program(int code);

// The window and control whose event is being delivered.
WindowRef current_event_source();

}  // namespace formhost
