#pragma once
// The presenter's windows and controls: their ids come from the form source,
// through the header formc writes from it.
#include "form_ids.h"
#include "formhost/win32/routines/canvas_ops.h"

namespace presenter {

inline constexpr formhost::CanvasRef kStageCanvas{kStageWindow, kStageCanvasControl};

}  // namespace presenter
