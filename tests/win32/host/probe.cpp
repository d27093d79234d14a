// A program on the form host that tests start as a child process: the first
// argument names what it does, the second is the log file where its routines
// write one line per event they see.
#include <windows.h>
#include <shellapi.h>

#include <cstdarg>
#include <cstdio>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "form_ids.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/controls/canvas.h"
#include "formhost/win32/drawing/screen_hand_over.h"
#include "formhost/win32/program/program.h"
#include "formhost/win32/routines/canvas_ops.h"
#include "formhost/win32/routines/host_api.h"
#include "formhost/win32/state/host_state.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/precise_clock.h"
#include "formhost/win32/system/text_encoding.h"
#include "probe_log.h"
#include "probe_routines.h"
#include "store/text_bytes.h"
#include "store/win32/store_files.h"
#include "support/waiting.h"

namespace probe {
namespace {

using formhost::Value;
using formhost::WindowRef;
using formhost::win32::precise_ms;

constexpr formhost::CanvasRef kCanvas{kDrawing, kDrawingCanvas};

std::wstring scenario;
std::wstring log_path;
int ticks = 0;

}  // namespace

const std::wstring& current_scenario() { return scenario; }

void log(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (FILE* f = _wfopen(log_path.c_str(), L"ab")) {
        std::fprintf(f, "%s\n", line);
        std::fclose(f);
    }
}

namespace {

int read_int(std::uint32_t window, std::uint32_t control, int index) {
    return formhost::to_int(formhost::read_property(window, control, index));
}

HWND handle(std::uint32_t window, std::uint32_t control) { return formhost::window_handle({window, control}); }

void close(std::uint32_t window, std::uint32_t control) {
    if (HWND h = handle(window, control)) PostMessageW(h, WM_CLOSE, 0, 0);
}

// Ends the scenario from the message loop, once the start window is shown.
void finish_soon() { formhost::write_property(kStart, kTimer, 8, Value{std::int32_t{30}}); }

// Writes the timer's own period again every 50 ms, 20 times over: a timer
// that restarted at each such write would never come to its 150 ms tick.
constexpr std::int32_t kRewrittenPeriod = 150;
int rewrites = 0;
void CALLBACK rewrite_period(HWND, UINT, UINT_PTR id, DWORD) {
    formhost::write_property(kStart, kTimer, formhost::property::timer::kPeriod, Value{kRewrittenPeriod});
    if (++rewrites < 20) return;
    KillTimer(nullptr, id);
    log("ticks while rewritten=%d", ticks);
    DestroyWindow(handle(kStart, kStartControl));
}

void CALLBACK end_timer_scenario(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    log("ticks=%d", ticks);
    DestroyWindow(formhost::window_handle({kStart, kStartControl}));
}

POINT write_position() { return formhost::win32::find_canvas(kCanvas).write_position; }

}  // namespace

// What the window shows once everything drawn so far is handed over to it.
COLORREF canvas_pixel(int x, int y) {
    formhost::hand_over_before_wait(1000);
    test_support::wait_until([] { return !formhost::win32::hand_over_figures().pending; }, 1000, 1);
    const formhost::win32::WindowDC dc(formhost::win32::find_canvas(kCanvas).hwnd());
    return GetPixel(dc.get(), x, y);
}

// Drawn on the canvas's own targets, as a canvas operation draws.
void paint_red(int x, int y, int w, int h) {
    formhost::win32::Canvas& canvas = formhost::win32::find_canvas(kCanvas);
    const RECT r{x, y, x + w, y + h};
    const formhost::win32::UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    canvas.for_each_target([&](HDC dc) {
        FillRect(dc, &r, red.get());
        return r;
    });
    canvas.present();
}

namespace {

void canvas_scenario() {
    formhost::load_window({kDrawing, kDrawingControl}, WindowRef{kStart, kStartControl});
    // Height of an empty line: that of "W" in the canvas font, plus 2.
    formhost::write_lines(kCanvas, {Value{std::string()}});
    const int step = write_position().y;
    log("empty line step=%d", step);
    formhost::set_write_position(kCanvas, 0, 0);
    formhost::write_lines(kCanvas, {Value{std::string("a\r\nb")}});
    log("two lines moves=%d", write_position().y / step);
    formhost::set_write_position(kCanvas, 0, 0);
    formhost::write_lines(kCanvas, {Value{std::string("a\r\nb\r\n")}});
    log("trailing break moves=%d", write_position().y / step);
    formhost::set_write_position(kCanvas, 7);
    log("x only keeps y: %ld %ld", write_position().x, write_position().y);

    // A line ending 10 pixels below the bottom scrolls everything up by 12.
    RECT client;
    GetClientRect(formhost::win32::find_canvas(kCanvas).hwnd(), &client);
    paint_red(100, 100, 4, 4);
    const int line = step - 2;
    formhost::set_write_position(kCanvas, 200, client.bottom - line + 10);
    formhost::write_lines(kCanvas, {Value{std::string("W")}});
    log("after scroll y=%ld bottom=%ld red moved=%d", write_position().y, client.bottom,
        canvas_pixel(101, 89) == RGB(255, 0, 0) && canvas_pixel(101, 101) != RGB(255, 0, 0) ? 1 : 0);

    // Width 0 erases nothing but still moves the write position.
    paint_red(30, 40, 10, 10);
    formhost::clear_area(kCanvas, 30, 40, 0);
    log("empty clear: %ld %ld red=%d", write_position().x, write_position().y,
        canvas_pixel(32, 42) == RGB(255, 0, 0) ? 1 : 0);
    formhost::clear_area(kCanvas, 30, 40, 10, 10);
    log("clear: white=%d", canvas_pixel(32, 42) == RGB(255, 255, 255) ? 1 : 0);
    DestroyWindow(handle(kStart, kStartControl));
}

// The canvas draws on an image of its window, handed over to the window
// later: a repaint without automatic redraw erases that image with the
// window, so a drawing not yet handed over does not come back; with
// automatic redraw on, what was drawn stays through a resize and a repaint.
void repaint_scenario() {
    formhost::load_window({kDrawing, kDrawingControl}, WindowRef{kStart, kStartControl});
    HWND canvas = formhost::win32::find_canvas(kCanvas).hwnd();
    const auto repaint = [&] { RedrawWindow(canvas, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); };
    paint_red(30, 40, 10, 10);
    repaint();
    log("without automatic redraw: red=%d", canvas_pixel(32, 42) == RGB(255, 0, 0) ? 1 : 0);
    formhost::write_property(kDrawing, kCanvas.control, 12, Value{true});
    paint_red(30, 40, 10, 10);
    formhost::write_property(kDrawing, kCanvas.control, 2, Value{std::int32_t{280}});
    repaint();
    log("with automatic redraw: red=%d", canvas_pixel(32, 42) == RGB(255, 0, 0) ? 1 : 0);
    DestroyWindow(handle(kStart, kStartControl));
}

// Everything drawn is on the screen while the routine still holds the thread.
void visible_scenario() {
    formhost::load_window({kDrawing, kDrawingControl}, WindowRef{kStart, kStartControl});
    formhost::write_property(kDrawing, kDrawingCanvas, formhost::property::canvas::kBackgroundColour,
                             Value{std::int32_t{0x0000FF}});
    formhost::clear_area(kCanvas);
    log("drawn");
    Sleep(2500);
    DestroyWindow(handle(kStart, kStartControl));
}

// The canvas turns red column by column from the left, as the show's wipe
// grows; each column's time is logged for the test that watches the screen.
// `between` runs after each column: nothing (a burst) or a wait.
void wipe_in_red(int from, int to, const std::function<void(int column)>& between, std::vector<double>& times) {
    for (int column = from; column <= to; ++column) {
        formhost::clear_area(kCanvas, 0, 0, column, 200);
        times.push_back(precise_ms());
        between(column);
    }
}

void hand_over_scenario(bool burst) {
    formhost::load_window({kDrawing, kDrawingControl}, WindowRef{kStart, kStartControl});
    formhost::clear_area(kCanvas);  // white, and on the screen before the wipe
    Sleep(300);
    formhost::write_property(kDrawing, kDrawingCanvas, formhost::property::canvas::kBackgroundColour,
                             Value{std::int32_t{0x0000FF}});
    std::vector<double> times;
    const auto figures = [] { return formhost::win32::hand_over_figures(); };
    const int before = figures().hand_overs;
    if (burst) {
        // No wait at all: a column every 2 ms for 0.6 s.
        wipe_in_red(
            1, 300,
            [&](int) {
                for (const double t = precise_ms(); precise_ms() - t < 2;) {
                }
            },
            times);
    } else {
        // Short waits that the routine does not announce, as the show's
        // scatter has them; then long waits that it does.
        wipe_in_red(
            1, 150, [](int) { Sleep(10); }, times);
        wipe_in_red(
            151, 300,
            [](int column) {
                if (column % 30 == 0) {
                    formhost::hand_over_before_wait(400);
                    Sleep(400);
                }
            },
            times);
    }
    Sleep(300);
    const auto after = figures();
    log("hand-overs %d longest %.1f", after.hand_overs - before, after.longest_wait_ms);
    for (std::size_t i = 0; i < times.size(); ++i) log("column %zu %.3f", i + 1, times[i]);
    log("closing %.3f", precise_ms());
    DestroyWindow(handle(kStart, kStartControl));
}

// Routines that fail: an exception of the library, one of no class at all,
// and an allocation no heap can give (half the address space and one byte).
constexpr std::size_t kImpossibleBytes = (std::numeric_limits<std::size_t>::max() >> 1) + 1;
void* volatile kept_block = nullptr;

// Fails as the scenario says if it names this place ("throw_in_tick" for
// the place "tick").
void fail_if_asked(const wchar_t* place) {
    if (scenario == std::wstring(L"throw_in_") + place) throw std::runtime_error("probe failure");
    if (scenario == std::wstring(L"throw_other_in_") + place) throw 42;
    if (scenario == std::wstring(L"alloc_in_") + place) {
        volatile std::size_t bytes = kImpossibleBytes;
        kept_block = ::operator new(bytes);
    }
}

bool fails_in(const wchar_t* place) {
    for (const wchar_t* how : {L"throw_in_", L"throw_other_in_", L"alloc_in_"})
        if (scenario == std::wstring(how) + place) return true;
    return false;
}

int start_loads = 0, close_queries = 0, stage_resizes = 0;

void init() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc > 1) scenario = argv[1];
    if (argc > 2) log_path = argv[2];
    LocalFree(argv);
    log("init");
    fail_if_asked(L"init");
    init_fatal_scenario();
}

