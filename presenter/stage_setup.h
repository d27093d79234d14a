#pragma once
// Turns the stage window into a see-through stage over the whole screen, as
// the stage window's creation routine does before the window is shown.

#include "show/heart_layout.h"

namespace presenter {

// Maximises the stage window, stretches the canvas over the screen, builds
// the heart layout, makes white see-through, loads the hidden picture window
// and starts the show timer.
void set_up_stage();

// The layout built for the screen by set_up_stage().
const HeartLayout& stage_heart_layout();

}  // namespace presenter
