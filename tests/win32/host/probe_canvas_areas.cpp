// The probe's scenarios of what the canvas hands over to its window: each
// operation's own rectangle must hold every pixel it changed, a resize must
// not drop what waited, and without the hand-over's thread the drawing must
// still reach the window.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "form_ids.h"
#include "formhost/core/font_record.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/controls/canvas.h"
#include "formhost/win32/drawing/screen_hand_over.h"
#include "formhost/win32/drawing/window_image.h"
#include "formhost/win32/media/picture.h"
#include "formhost/win32/routines/canvas_ops.h"
#include "formhost/win32/routines/host_api.h"
#include "formhost/win32/system/owners.h"
#include "picture_makers.h"
#include "probe_log.h"

namespace probe {
namespace {

using formhost::Value;
using formhost::WindowRef;
using namespace formhost::win32;

constexpr formhost::CanvasRef kCanvas{kDrawing, kDrawingCanvas};

Canvas& canvas() { return find_canvas(kCanvas); }

// The image's pixels as they are now.
std::vector<std::uint32_t> image_pixels() {
    const WindowImage& image = *canvas().image();
    const BITMAPINFO info = top_down_pixels(image.width(), image.height(), 32);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width()) * image.height());
    MemoryDC copy(image.dc());
    const UniqueBitmap bitmap(CreateCompatibleBitmap(image.dc(), image.width(), image.height()));
    const SelectObjectScope selected(copy.get(), bitmap.get());
    BitBlt(copy.get(), 0, 0, image.width(), image.height(), image.dc(), 0, 0, SRCCOPY);
    GetDIBits(copy.get(), bitmap.get(), 0, static_cast<UINT>(image.height()), pixels.data(),
              const_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    return pixels;
}

// Runs the operation and logs whether the rectangle it handed over holds
// every pixel it changed, with the changed pixels' bounds when it does not.
template <class Operation> void check_area(const char* name, Operation operation) {
    const std::vector<std::uint32_t> before = image_pixels();
    operation();
    const std::vector<std::uint32_t> after = image_pixels();
    const int width = canvas().image()->width();
    RECT changed{LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
    int count = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        const LONG x = static_cast<LONG>(i % width), y = static_cast<LONG>(i / width);
        changed = {std::min(changed.left, x), std::min(changed.top, y), std::max(changed.right, x + 1),
                   std::max(changed.bottom, y + 1)};
        ++count;
    }
    const RECT handed = canvas().image()->last_changed();
    RECT both{};
    const bool covered = count == 0 || (UnionRect(&both, &handed, &changed) && EqualRect(&both, &handed));
    if (covered) {
        log("%s changed=%d covered=1", name, count > 0 ? 1 : 0);
    } else {
        log("%s changed=%d covered=0: pixels %ld %ld %ld %ld, handed over %ld %ld %ld %ld", name, count > 0 ? 1 : 0,
            changed.left, changed.top, changed.right, changed.bottom, handed.left, handed.top, handed.right,
            handed.bottom);
    }
}

// A font the system smooths: antialiased quality, the face the form gives.
void smoothed_font() {
    formhost::FontRecord font;
    font.height = -40;
    font.weight = 700;
    font.char_set = 1;
    font.quality = ANTIALIASED_QUALITY;
    font.face = "\xBF\xAC\xCC\xE5";  // 楷体
    formhost::write_property(kDrawing, kDrawingCanvas, formhost::property::canvas::kFont,
                             Value{formhost::write_font_record(font)});
}

void areas_scenario() {
    formhost::load_window({kDrawing, kDrawingControl}, WindowRef{kStart, kStartControl});
    smoothed_font();
    check_area("text", [] {
        formhost::set_write_position(kCanvas, 5, 5);
        formhost::write_lines(kCanvas, {Value{std::string("\xB0\xAE W \x81\x37\xAC\x33")}});  // 爱 W ♥
    });
    check_area("clear", [] { formhost::clear_area(kCanvas, 10, 10, 30, 20); });  // through the text
    // An icon drawn through its alpha, partly off the canvas's left edge.
    const auto icon = Picture::load(
        picture_makers::ico32(picture_makers::quadrants(32, 32, 0x80FF0000, 0xFF00FF00, 0x400000FF, 0xFFFFFF00)));
    check_area("icon", [&] { formhost::draw_picture(kCanvas, icon.get(), -10, 60); });
    const auto bitmap = Picture::load(picture_makers::bmp24(picture_makers::solid(20, 10, 0xFF0000FF)));
    check_area("stretched bitmap", [&] { formhost::draw_picture(kCanvas, bitmap.get(), 100, 30, -40, 25); });
    // Lines past the bottom scroll everything up.
    check_area("scroll", [] {
        RECT client;
        GetClientRect(canvas().hwnd(), &client);
        formhost::set_write_position(kCanvas, 0, client.bottom - 5);
        formhost::write_lines(kCanvas, {Value{std::string("W")}});
    });
    DestroyWindow(formhost::window_handle({kStart, kStartControl}));
}

// Drawn, then resized at once, before any hand-over: the drawing is on the
// window all the same.
void resize_scenario() {
    formhost::load_window({kDrawing, kDrawingControl}, WindowRef{kStart, kStartControl});
    paint_red(30, 40, 10, 10);
    const int width = formhost::to_int(formhost::read_property(kDrawing, kDrawingCanvas, 2));
    formhost::write_property(kDrawing, kDrawingCanvas, 2, Value{std::int32_t{width - 20}});
    log("after resize red=%d", canvas_pixel(32, 42) == RGB(255, 0, 0) ? 1 : 0);
    DestroyWindow(formhost::window_handle({kStart, kStartControl}));
}

HANDLE refuse_thread(LPTHREAD_START_ROUTINE, void*, DWORD*) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
}

