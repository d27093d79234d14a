#pragma once
// Milliseconds on the system's performance counter. It is one clock for
// every process of the machine, so a test can set the times a program it
// watches logged against its own.
#include <windows.h>

namespace formhost::win32 {

inline double precise_ms() {
    static const double ticks_per_ms = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / ticks_per_ms;
}

}  // namespace formhost::win32
