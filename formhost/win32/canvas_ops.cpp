#include "canvas_ops.h"

#include <windows.h>

#include <algorithm>

#include "controls/canvas.h"
#include "fatal_error.h"
#include "formhost/core/fatal_message.h"
#include "formhost/core/text_lines.h"
#include "gbk_text.h"
#include "host_state.h"
#include "host_window.h"

namespace formhost {
namespace {

using namespace win32;

constexpr int kLineGap = 2;

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

// The DC set up from the canvas's properties for one operation; the stock
// objects come back at the end.
class PreparedDC {
public:
    PreparedDC(HDC dc, const Canvas& canvas) : saved_(dc) {
        const DrawPanelData& d = canvas.canvas();
        SetMapMode(dc, MM_TEXT);
        SetTextColor(dc, resolve_colour(d.text_colour, COLOR_WINDOWTEXT));
        if (d.text_background_colour == kDefaultColour) {
            SetBkMode(dc, TRANSPARENT);
        } else {
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, static_cast<COLORREF>(d.text_background_colour & 0xFFFFFF));
        }
        SelectObject(dc, canvas.font() ? canvas.font() : GetStockObject(DEFAULT_GUI_FONT));
    }

private:
    SavedDC saved_;
};

int line_height(HDC dc, const std::wstring& line) {
    SIZE size{};
    const std::wstring measured = line.empty() ? std::wstring(L"W") : line;
    GetTextExtentPoint32W(dc, measured.data(), static_cast<int>(measured.size()), &size);
    return size.cy;
}

// Writes the lines on one target from `at`; gives the position after them.
POINT write_on(HDC dc, const Canvas& canvas, const std::vector<std::string>& lines, POINT at) {
    PreparedDC prepared(dc, canvas);
    const RECT client = client_of(canvas);
    for (const std::string& text : lines) {
        const std::wstring line = widen(text);
        const int height = line_height(dc, line);
        if (at.y + height > client.bottom) {
            // Everything moves up so that the line ends 2 pixels above the
            // bottom edge; the strip uncovered below takes the background.
            const int d = at.y + height - client.bottom + kLineGap;
            BitBlt(dc, 0, 0, client.right, client.bottom - d, dc, 0, d, SRCCOPY);
            const RECT strip{0, std::max<LONG>(client.bottom - d, 0), client.right, client.bottom};
            canvas.erase(dc, strip);
            at.y -= d;
        }
        if (!line.empty()) TextOutW(dc, at.x, at.y, line.data(), static_cast<int>(line.size()));
        at.y += height + kLineGap;
    }
    return at;
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
    RECT r = client_of(canvas);
    if (left) r.left = *left;
    if (top) r.top = *top;
    if (width) r.right = r.left + *width;
    if (height) r.bottom = r.top + *height;
    if (r.right < r.left) std::swap(r.left, r.right);
    if (r.bottom < r.top) std::swap(r.top, r.bottom);
    if (r.right > r.left && r.bottom > r.top) canvas.erase_area(r);
    canvas.move_to({r.left, r.top});
    canvas.write_position = {r.left, r.top};
    canvas.present();
}

void set_write_position(CanvasRef ref, std::optional<int> x, std::optional<int> y) {
    Canvas& canvas = find_canvas(ref);
    if (x) canvas.write_position.x = *x;
    if (y) canvas.write_position.y = *y;
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
    canvas.for_each_target([&](HDC dc) { end = write_on(dc, canvas, lines, canvas.write_position); });
    canvas.write_position = end;
    canvas.present();
}

}  // namespace formhost
