#include "stage_setup.h"

#include <windows.h>

#include <memory>

#include "formhost/core/choices.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/routines/external_routine.h"
#include "formhost/win32/routines/host_api.h"
#include "ids.h"

namespace presenter {
namespace {

using formhost::Value;
using formhost::WindowRef;

// Declared by export name and bound on first use, as the program calls them.
formhost::win32::ExternalRoutine<LONG(HWND, int)> get_window_long_a{L"user32.dll", "GetWindowLongA"};
formhost::win32::ExternalRoutine<LONG(HWND, int, LONG)> set_window_long_a{L"user32.dll", "SetWindowLongA"};
formhost::win32::ExternalRoutine<BOOL(HWND, COLORREF, BYTE, DWORD)> set_layered_window_attributes{
    L"user32.dll", "SetLayeredWindowAttributes"};

constexpr COLORREF kSeeThrough = 0xFFFFFF;
// Given with the colour key alone, the alpha has no effect: every pixel that
// is not exactly white stays fully opaque.
constexpr BYTE kUnusedAlpha = 200;
// The first tick, which runs the show, comes this long after the set-up.
constexpr std::int32_t kShowTimerPeriod = 200;

std::unique_ptr<HeartLayout> heart_layout;

HWND stage_handle() { return formhost::window_handle({kStageWindow, kStageWindowControl}); }

void write(std::uint32_t window, std::uint32_t control, int index, std::int32_t value) {
    formhost::write_property(window, control, index, Value{value});
}

// The screen is read anew at each use, as everywhere else in the show.
int screen_width() { return GetSystemMetrics(SM_CXSCREEN); }
int screen_height() { return GetSystemMetrics(SM_CYSCREEN); }

}  // namespace

void set_up_stage() {
    using namespace formhost::property;
    write(kStageWindow, kStageWindowControl, window::kStartPosition,
          formhost::choice::start_position::kMaximised);  // the whole screen
    write(kStageWindow, kStageCanvasControl, kLeft, 0);
    write(kStageWindow, kStageCanvasControl, kTop, 0);
    write(kStageWindow, kStageCanvasControl, kWidth, screen_width());
    write(kStageWindow, kStageCanvasControl, kHeight, screen_height());
    const int layout_width = screen_width();  // width first: arguments have no order
    heart_layout = std::make_unique<HeartLayout>(layout_width, screen_height());

    // White becomes see-through; everything else stays opaque. The handle
    // is fetched anew for each call.
    const LONG style = get_window_long_a(stage_handle(), GWL_EXSTYLE);
    set_window_long_a(stage_handle(), GWL_EXSTYLE, style | WS_EX_LAYERED);
    set_layered_window_attributes(stage_handle(), kSeeThrough, kUnusedAlpha, LWA_COLORKEY);

    formhost::load_window({kPictureWindow, kPictureWindowControl}, WindowRef{kStartWindow, kStartWindowControl});
    write(kStageWindow, kShowTimer, timer::kPeriod, kShowTimerPeriod);
}

const HeartLayout& stage_heart_layout() { return *heart_layout; }

}  // namespace presenter
