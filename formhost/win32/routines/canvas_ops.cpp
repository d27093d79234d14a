#include "formhost/win32/routines/canvas_ops.h"

#include <windows.h>

#include <algorithm>

#include "formhost/core/fatal_message.h"
#include "formhost/core/text_lines.h"
#include "formhost/win32/controls/canvas.h"
#include "formhost/win32/drawing/canvas_dc.h"
#include "formhost/win32/drawing/text_line.h"
#include "formhost/win32/state/host_state.h"
#include "formhost/win32/system/fatal_error.h"
#include "formhost/win32/system/text_encoding.h"
#include "formhost/win32/windows/host_window.h"

namespace formhost {
namespace {

using namespace win32;

}  // namespace

Canvas& win32::find_canvas(CanvasRef ref) {
    WindowEntry* window = host().find_window(ref.window);
    if (!window) fatal_error(0, fatal::kWindowNotInProgram);
    Canvas* canvas = window->loaded() ? dynamic_cast<Canvas*>(window->live->control(ref.control)) : nullptr;
    if (!canvas || !IsWindow(canvas->hwnd())) fatal_error(0, fatal::kTargetNotLoaded);
    return *canvas;
}

namespace {

RECT client_of(const Canvas& canvas) {
    RECT r;
    GetClientRect(canvas.hwnd(), &r);
    return r;
}

struct Written {
    POINT end;       // the position after the lines
    RECT changed{};  // what they changed
};

// Writes the lines on one target from `at`.
Written write_on(HDC dc, const Canvas& canvas, const std::vector<std::string>& lines, POINT at) {
    PreparedCanvasDC prepared(dc, canvas.settings(), canvas.font());
    const RECT client = client_of(canvas);
    RECT changed{};
    for (const std::string& text : lines) {
        const TextLine line(dc, widen(text));
        const int height = line.height();
        const LinePlace place = place_line(at.y, height, client.bottom);
        if (place.scroll > 0) {
            // Everything moves up; the strip uncovered below takes the
            // background colour, not the background picture: the picture
            // scrolled up with the rest.
            const int d = place.scroll;
            BitBlt(dc, 0, 0, client.right, client.bottom - d, dc, 0, d, SRCCOPY);
            const RECT strip{0, std::max<LONG>(client.bottom - d, 0), client.right, client.bottom};
            const UniqueBrush background(
                CreateSolidBrush(resolve_colour(canvas.settings().background_colour, COLOR_BTNFACE)));
            FillRect(dc, &strip, background.get());
            changed = client;
        }
        line.draw(dc, at.x, place.top);
        // The line's rows across the whole width: a glyph may reach past its
        // advance on either side (italics, smoothing, a fallback face).
        const RECT band{client.left, place.top, client.right, place.top + height};
        UnionRect(&changed, &changed, &band);
        at.y = place.next_y;
    }
    return {at, changed};
}

// The texts a value stands for; byte sets and other values are skipped.
bool text_of(const Value& value, std::string& text) {
    if (std::holds_alternative<Bytes>(value) || std::holds_alternative<WindowRef>(value)) return false;
    text = to_text(value);
    return true;
}

}  // namespace

void clear_area(CanvasRef ref, std::optional<int> left, std::optional<int> top, std::optional<int> width,
                std::optional<int> height) {
    Canvas& canvas = find_canvas(ref);
    const CanvasData& d = canvas.settings();
    RECT r = client_of(canvas);
    if (left) r.left = horizontal_pixels(d, *left);
    if (top) r.top = vertical_pixels(d, *top);
    if (width) r.right = r.left + horizontal_pixels(d, *width);
    if (height) r.bottom = r.top + vertical_pixels(d, *height);
    if (r.right < r.left) std::swap(r.left, r.right);
    if (r.bottom < r.top) std::swap(r.top, r.bottom);
    if (r.right > r.left && r.bottom > r.top) canvas.erase_area(r);
    canvas.move_to({r.left, r.top});
    canvas.write_position = {r.left, r.top};
    canvas.present();
}

void set_write_position(CanvasRef ref, std::optional<int> x, std::optional<int> y) {
    Canvas& canvas = find_canvas(ref);
    if (x) canvas.write_position.x = horizontal_pixels(canvas.settings(), *x);
    if (y) canvas.write_position.y = vertical_pixels(canvas.settings(), *y);
}

void write_lines(CanvasRef ref, std::initializer_list<Value> values) {
    Canvas& canvas = find_canvas(ref);
    std::vector<std::string> lines;
    for (const Value& value : values) {
        std::string text;
        if (!text_of(value, text)) continue;
        for (auto& line : split_lines(text)) lines.push_back(std::move(line));
    }
    // Every target starts from the same position; it is stored once, after
    // the last of them.
    POINT end = canvas.write_position;
    canvas.drawn();
    canvas.for_each_target([&](HDC dc) {
        const Written written = write_on(dc, canvas, lines, canvas.write_position);
        end = written.end;
        return written.changed;
    });
    canvas.write_position = end;
    canvas.present();
}

}  // namespace formhost