// The system refuses the hand-over's thread: the drawing reaches the window
// from the GUI thread, and nothing spins.
void no_hand_over_thread_scenario() {
    set_hand_over_thread_starter(&refuse_thread);
    formhost::load_window({kDrawing, kDrawingControl}, WindowRef{kStart, kStartControl});
    paint_red(30, 40, 10, 10);
    HWND window = canvas().hwnd();
    const WindowDC dc(window);
    log("without the thread red=%d hand-overs=%d", GetPixel(dc.get(), 32, 42) == RGB(255, 0, 0) ? 1 : 0,
        hand_over_figures().hand_overs);
    DestroyWindow(formhost::window_handle({kStart, kStartControl}));
}

// A colour-keyed window whose canvas fills with a pattern of one-pixel
// runs, far more than one X shape request carries: under Wine the window
// gives up its key, and the process lives on.
void key_shape_limit_scenario() {
    formhost::load_window({kDrawing, kDrawingControl}, WindowRef{kStart, kStartControl});
    formhost::write_property(kDrawing, kDrawingControl, 2, Value{std::int32_t{820}});
    formhost::write_property(kDrawing, kDrawingControl, 3, Value{std::int32_t{640}});
    formhost::write_property(kDrawing, kDrawingCanvas, 2, Value{std::int32_t{780}});
    formhost::write_property(kDrawing, kDrawingCanvas, 3, Value{std::int32_t{560}});
    HWND top = formhost::window_handle({kDrawing, kDrawingControl});
    SetWindowLongW(top, GWL_EXSTYLE, GetWindowLongW(top, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(top, RGB(255, 255, 255), 0, LWA_COLORKEY);
    formhost::clear_area(kCanvas);
    canvas_pixel(0, 0);  // handed over: the window's shape is the canvas's white

    const WindowImage& image = *canvas().image();
    const int w = image.width(), h = image.height();
    const BITMAPINFO info = top_down_pixels(w, h, 32);
    std::vector<std::uint32_t> pattern(static_cast<std::size_t>(w) * h, 0xFFFFFF);
    for (int y = 0; y < h; ++y)
        for (int x = y % 2; x < w; x += 2) pattern[static_cast<std::size_t>(y) * w + x] = 0xFF00FF;
    canvas().for_each_target([&](HDC dc) {
        SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0, static_cast<UINT>(h),
                          pattern.data(), &info, DIB_RGB_COLORS);
        return RECT{0, 0, w, h};
    });
    canvas().present();
    const COLORREF shown = canvas_pixel(0, 0);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(top, &key, &alpha, &flags);
    log("pattern shown=%d keyed=%d", shown == RGB(255, 0, 255) ? 1 : 0, (flags & LWA_COLORKEY) ? 1 : 0);
    DestroyWindow(formhost::window_handle({kStart, kStartControl}));
}

}  // namespace

bool start_canvas_areas_scenario() {
    const std::wstring& s = current_scenario();
    if (s == L"canvas_areas") areas_scenario();
    else if (s == L"canvas_resize") resize_scenario();
    else if (s == L"no_hand_over_thread") no_hand_over_thread_scenario();
    else if (s == L"key_shape_limit") key_shape_limit_scenario();
    else return false;
    return true;
}

}  // namespace probe
