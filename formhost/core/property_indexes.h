#pragma once
// The property indexes of the seven kinds: the numbers by which routines,
// the host and the form compiler address a control's properties.
//
// 0 to 7 are common to every kind; 8 onward belong to the kind. A "stored"
// property is kept and written back with the control's data but has no
// effect in this host.

namespace formhost::property {

inline constexpr int kLeft = 0;
inline constexpr int kTop = 1;
inline constexpr int kWidth = 2;
inline constexpr int kHeight = 3;
inline constexpr int kTag = 4;
inline constexpr int kVisible = 5;
inline constexpr int kDisabled = 6;
inline constexpr int kMouseCursor = 7;
// The first index that a kind gives a meaning of its own.
inline constexpr int kFirstOfKind = 8;

namespace window {
inline constexpr int kTitle = 8;
inline constexpr int kBorderStyle = 9;
inline constexpr int kBackgroundColour = 10;
inline constexpr int kBackgroundPicture = 11;
inline constexpr int kBackgroundPictureMode = 12;
inline constexpr int kBackgroundSound = 13;
inline constexpr int kSoundPlayMode = 14;
inline constexpr int kControlButtons = 15;
inline constexpr int kMaximiseButton = 16;
inline constexpr int kMinimiseButton = 17;
inline constexpr int kStartPosition = 18;
inline constexpr int kMovable = 19;
inline constexpr int kIcon = 20;
inline constexpr int kEnterMovesFocus = 21;
inline constexpr int kEscapeCloses = 22;
inline constexpr int kF1OpensHelp = 23;
inline constexpr int kHelpFileName = 24;
inline constexpr int kHelpId = 25;
inline constexpr int kShownInTaskBar = 26;
inline constexpr int kStoredFlag27 = 27;
inline constexpr int kShape = 28;
inline constexpr int kAlwaysOnTop = 29;
inline constexpr int kStoredFlag30 = 30;
inline constexpr int kWindowClassName = 31;
}  // namespace window

namespace edit_box {
inline constexpr int kContent = 8;
inline constexpr int kBorderStyle = 9;
inline constexpr int kTextColour = 10;
inline constexpr int kBackgroundColour = 11;
inline constexpr int kFont = 12;
inline constexpr int kHideSelection = 13;
inline constexpr int kMaximumLength = 14;
inline constexpr int kMultiLine = 15;
inline constexpr int kScrollBars = 16;
inline constexpr int kAlignment = 17;
inline constexpr int kInputMode = 18;
inline constexpr int kPasswordCharacter = 19;
inline constexpr int kStored20 = 20;
inline constexpr int kStored21 = 21;
inline constexpr int kStored22 = 22;
inline constexpr int kStored23 = 23;
inline constexpr int kStored24 = 24;
inline constexpr int kStored25 = 25;
inline constexpr int kStoredText27 = 27;
inline constexpr int kStoredText28 = 28;
}  // namespace edit_box

namespace label {
inline constexpr int kCaption = 8;
inline constexpr int kTextEffect = 9;
inline constexpr int kBorderStyle = 10;
inline constexpr int kGradientBorderWidth = 11;
inline constexpr int kGradientBorderColour1 = 12;
inline constexpr int kGradientBorderColour2 = 13;
inline constexpr int kGradientBorderColour3 = 14;
inline constexpr int kFont = 15;
inline constexpr int kTextColour = 16;
inline constexpr int kBackgroundColour = 17;
inline constexpr int kPicture = 18;
inline constexpr int kPictureMode = 19;
inline constexpr int kGradientBackgroundMode = 20;
inline constexpr int kGradientBackgroundColour1 = 21;
inline constexpr int kGradientBackgroundColour2 = 22;
inline constexpr int kGradientBackgroundColour3 = 23;
inline constexpr int kHorizontalAlignment = 24;
inline constexpr int kWordWrap = 25;
inline constexpr int kVerticalAlignment = 26;
inline constexpr int kStoredText27 = 27;
inline constexpr int kStoredText28 = 28;
}  // namespace label

namespace button {
inline constexpr int kPicture = 8;
inline constexpr int kButtonType = 9;
inline constexpr int kCaption = 10;
inline constexpr int kHorizontalAlignment = 11;
inline constexpr int kVerticalAlignment = 12;
inline constexpr int kFont = 13;
}  // namespace button

namespace picture_box {
inline constexpr int kBorderStyle = 8;
inline constexpr int kBackgroundColour = 9;
inline constexpr int kPicture = 10;
inline constexpr int kDisplayMode = 11;
inline constexpr int kPlayAnimation = 12;
inline constexpr int kStoredText13 = 13;
inline constexpr int kStoredText14 = 14;
}  // namespace picture_box

namespace canvas {
inline constexpr int kBorderStyle = 8;
inline constexpr int kBackgroundColour = 9;
inline constexpr int kBackgroundPicture = 10;
inline constexpr int kBackgroundPictureMode = 11;
inline constexpr int kAutoRedraw = 12;
inline constexpr int kDrawingUnit = 13;
inline constexpr int kPenType = 14;
inline constexpr int kDrawMode = 15;
inline constexpr int kPenWidth = 16;
inline constexpr int kPenColour = 17;
inline constexpr int kBrushType = 18;
inline constexpr int kBrushColour = 19;
inline constexpr int kTextColour = 20;
inline constexpr int kTextBackgroundColour = 21;
inline constexpr int kFont = 22;
}  // namespace canvas

namespace timer {
inline constexpr int kPeriod = 8;
}  // namespace timer

}  // namespace formhost::property