void exit_routine() {
    log("exit");
    if (scenario != L"end_slow_exit") return;
    // Longer than another thread's end waits for the GUI thread to begin.
    Sleep(6000);
    log("exit finished");
}

}  // namespace

// Which window's event a routine is running for, as the host tells it.
void log_event_source() {
    const WindowRef source = formhost::current_event_source();
    const char* name = source == WindowRef{kStart, kStartControl}     ? "start"
                       : source == WindowRef{kSecond, kSecondControl} ? "second"
                                                                      : "other";
    log("event source %s", name);
}

void on_start_created() {
    log("start created visible=%d", IsWindowVisible(handle(kStart, kStartControl)) ? 1 : 0);
    ++start_loads;
    fail_if_asked(L"created");
    if (start_parts_scenario() || start_fatal_scenario() || start_canvas_areas_scenario()) return;
    if (scenario == L"build" || fails_in(L"tick")) {
        finish_soon();
    } else if (scenario == L"close_in_created") {
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"clamps") {
        formhost::write_property(kStart, kButton, 2, Value{std::int32_t{40000}});
        log("width %d", read_int(kStart, kButton, 2));
        formhost::write_property(kStart, kButton, 2, Value{std::int32_t{-5}});
        log("width %d", read_int(kStart, kButton, 2));
        formhost::write_property(kStart, kButton, 0, Value{std::int32_t{-40000}});
        log("left %d", read_int(kStart, kButton, 0));
        formhost::write_property(kSecond, kSecondControl, 3, Value{std::int32_t{40000}});
        log("unloaded height %d", read_int(kSecond, kSecondControl, 3));
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"template") {
        formhost::write_property(kSecond, kSecondControl, 2, Value{std::int32_t{300}});
        formhost::load_window({kSecond, kSecondControl}, WindowRef{kStart, kStartControl});
        log("first load width %d", read_int(kSecond, kSecondControl, 2));
        formhost::write_property(kSecond, kSecondControl, 2, Value{std::int32_t{250}});
        log("written width %d", read_int(kSecond, kSecondControl, 2));
        DestroyWindow(handle(kSecond, kSecondControl));
        log("template width %d", read_int(kSecond, kSecondControl, 2));
        formhost::load_window({kSecond, kSecondControl}, WindowRef{kStart, kStartControl});
        log("second load width %d", read_int(kSecond, kSecondControl, 2));
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"unloaded_kind_property") {
        formhost::write_property(kSecond, kSecondControl, 8, Value{std::string("title")});
        log("not reached");
    } else if (scenario == L"unknown_window") {
        formhost::read_property(0x52990001, 0x06990000, 0);
        log("not reached");
    } else if (scenario == L"event_source") {
        log_event_source();
        formhost::load_window({kSecond, kSecondControl}, WindowRef{kStart, kStartControl});
        log_event_source();  // the second window's creation event is over: the outer source again
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"second_closes_itself") {
        const bool loaded = formhost::load_window({kSecond, kSecondControl}, WindowRef{kStart, kStartControl});
        log("load %d handle %d", loaded ? 1 : 0, handle(kSecond, kSecondControl) ? 1 : 0);
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"unloaded_parent") {
        const bool loaded = formhost::load_window({kSecond, kSecondControl}, WindowRef{kHidden, kHiddenControl});
        log("load %d handle %d", loaded ? 1 : 0, handle(kSecond, kSecondControl) ? 1 : 0);
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"owner") {
        formhost::load_window({kSecond, kSecondControl}, WindowRef{kStart, kStartControl});
        close(kStart, kStartControl);
    } else if (scenario == L"close_owned_only") {
        formhost::load_window({kSecond, kSecondControl}, WindowRef{kStart, kStartControl});
        close(kSecond, kSecondControl);
        finish_soon();
    } else if (scenario == L"folder_elsewhere") {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        SetCurrentDirectoryW(temp);
        log("slot %s", store::to_text(store::read_file("数据库/tavimore00.txt")).c_str());
        const std::string saved = "saved beside";
        log("saved %d", store::write_file("数据库/tavimore00.txt", {store::to_byte_set(saved)}) ? 1 : 0);
        SetCurrentDirectoryW(formhost::win32::host().program_folder.c_str());
        std::string beside;
        if (FILE* f = _wfopen(L"\x6570\x636E\x5E93\\tavimore00.txt", L"rb")) {
            char buffer[64] = {};
            beside.assign(buffer, std::fread(buffer, 1, sizeof buffer, f));
            std::fclose(f);
        }
        log("slot %s", beside.c_str());
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"folder") {
        wchar_t folder[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, folder);
        log("folder %s", formhost::win32::narrow(folder).c_str());
        log("slot %s", store::to_text(store::read_file("数据库/tavimore00.txt")).c_str());
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"maximise") {
        formhost::load_window({kStage, kStageControl}, WindowRef{kStart, kStartControl});
        RECT r;
        GetWindowRect(handle(kStage, kStageControl), &r);
        log("stage %ld %ld %ld %ld visible=%d screen %d %d", r.left, r.top, r.right, r.bottom,
            IsWindowVisible(handle(kStage, kStageControl)) ? 1 : 0, GetSystemMetrics(SM_CXSCREEN),
            GetSystemMetrics(SM_CYSCREEN));
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"hidden") {
        formhost::load_window({kHidden, kHiddenControl}, WindowRef{kStart, kStartControl});
        log("hidden loaded visible=%d", read_int(kHidden, kHiddenControl, 5));
        formhost::write_property(kHidden, kHiddenControl, 5, Value{true});
        log("hidden shown visible=%d", read_int(kHidden, kHiddenControl, 5));
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"recreate") {
        // OS ids count from the last control: timer 100, edit box 110.
        HWND start = handle(kStart, kStartControl);
        SetFocus(GetDlgItem(start, 110));
        formhost::write_property(kStart, kEdit, 8, Value{std::string("kept")});
        HWND before = GetDlgItem(start, 110);
        formhost::write_property(kStart, kEdit, 15, Value{true});
        HWND after = GetDlgItem(start, 110);
        log("new=%d multiline=%d focus=%d content=%s above=%d", after != before ? 1 : 0,
            (GetWindowLongW(after, GWL_STYLE) & ES_MULTILINE) ? 1 : 0, GetFocus() == after ? 1 : 0,
            formhost::to_text(formhost::read_property(kStart, kEdit, 8)).c_str(),
            GetWindow(after, GW_HWNDPREV) == GetDlgItem(start, 120) ? 1 : 0);
        DestroyWindow(start);
    } else if (scenario == L"timer") {
        formhost::write_property(kStart, kTimer, 8, Value{std::int32_t{-5}});
        log("negative read=%d", read_int(kStart, kTimer, 8));
        formhost::write_property(kStart, kTimer, 8, Value{std::int32_t{40}});
        log("period read=%d", read_int(kStart, kTimer, 8));
        SetTimer(nullptr, 0, 1500, end_timer_scenario);
    } else if (scenario == L"timer_same_value") {
        formhost::write_property(kStart, kTimer, formhost::property::timer::kPeriod, Value{kRewrittenPeriod});
        SetTimer(nullptr, 0, 50, rewrite_period);
    } else if (scenario == L"canvas") {
        canvas_scenario();
    } else if (scenario == L"repaint") {
        repaint_scenario();
    } else if (scenario == L"visible") {
        visible_scenario();
    } else if (scenario == L"hand_over_burst") {
        hand_over_scenario(true);
    } else if (scenario == L"hand_over_waits") {
        hand_over_scenario(false);
    } else if (scenario == L"escape") {
        // Through the message loop, as a key press would come.
        PostMessageW(GetDlgItem(handle(kStart, kStartControl), 110), WM_KEYDOWN, VK_ESCAPE, 0);
    } else if (scenario == L"reload_in_close_query") {
        if (start_loads == 1) PostMessageW(handle(kStart, kStartControl), WM_CLOSE, 0, 0);
        else finish_soon();
    } else if (scenario == L"close_during_recreate") {
        // The close waits in the queue; making the edit box anew pumps it.
        PostMessageW(handle(kStart, kStartControl), WM_CLOSE, 0, 0);
        formhost::write_property(kStart, kEdit, 15, Value{true});
        log("recreate returned loaded=%d", handle(kStart, kStartControl) ? 1 : 0);
    } else if (scenario == L"reload_in_show") {
        formhost::load_window({kStage, kStageControl}, WindowRef{kStart, kStartControl});
        RECT r;
        GetWindowRect(handle(kStage, kStageControl), &r);
        log("stage %ld %ld %ld %ld visible=%d", r.left, r.top, r.right, r.bottom,
            IsWindowVisible(handle(kStage, kStageControl)) ? 1 : 0);
        DestroyWindow(handle(kStart, kStartControl));
    } else if (scenario == L"edit_event") {
        formhost::write_property(kStart, kEdit, 8, Value{std::string("abc")});
        formhost::write_property(kStart, kEdit, 8, Value{std::string("abc")});
        log("content %s", formhost::to_text(formhost::read_property(kStart, kEdit, 8)).c_str());
        DestroyWindow(handle(kStart, kStartControl));
    }
}

