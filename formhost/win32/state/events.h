#pragma once
// Events on their way from the system to the program's routines.

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace formhost::win32 {

// As a control id: the window's own control, whatever its id.
inline constexpr std::uint32_t kTheWindow = 0;

// Delivers an event to the routine bound to it. Dropped while events are
// suppressed or when nothing is bound; fatal for a window or control that is
// not in the program. Routines return nothing, so no event has a result.
void raise_event(std::uint32_t window_id, std::uint32_t control_id, std::int32_t event,
                 std::initializer_list<std::int32_t> arguments = {});

// Kinds that raise no events: the window, visible kinds and the timer do.
bool kind_raises_events(std::uint32_t kind);

}  // namespace formhost::win32
