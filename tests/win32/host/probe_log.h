#pragma once
// What the probe's scenario files share: the scenario of this run and the
// log its routines write to.
#include <windows.h>

#include <string>

namespace probe {

const std::wstring& current_scenario();
void log(const char* format, ...);

// A pixel of the drawing window's canvas as the window shows it, once
// everything drawn so far is handed over.
COLORREF canvas_pixel(int x, int y);
// A red rectangle drawn on the drawing window's canvas as an operation
// draws, reported for the hand-over.
void paint_red(int x, int y, int w, int h);

// The scenarios of probe_parts.cpp: true when `scenario` is one of them and
// the routine has done its part.
bool start_parts_scenario();
bool tick_parts_scenario();
// The same for probe_canvas_areas.cpp.
bool start_canvas_areas_scenario();
// The same for probe_fatal.cpp; its init part only prepares.
void init_fatal_scenario();
bool start_fatal_scenario();
bool tick_fatal_scenario();

}  // namespace probe