void on_start_moved() { log("start moved"); }
void on_start_resized() { log("start resized"); }
void on_start_destroyed() { log("start destroyed"); }
void on_button_clicked() { log("button clicked"); }
void on_edit_changed() { log("edit changed"); }

void on_start_close_query() {
    ++close_queries;
    log("start close query");
    if (scenario == L"reload_in_close_query" && close_queries == 1) {
        // Closed and loaded again by the routine of its own close: the
        // window asked to close is gone, the new one must stay. The second
        // window keeps the program alive meanwhile.
        formhost::load_window({kSecond, kSecondControl});
        DestroyWindow(handle(kStart, kStartControl));
        formhost::load_window({kStart, kStartControl});
    }
}

void on_timer_tick() {
    fail_if_asked(L"tick");
    if (tick_parts_scenario() || tick_fatal_scenario()) return;
    if (scenario == L"reload_in_close_query") {
        formhost::write_property(kStart, kTimer, 8, Value{std::int32_t{0}});
        log("tick after reload start visible=%d", IsWindowVisible(handle(kStart, kStartControl)) ? 1 : 0);
        close(kSecond, kSecondControl);
        close(kStart, kStartControl);
        return;
    }
    if (scenario == L"timer_same_value") {
        ++ticks;
        return;
    }
    if (scenario == L"timer") {
        ++ticks;
        if (ticks == 3) formhost::write_property(kStart, kTimer, 8, Value{std::int32_t{40}});
        if (ticks == 5) {
            formhost::write_property(kStart, kTimer, 8, Value{std::int32_t{-1}});
            log("stopped read=%d", read_int(kStart, kTimer, 8));
        }
        return;
    }
    formhost::write_property(kStart, kTimer, 8, Value{std::int32_t{0}});
    log("tick start visible=%d second loaded=%d", IsWindowVisible(handle(kStart, kStartControl)) ? 1 : 0,
        handle(kSecond, kSecondControl) ? 1 : 0);
    close(kStart, kStartControl);
}

void on_second_created() {
    log("second created");
    if (scenario == L"event_source") log_event_source();
    if (scenario == L"second_closes_itself") DestroyWindow(handle(kSecond, kSecondControl));
}
void on_second_destroyed() { log("second destroyed"); }

void on_stage_created() {
    formhost::write_property(kStage, kStageControl, 18, Value{std::int32_t{3}});
    log("stage created visible=%d", IsWindowVisible(handle(kStage, kStageControl)) ? 1 : 0);
}

void on_stage_resized() {
    // The first resize comes with the build, the second from the show that
    // maximises the stage: that one closes the stage and loads it again.
    if (scenario != L"reload_in_show" || ++stage_resizes != 2) return;
    log("stage reloaded in its show");
    DestroyWindow(handle(kStage, kStageControl));
    formhost::load_window({kStage, kStageControl}, WindowRef{kStart, kStartControl});
}

}  // namespace probe

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return formhost::win32::run_program(
        {.init = probe::init, .exit = probe::exit_routine, .routines = probe::kRoutines});
}
