#pragma once
// The drawing operations of the canvas kind, addressed like properties by
// window id and control id. Each draws on the canvas's off-screen image (and,
// during a paint, on the paint's DC too) and reports what it changed; the
// screen hand-over puts that on the screen within 50 ms, also while the
// message loop is not running (screen_hand_over.h).

#include <cstdint>
#include <initializer_list>
#include <optional>

#include "formhost/core/value.h"

namespace formhost {

namespace win32 {
class Picture;
}

struct CanvasRef {
    std::uint32_t window = 0;
    std::uint32_t control = 0;
};

// Erases a rectangle (the whole client area where an edge is not given) to
// the background and moves the write position to its top-left corner.
void clear_area(CanvasRef canvas, std::optional<int> left = {}, std::optional<int> top = {},
                std::optional<int> width = {}, std::optional<int> height = {});

// A picture at (x, y), at its own size unless one is given. Icons keep their
// mask and alpha; other pictures are combined by `mode`: a negative mode
// names a colour (-mode) left undrawn, 1 or none copies, 2 inverts, 3 XORs,
// 4 ORs, 5 ANDs, any other value is a raster operation code itself.
void draw_picture(CanvasRef canvas, const win32::Picture* picture, int x, int y, std::optional<int> width = {},
                  std::optional<int> height = {}, std::optional<int> mode = {});

void set_write_position(CanvasRef canvas, std::optional<int> x = {}, std::optional<int> y = {});

// Writes each value as lines of text from the write position down, scrolling
// the canvas up when a line would end below it.
void write_lines(CanvasRef canvas, std::initializer_list<Value> values);

}  // namespace formhost

namespace formhost::win32 {
class Canvas;
// The loaded canvas a reference names; fatal when there is none.
Canvas& find_canvas(CanvasRef ref);
}  // namespace formhost::win32
