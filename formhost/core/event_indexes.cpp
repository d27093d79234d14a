#include "event_indexes.h"

#include <array>
#include <utility>

namespace formhost::event {

std::optional<int> event_from_name(Kind kind, std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, int>, 11> window_events{{
        {"created", window::kCreated},
        {"close_query", window::kCloseQuery},
        {"destroyed", window::kDestroyed},
        {"moved", window::kMoved},
        {"resized", window::kResized},
        {"activated", window::kActivated},
        {"deactivated", window::kDeactivated},
        {"idle", window::kIdle},
        {"first_activated", window::kFirstActivated},
        {"shown", window::kShown},
        {"hidden", window::kHidden},
    }};
    if (kind != Kind::Timer) {
        if (name == "got_focus") return kGotFocus;
        if (name == "lost_focus") return kLostFocus;
    }
    switch (kind) {
        case Kind::Window:
            for (const auto& [event_name, index] : window_events)
                if (event_name == name) return index;
            return std::nullopt;
        case Kind::Button: return name == "clicked" ? std::optional(button::kClicked) : std::nullopt;
        case Kind::EditBox: return name == "changed" ? std::optional(edit_box::kChanged) : std::nullopt;
        case Kind::Timer: return name == "tick" ? std::optional(timer::kTick) : std::nullopt;
        case Kind::Canvas: return name == "paint" ? std::optional(canvas::kPaint) : std::nullopt;
        default: return std::nullopt;
    }
}

}  // namespace formhost::event
