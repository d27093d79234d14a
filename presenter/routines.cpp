// The presenter's routines, bound to events in presenter.form.json: set the
// stage up over the whole screen and run the show on the first tick.
#include <windows.h>

#include <memory>

#include "formhost/win32/external_routine.h"
#include "formhost/win32/host_api.h"
#include "ids.h"
#include "presenter_routines.h"
#include "show/heart_layout.h"
#include "show/show.h"
#include "show/show_random.h"
#include "stage.h"

namespace presenter {
namespace {

using formhost::Value;
using formhost::WindowRef;

// Declared by export name and bound on first use, as the program calls them.
formhost::win32::ExternalRoutine<LONG(HWND, int)> get_window_long_a{L"user32.dll", "GetWindowLongA"};
formhost::win32::ExternalRoutine<LONG(HWND, int, LONG)> set_window_long_a{L"user32.dll", "SetWindowLongA"};
formhost::win32::ExternalRoutine<BOOL(HWND, COLORREF, BYTE, DWORD)> set_layered_window_attributes{
    L"user32.dll", "SetLayeredWindowAttributes"};

constexpr int kExtendedStyle = -20;       // GWL_EXSTYLE
constexpr LONG kLayered = 0x80000;        // WS_EX_LAYERED
constexpr COLORREF kSeeThrough = 0xFFFFFF;
constexpr DWORD kColourKeyOnly = 1;       // LWA_COLORKEY: the alpha has no effect

std::unique_ptr<HeartLayout> heart_layout;
ShowRandom show_random([] { return static_cast<std::uint32_t>(GetTickCount()); });

HWND stage_handle() { return formhost::window_handle({kStageWindow, kStageWindowControl}); }

void write(std::uint32_t window, std::uint32_t control, int index, std::int32_t value) {
    formhost::write_property(window, control, index, Value{value});
}

}  // namespace

void on_start_window_created() {
    formhost::load_window({kStageWindow, kStageWindowControl}, WindowRef{kStartWindow, kStartWindowControl});
}

void on_stage_window_created() {
    write(kStageWindow, kStageWindowControl, 18, 3);  // maximised: the whole screen
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    write(kStageWindow, kStageCanvasControl, 0, 0);
    write(kStageWindow, kStageCanvasControl, 1, 0);
    write(kStageWindow, kStageCanvasControl, 2, w);
    write(kStageWindow, kStageCanvasControl, 3, h);
    heart_layout = std::make_unique<HeartLayout>(w, h);

    // White becomes see-through; everything else stays opaque.
    const LONG style = get_window_long_a(stage_handle(), kExtendedStyle);
    set_window_long_a(stage_handle(), kExtendedStyle, style | kLayered);
    set_layered_window_attributes(stage_handle(), kSeeThrough, 200, kColourKeyOnly);

    formhost::load_window({kPictureWindow, kPictureWindowControl}, WindowRef{kStartWindow, kStartWindowControl});
    write(kStageWindow, kShowTimer, 8, 200);
}

void on_stage_timer_tick() {
    CanvasStage stage;
    run_show(stage, *heart_layout, show_random);
}

void on_start_window_destroyed() {}

}  // namespace presenter
