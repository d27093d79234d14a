#pragma once
// The values of the choice properties (a number from a fixed list) that the
// host gives a meaning; any other value of a list is stored and ignored.

#include <cstdint>

namespace formhost::choice {

// A window's frame (window property 9).
namespace window_border {
inline constexpr std::uint32_t kNone = 0;  // no border and no caption bar
inline constexpr std::uint32_t kResizable = 1;
inline constexpr std::uint32_t kFixed = 2;
inline constexpr std::uint32_t kResizableToolWindow = 3;
inline constexpr std::uint32_t kFixedToolWindow = 4;
inline constexpr std::uint32_t kResizableSunken = 5;
inline constexpr std::uint32_t kFixedSunken = 6;
}  // namespace window_border

// The frame of an edit box, a picture box or a canvas.
namespace control_border {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSunken = 1;       // WS_EX_CLIENTEDGE
inline constexpr std::uint32_t kRaised = 2;       // WS_EX_DLGMODALFRAME
inline constexpr std::uint32_t kThinSunken = 3;   // WS_EX_STATICEDGE
inline constexpr std::uint32_t kSunkenRaised = 4; // both of 1 and 2
inline constexpr std::uint32_t kBlackLine = 5;    // WS_BORDER
}  // namespace control_border

// Where a window appears (window property 18).
namespace start_position {
inline constexpr std::uint32_t kAsGiven = 0;
inline constexpr std::uint32_t kCentred = 1;
inline constexpr std::uint32_t kMinimised = 2;
inline constexpr std::uint32_t kMaximised = 3;
}  // namespace start_position

// How a window's background sound plays (window property 14).
namespace sound_play_mode {
inline constexpr std::uint32_t kRepeat = 0;
inline constexpr std::uint32_t kOnce = 1;
inline constexpr std::uint32_t kSilent = 2;
}  // namespace sound_play_mode

// How a background picture is placed (window property 12, canvas 11).
namespace background_picture_mode {
inline constexpr std::uint32_t kNatural = 0;  // at the top-left corner
inline constexpr std::uint32_t kTiled = 1;
inline constexpr std::uint32_t kCentred = 2;  // shrunk to fit if larger
inline constexpr std::uint32_t kStretched = 3;
}  // namespace background_picture_mode

// How a picture box places its picture (picture box property 11).
namespace display_mode {
inline constexpr std::uint32_t kNatural = 0;  // at the top-left corner
inline constexpr std::uint32_t kFilled = 1;   // scaled to the client area
inline constexpr std::uint32_t kCentred = 2;  // shrunk to fit if larger
}  // namespace display_mode

// A label's caption (label properties 24 and 26).
namespace horizontal_alignment {
inline constexpr std::uint32_t kLeft = 0;
inline constexpr std::uint32_t kCentred = 1;
inline constexpr std::uint32_t kRight = 2;
}  // namespace horizontal_alignment
namespace vertical_alignment {
inline constexpr std::uint32_t kTop = 0;
inline constexpr std::uint32_t kCentred = 1;
inline constexpr std::uint32_t kBottom = 2;
}  // namespace vertical_alignment

// What typing does in an edit box (edit box property 18).
namespace input_mode {
inline constexpr std::uint32_t kNormal = 0;
inline constexpr std::uint32_t kReadOnly = 1;
inline constexpr std::uint32_t kPassword = 2;
}  // namespace input_mode

// The canvas's coordinates (canvas property 13).
namespace drawing_unit {
inline constexpr std::uint32_t kPixels = 0;
}  // namespace drawing_unit

}  // namespace formhost::choice
