#include "stage.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>

#include "formhost/core/property_indexes.h"
#include "formhost/win32/drawing/screen_hand_over.h"
#include "formhost/win32/routines/canvas_ops.h"
#include "formhost/win32/routines/host_api.h"
#include "ids.h"
#include "store/slot_names.h"
#include "store/slot_text.h"
#include "store/win32/store_files.h"

namespace presenter {
namespace {

// White is the stage's see-through colour: a picture drawn with it as its
// transparent colour leaves the stage clear where it is white.
constexpr int kWhiteTransparent = -0xFFFFFF;

constexpr UINT kFinestTimerPeriod = 1;  // ms

formhost::ByteView rose_icon_bytes() {
    HRSRC found = FindResourceW(nullptr, L"ROSE", RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const std::uint8_t*>(data), SizeofResource(nullptr, found)};
}

}  // namespace

int CanvasStage::screen_width() { return GetSystemMetrics(SM_CXSCREEN); }
int CanvasStage::screen_height() { return GetSystemMetrics(SM_CYSCREEN); }

void CanvasStage::load_rose() { rose_ = formhost::win32::Picture::load(rose_icon_bytes()); }

void CanvasStage::draw_rose(int x, int y) {
    formhost::draw_picture(kStageCanvas, rose_.get(), x, y, std::nullopt, std::nullopt, kWhiteTransparent);
}

void CanvasStage::set_write_position(int x, int y) { formhost::set_write_position(kStageCanvas, x, y); }

void CanvasStage::write_lines(const std::string& text) { formhost::write_lines(kStageCanvas, {formhost::Value{text}}); }

void CanvasStage::clear_area(int left, int top, int width, int height) {
    formhost::clear_area(kStageCanvas, left, top, width, height);
}

std::string CanvasStage::read_slot(int slot) {
    return store::slot_text(store::read_file(store::kSlotFiles[static_cast<std::size_t>(slot)]));
}

void CanvasStage::stop_timer() {
    formhost::write_property(kStageWindow, kShowTimer, formhost::property::timer::kPeriod,
                             formhost::Value{std::int32_t{0}});
}

void CanvasStage::wait(int milliseconds) {
    // What was drawn goes to the screen while the show waits, not while it
    // draws its next rose.
    formhost::hand_over_before_wait(milliseconds);
    Sleep(static_cast<DWORD>(std::max(milliseconds, 0)));
}

void CanvasStage::fine_timer(bool on) {
    if (on == fine_timer_) return;
    fine_timer_ = on;
    // The system keeps the finest period any program asked for; Windows also
    // gives it back by itself when the process ends.
    if (on) timeBeginPeriod(kFinestTimerPeriod);
    else timeEndPeriod(kFinestTimerPeriod);
}

}  // namespace presenter
