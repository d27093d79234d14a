#pragma once
// What a program hands the form host: its init and exit routines and the
// routines its form block binds, in handler-reference order.

#include <span>

#include "formhost/win32/state/routine.h"

namespace formhost::win32 {

struct Program {
    Routine init = nullptr;
    Routine exit = nullptr;
    std::span<const Routine> routines;
};

// Runs the program on the host and gives the process exit code.
int run_program(const Program& program);

}  // namespace formhost::win32
