// Probe scenarios for window and control behaviour that the two programs do
// not use yet: icons, help, the task bar owner, start positions at creation,
// the start window's first show, focus candidates, a timer's place, label
// repaints, the end of the program from another thread and the canvas's
// scroll strip.
#include <windows.h>

#include <string>

#include "form_ids.h"
#include "formhost/win32/controls/canvas.h"
#include "formhost/win32/routines/canvas_ops.h"
#include "formhost/win32/routines/host_api.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/text_encoding.h"
#include "formhost/win32/windows/window_help.h"
#include "probe_log.h"
#include "probe_routines.h"

namespace probe {
namespace {

using formhost::Bytes;
using formhost::Value;
using formhost::WindowRef;

constexpr std::uint32_t kStartTimer = kTimer;
constexpr formhost::CanvasRef kDrawingCanvasRef{kDrawing, kDrawingCanvas};
// OS ids count from the last control of the parts window: timer 100,
// canvas 110, button 120, label 130.
constexpr int kPartsCanvasId = 110, kPartsButtonId = 120, kPartsLabelId = 130;
constexpr wchar_t kHelpFile[] = L"probe_help.hlp";

const std::wstring& scenario() { return current_scenario(); }

HWND handle(std::uint32_t window, std::uint32_t control) { return formhost::window_handle({window, control}); }
HWND parts() { return handle(kParts, kPartsControl); }
HWND start() { return handle(kStart, kStartControl); }

int read_int(std::uint32_t window, std::uint32_t control, int index) {
    return formhost::to_int(formhost::read_property(window, control, index));
}
void write(std::uint32_t window, std::uint32_t control, int index, Value value) {
    formhost::write_property(window, control, index, value);
}
void write_int(std::uint32_t window, std::uint32_t control, int index, std::int32_t value) {
    write(window, control, index, Value{value});
}

void load_parts() { formhost::load_window({kParts, kPartsControl}, WindowRef{kStart, kStartControl}); }

void close_all() {
    for (HWND h : {parts(), handle(kSecond, kSecondControl), start()})
        if (h) DestroyWindow(h);
}

// The ticks of the start window's timer drive the scenarios that need the
// message loop between their steps.
void tick_every(int ms) { write_int(kStart, kStartTimer, 8, ms); }
int step = 0;

int icon_width(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    // The icon's bitmaps are copies that the caller deletes.
    const formhost::win32::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    GetObjectW(colour ? colour.get() : mask.get(), sizeof bm, &bm);
    return bm.bmWidth;
}

void log_icons(const char* what) {
    const auto big = reinterpret_cast<HICON>(SendMessageW(parts(), WM_GETICON, ICON_BIG, 0));
    const auto small = reinterpret_cast<HICON>(SendMessageW(parts(), WM_GETICON, ICON_SMALL, 0));
    log("%s big=%d small=%d", what,
        icon_width(big) == GetSystemMetrics(SM_CXICON) ? 1
        : big                                          ? 2
                                                       : 0,
        icon_width(small) == GetSystemMetrics(SM_CXSMICON) ? 1
        : small                                            ? 2
                                                           : 0);
}

void icon_scenario() {
    load_parts();
    log_icons("from the form");
    const Value icon = formhost::read_property(kParts, kPartsControl, 20);
    write(kParts, kPartsControl, 20, Value{Bytes{}});
    log_icons("none");
    write(kParts, kPartsControl, 20, icon);
    log_icons("written");
    write(kParts, kPartsControl, 20, Value{Bytes{1, 2, 3}});
    log_icons("unreadable");
    close_all();
}

std::wstring class_of(HWND hwnd) {
    wchar_t name[64] = L"";
    if (hwnd) GetClassNameW(hwnd, name, 64);
    return name;
}

void task_bar_scenario() {
    formhost::load_window({kParts, kPartsControl});  // no owner of its own
    const HWND first = GetWindow(parts(), GW_OWNER);
    write(kParts, kPartsControl, 26, Value{false});
    const HWND hidden = GetWindow(parts(), GW_OWNER);
    write(kParts, kPartsControl, 26, Value{true});
    const HWND back = GetWindow(parts(), GW_OWNER);
    formhost::load_window({kSecond, kSecondControl}, WindowRef{kStart, kStartControl});
    write(kSecond, kSecondControl, 26, Value{false});
    log("task bar first=%d off=%s on=%d visible=%d owned keeps=%d", first ? 1 : 0,
        formhost::win32::narrow(class_of(hidden)).c_str(), back ? 1 : 0, IsWindowVisible(parts()) ? 1 : 0,
        GetWindow(handle(kSecond, kSecondControl), GW_OWNER) == start() ? 1 : 0);
    close_all();
}

void log_placed(const char* what) {
    HWND h = handle(kMinimised, kMinimisedControl);
    if (!h) h = handle(kMaximised, kMaximisedControl);
    log("%s iconic=%d zoomed=%d", what, IsIconic(h) ? 1 : 0, IsZoomed(h) ? 1 : 0);
}

void placed_scenario() {
    formhost::load_window({kMinimised, kMinimisedControl});
    log_placed("minimised shown");
    log("minimised visible=%d", IsWindowVisible(handle(kMinimised, kMinimisedControl)) ? 1 : 0);
    DestroyWindow(handle(kMinimised, kMinimisedControl));
    formhost::load_window({kMaximised, kMaximisedControl});
    log_placed("maximised shown");
    HWND max = handle(kMaximised, kMaximisedControl);
    ShowWindow(max, SW_RESTORE);
    RECT r;
    GetWindowRect(max, &r);
    log("restored %ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
    DestroyWindow(max);
    DestroyWindow(start());
}

// The start window, shown by its build, is still waiting for its first
// explicit show: hidden and shown again it goes by its start position, once.
void reshow_tick() {
    tick_every(0);
    write(kStart, kStartControl, 5, Value{false});
    write_int(kStart, kStartControl, 18, 3);
    write(kStart, kStartControl, 5, Value{true});
    RECT r;
    GetWindowRect(start(), &r);
    log("first show %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    write_int(kStart, kStartControl, 0, 10);
    write_int(kStart, kStartControl, 1, 10);
    write_int(kStart, kStartControl, 2, 240);
    write_int(kStart, kStartControl, 3, 160);
    write(kStart, kStartControl, 5, Value{false});
    write(kStart, kStartControl, 5, Value{true});
    GetWindowRect(start(), &r);
    log("second show %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    close_all();
}

void focus_scenario() {
    load_parts();
    HWND focus = GetFocus();
    log("focus canvas=%d button=%d", focus == GetDlgItem(parts(), kPartsCanvasId) ? 1 : 0,
        focus == GetDlgItem(parts(), kPartsButtonId) ? 1 : 0);
    close_all();
}

void timer_place_scenario() {
    load_parts();
    log("timer %d %d %d %d", read_int(kParts, kPartsTimer, 0), read_int(kParts, kPartsTimer, 1),
        read_int(kParts, kPartsTimer, 2), read_int(kParts, kPartsTimer, 3));
    write_int(kParts, kPartsTimer, 0, 7);
    write_int(kParts, kPartsTimer, 3, 5);
    log("timer moved %d %d", read_int(kParts, kPartsTimer, 0), read_int(kParts, kPartsTimer, 3));
    close_all();
}

// The leftmost and rightmost red columns of the label's caption.
std::pair<int, int> red_columns(HWND label) {
    RECT client;
    GetClientRect(label, &client);
    const formhost::win32::WindowDC dc(label);
    int first = -1, last = -1;
    for (int x = 0; x < client.right; ++x)
        for (int y = 0; y < client.bottom; ++y)
            if (GetPixel(dc.get(), x, y) == RGB(255, 0, 0)) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

void label_resize_scenario() {
    load_parts();
    HWND label = GetDlgItem(parts(), kPartsLabelId);
    UpdateWindow(label);
    const auto before = red_columns(label);
    write_int(kParts, kPartsLabel, 2, 160);
    UpdateWindow(label);
    const auto after = red_columns(label);
    // Centred: the caption moves right by half the growth, and nothing of
    // it stays behind.
    log("label moved=%d left behind=%d", after.first - before.first, after.first > before.second ? 0 : 1);
    close_all();
}

BOOL WINAPI logging_help_viewer(HWND, const wchar_t* file, UINT command, ULONG_PTR data) {
    log("help %s command=%u data=%lu", formhost::win32::narrow(file).c_str(), command,
        static_cast<unsigned long>(data));
    return TRUE;
}

void make_help_file() { CloseHandle(CreateFileW(kHelpFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)); }

void press_f1() { PostMessageW(GetDlgItem(parts(), kPartsButtonId), WM_KEYDOWN, VK_F1, 0); }

void help_start() {
    formhost::win32::set_help_viewer(logging_help_viewer);
    load_parts();
    make_help_file();
    press_f1();
    tick_every(50);
}

void help_tick() {
    switch (++step) {
        case 1:
            write_int(kParts, kPartsControl, 25, 7);
            press_f1();
            break;
        case 2:
            log("file gone");
            DeleteFileW(kHelpFile);
            press_f1();
            break;
        case 3:
            log("help off");
            make_help_file();
            write(kParts, kPartsControl, 23, Value{false});
            press_f1();
            break;
        default:
            tick_every(0);
            DeleteFileW(kHelpFile);
            log("done");
            close_all();
            break;
    }
}

// Another thread ends the program, while the GUI thread runs its message
// loop or while a routine holds it.
DWORD WINAPI end_from_thread(void* code) {
    Sleep(100);
    log("thread ends %d", static_cast<int>(reinterpret_cast<INT_PTR>(code)));
    formhost::end_program(static_cast<int>(reinterpret_cast<INT_PTR>(code)));
}

void end_tick(bool held) {
    tick_every(0);
    const INT_PTR code = held ? 7 : 9;
    CloseHandle(CreateThread(nullptr, 0, end_from_thread, reinterpret_cast<void*>(code), 0, nullptr));
    if (!held) return;
    log("held");
    Sleep(20000);
    log("not reached");
}

// Scrolled up by write lines, the strip uncovered at the bottom takes the
// background colour (white) even where a background picture (red) lies.
Bytes red_bmp() {
    // 2 × 2, 24 bits, rows padded to 8 bytes.
    Bytes b = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0};
    b.resize(54, 0);
    for (int row = 0; row < 2; ++row) b.insert(b.end(), {0, 0, 255, 0, 0, 255, 0, 0});
    return b;
}

void canvas_strip_scenario() {
    formhost::load_window({kDrawing, kDrawingControl}, WindowRef{kStart, kStartControl});
    write(kDrawing, kDrawingCanvasRef.control, 10, Value{red_bmp()});
    write_int(kDrawing, kDrawingCanvasRef.control, 11, 1);  // tiled
    formhost::clear_area(kDrawingCanvasRef);
    HWND canvas = formhost::win32::find_canvas(kDrawingCanvasRef).hwnd();
    RECT client;
    GetClientRect(canvas, &client);
    formhost::set_write_position(kDrawingCanvasRef, 0, client.bottom - 10);
    formhost::write_lines(kDrawingCanvasRef, {Value{std::string("W")}});
    log("strip bottom=%06lx top=%06lx", canvas_pixel(client.right - 5, client.bottom - 1),
        canvas_pixel(client.right - 5, 5));
    close_all();
}

// The system asks the window under the mouse for a cursor: the button's form
// names the hand (32649), the window's names none, so the system's own
// class cursor stays.
void control_cursor_scenario() {
    const auto asked_over = [](HWND under_mouse) {
        SetCursor(nullptr);
        SendMessageW(start(), WM_SETCURSOR, reinterpret_cast<WPARAM>(under_mouse), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor() == LoadCursorW(nullptr, IDC_HAND) ? "hand" : "other";
    };
    const char* over_button = asked_over(FindWindowExW(start(), nullptr, L"Button", nullptr));
    log("cursor button=%s window=%s", over_button, asked_over(start()));
    close_all();
}

}  // namespace

bool start_parts_scenario() {
    const std::wstring& s = scenario();
    if (s == L"icon") icon_scenario();
    else if (s == L"task_bar") task_bar_scenario();
    else if (s == L"placed") placed_scenario();
    else if (s == L"focus") focus_scenario();
    else if (s == L"timer_place") timer_place_scenario();
    else if (s == L"label_resize") label_resize_scenario();
    else if (s == L"canvas_strip") canvas_strip_scenario();
    else if (s == L"control_cursor") control_cursor_scenario();
    else if (s == L"help") help_start();
    else if (s == L"start_reshow" || s == L"end_from_thread" || s == L"end_while_held" || s == L"end_slow_exit")
        tick_every(30);
    else return false;
    return true;
}

bool tick_parts_scenario() {
    const std::wstring& s = scenario();
    if (s == L"start_reshow") reshow_tick();
    else if (s == L"help") help_tick();
    else if (s == L"end_from_thread" || s == L"end_slow_exit") end_tick(false);
    else if (s == L"end_while_held") end_tick(true);
    else return false;
    return true;
}

void on_placed_created() { log_placed("created"); }
void on_placed_moved() { log_placed("moved"); }
void on_placed_resized() { log_placed("resized"); }

}  // namespace probe
