#pragma once
// Where the tests read pixels back: a memory surface of their own, or the
// client area of a live window copied out of its DC.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "formhost/win32/media/dib_section.h"

namespace picture_tests {

// A 32-bit memory surface selected into its own DC.
class Surface {
public:
    Surface(int width, int height, COLORREF fill);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC dc() const { return dc_.get(); }
    int width() const { return section_.width; }
    int height() const { return section_.height; }
    RECT rect() const { return {0, 0, width(), height()}; }
    // The colour at (x, y) as a COLORREF, alpha dropped.
    COLORREF at(int x, int y) const;

private:
    formhost::win32::MemoryDC dc_;
    formhost::win32::DibSection section_;
    formhost::win32::SelectObjectScope selected_;
};

// A window's client area as it is drawn now (the window's own DC, which
// reads what its last paint and any other thread's drawing left).
class WindowPixels {
public:
    explicit WindowPixels(HWND hwnd);
    COLORREF at(int x, int y) const { return surface_.at(x, y); }
    int width() const { return surface_.width(); }
    int height() const { return surface_.height(); }

private:
    static int client_width(HWND hwnd);
    static int client_height(HWND hwnd);
    Surface surface_;
};

// True when each channel is within `tolerance`.
bool close_to(COLORREF a, COLORREF b, int tolerance = 0);
// "#RRGGBB", for failure messages.
std::string hex(COLORREF c);

}  // namespace picture_tests

// The colour of a surface's or a window's pixel, within `tolerance` in each
// channel, saying what it got where.
#define EXPECT_PIXEL(pixels, x, y, expected, tolerance)                                                       \
    EXPECT_TRUE(picture_tests::close_to((pixels).at(x, y), expected, tolerance))                              \
        << "at (" << (x) << ", " << (y) << ") got " << picture_tests::hex((pixels).at(x, y)) << ", expected " \
        << picture_tests::hex(expected)
