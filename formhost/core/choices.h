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
inline constexpr std::uint32_t kSunken = 1;        // WS_EX_CLIENTEDGE
inline constexpr std::uint32_t kRaised = 2;        // WS_EX_DLGMODALFRAME
inline constexpr std::uint32_t kThinSunken = 3;    // WS_EX_STATICEDGE
inline constexpr std::uint32_t kSunkenRaised = 4;  // both of 1 and 2
inline constexpr std::uint32_t kBlackLine = 5;     // WS_BORDER
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

// A label's caption (label properties 24 and 26), a button's caption and an
// edit box's text (horizontally).
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

// An edit box's scroll bars, as bits (multi-line boxes only).
namespace scroll_bars {
inline constexpr std::uint32_t kHorizontal = 1;
inline constexpr std::uint32_t kVertical = 2;
}  // namespace scroll_bars

// What typing does in an edit box (edit box property 18).
namespace input_mode {
inline constexpr std::uint32_t kNormal = 0;
inline constexpr std::uint32_t kReadOnly = 1;
inline constexpr std::uint32_t kPassword = 2;
}  // namespace input_mode

// The canvas's coordinates (canvas property 13), in the order of the
// system's mapping modes.
namespace drawing_unit {
inline constexpr std::uint32_t kPixels = 0;
inline constexpr std::uint32_t kTenthMillimetres = 1;
inline constexpr std::uint32_t kHundredthMillimetres = 2;
inline constexpr std::uint32_t kHundredthInches = 3;
inline constexpr std::uint32_t kThousandthInches = 4;
inline constexpr std::uint32_t kTwips = 5;  // 1/1440 inch
}  // namespace drawing_unit

// The canvas's pen (canvas property 14).
namespace pen_type {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSolid = 1;
inline constexpr std::uint32_t kDashed = 2;
inline constexpr std::uint32_t kDotted = 3;
inline constexpr std::uint32_t kDashDot = 4;
inline constexpr std::uint32_t kDashDotDot = 5;
inline constexpr std::uint32_t kInsideFrame = 6;  // solid, inside a figure's frame
}  // namespace pen_type

// The canvas's brush (canvas property 18): none, solid, or one of the
// system's six hatch patterns in their order.
namespace brush_type {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kSolid = 1;
inline constexpr std::uint32_t kFirstHatch = 2;
inline constexpr std::uint32_t kLastHatch = 7;
}  // namespace brush_type

// How `run command line` shows the program it starts; a value outside the
// list is taken as the nearest end of it.
namespace show_mode {
inline constexpr int kHidden = 1;
inline constexpr int kNormal = 2;
inline constexpr int kMinimised = 3;
inline constexpr int kMaximised = 4;
inline constexpr int kNormalNotActivated = 5;
inline constexpr int kMinimisedNotActivated = 6;
}  // namespace show_mode

// How `draw picture` combines a picture with what is there; any other
// non-negative mode is a raster operation code itself, a negative one names
// the picture's transparent colour.
namespace draw_picture_mode {
inline constexpr int kCopy = 1;
inline constexpr int kInverted = 2;
inline constexpr int kInvert = 3;
inline constexpr int kPaint = 4;
inline constexpr int kMask = 5;
}  // namespace draw_picture_mode

}  // namespace formhost::choice
