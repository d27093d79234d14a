#include "formhost/win32/state/events.h"

#include "formhost/core/fatal_message.h"
#include "formhost/core/kind_data.h"
#include "formhost/win32/state/host_state.h"
#include "formhost/win32/system/fatal_error.h"

namespace formhost::win32 {

bool kind_raises_events(std::uint32_t kind) { return default_kind_data(kind).has_value(); }

void raise_event(std::uint32_t window_id, std::uint32_t control_id, std::int32_t event,
                 std::initializer_list<std::int32_t> arguments) {
    HostState& h = host();
    if (h.suppression > 0) return;
    WindowEntry* window = h.find_window(window_id);
    if (!window) fatal_error(0, fatal::kEventWindowUnknown);
    const ControlTemplate* control = control_id ? window->find(control_id) : &window->controls.front();
    if (!control) fatal_error(0, fatal::kEventControlUnknown);
    if (!kind_raises_events(control->kind)) fatal_error(0, fatal::kEventKindInvalid);
    const Routine routine = control->handler(event);
    if (!routine) return;

    // Routines may nest (a routine's own writes raise events), so the source
    // and arguments of the outer event come back afterwards.
    const WindowRef outer_source = h.current_source;
    auto outer_arguments = std::move(h.event_arguments);
    h.current_source = {window_id, control->id};
    h.event_arguments.assign(arguments);
    routine();
    h.current_source = outer_source;
    h.event_arguments = std::move(outer_arguments);
}

}  // namespace formhost::win32
