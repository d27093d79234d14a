#pragma once
// The event indexes of the kinds: the numbers under which the form block
// binds routines to events and the host raises them. Indexes are per kind;
// the negative ones are common to every kind that is visible at run time.

#include <optional>
#include <string_view>

#include "kind_data.h"

namespace formhost::event {

inline constexpr int kGotFocus = -7;
inline constexpr int kLostFocus = -8;

namespace window {
inline constexpr int kCreated = 0;     // built, before its first show
inline constexpr int kCloseQuery = 1;  // a routine that answers false keeps it open
inline constexpr int kDestroyed = 2;   // its controls still exist
inline constexpr int kMoved = 3;
inline constexpr int kResized = 4;
inline constexpr int kActivated = 5;
inline constexpr int kDeactivated = 6;
inline constexpr int kIdle = 7;            // true asks for more idle passes
inline constexpr int kFirstActivated = 8;  // before the first kActivated
inline constexpr int kShown = 10;
inline constexpr int kHidden = 11;
}  // namespace window

namespace button {
inline constexpr int kClicked = 0;
}  // namespace button

namespace edit_box {
inline constexpr int kChanged = 0;  // by typing or by a write of its content
}  // namespace edit_box

namespace timer {
inline constexpr int kTick = 0;
}  // namespace timer

namespace canvas {
// A repaint without automatic redraw, with the area to draw again.
inline constexpr int kPaint = 0;
}  // namespace canvas

// The index of the event that form sources call `name` for this kind;
// nullopt when the kind raises no event of that name.
std::optional<int> event_from_name(Kind kind, std::string_view name);

}  // namespace formhost::event
