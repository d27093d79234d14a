#pragma once
// The presenter's windows and controls, as its form source names them.
#include <cstdint>

#include "formhost/win32/canvas_ops.h"

namespace presenter {

inline constexpr std::uint32_t kStartWindow = 0x52010001, kStartWindowControl = 0x06010000;
inline constexpr std::uint32_t kStageWindow = 0x5201114b, kStageWindowControl = 0x0601114a;
inline constexpr std::uint32_t kPictureWindow = 0x52011233, kPictureWindowControl = 0x06011232;
inline constexpr std::uint32_t kStageCanvasControl = 0x16011184;  // 画板1
inline constexpr std::uint32_t kShowTimer = 0x16011183;           // 时钟1
inline constexpr formhost::CanvasRef kStageCanvas{kStageWindow, kStageCanvasControl};

}  // namespace presenter
