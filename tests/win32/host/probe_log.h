#pragma once
// What the probe's scenario files share: the scenario of this run and the
// log its routines write to.
#include <string>

namespace probe {

const std::wstring& current_scenario();
void log(const char* format, ...);

// The scenarios of probe_parts.cpp: true when `scenario` is one of them and
// the routine has done its part.
bool start_parts_scenario();
bool tick_parts_scenario();

}  // namespace probe
