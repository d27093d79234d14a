// Property access by window id, control id and property index.
#include <windows.h>

#include <algorithm>

#include "formhost/core/byte_io.h"
#include "formhost/core/fatal_message.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/controls/control.h"
#include "formhost/win32/routines/host_api.h"
#include "formhost/win32/state/host_state.h"
#include "formhost/win32/system/fatal_error.h"
#include "formhost/win32/windows/control_recreation.h"
#include "formhost/win32/windows/host_window.h"
#include "formhost/win32/windows/message_loop.h"
#include "formhost/win32/windows/window_geometry.h"

namespace formhost {
namespace {

using namespace win32;

// Places and sizes stay within what the system's 16-bit window coordinates
// hold, with room for a frame around them: a larger value is cut to this.
constexpr std::int32_t kCoordinateLimit = 32627;

struct Target {
    WindowEntry& window;
    ControlTemplate& control;
    bool is_window;
    HWND hwnd;      // null while not loaded
    Control* live;  // null for the window control
};

Target find_target(std::uint32_t window_id, std::uint32_t control_id) {
    WindowEntry* window = host().find_window(window_id);
    if (!window) fatal_error(0, fatal::kWindowNotInProgram);
    ControlTemplate* control = window->find(control_id);
    if (!control) fatal_error(0, fatal::kTargetNotLoaded);
    const bool is_window = control == &window->controls.front();
    HWND hwnd = nullptr;
    Control* live = nullptr;
    if (window->loaded()) {
        if (is_window) {
            hwnd = window->live->hwnd();
        } else if ((live = window->live->control(control_id))) {
            hwnd = live->hwnd();
        }
    }
    if (hwnd && !IsWindow(hwnd)) hwnd = nullptr;
    return {*window, *control, is_window, hwnd, live};
}

Value read_common(const Target& t, int index) {
    if (t.hwnd && index <= property::kHeight) {
        const RECT r = outer_rect(t.hwnd, t.is_window);
        const LONG values[4] = {r.left, r.top, r.right - r.left, r.bottom - r.top};
        return static_cast<std::int32_t>(values[index]);
    }
    switch (index) {
        case property::kLeft: return t.control.left;
        case property::kTop: return t.control.top;
        case property::kWidth: return t.control.width;
        case property::kHeight: return t.control.height;
        case property::kTag: return t.control.tag;
        case property::kVisible: return t.hwnd ? static_cast<bool>(IsWindowVisible(t.hwnd)) : t.control.visible;
        case property::kDisabled: return t.hwnd ? !IsWindowEnabled(t.hwnd) : t.control.disabled;
        default: return t.control.cursor;
    }
}

void write_common(Target& t, int index, const Value& value) {
    ControlTemplate& c = t.control;
    switch (index) {
        case property::kLeft:
        case property::kTop: {
            const std::int32_t v = std::clamp(to_int(value), -kCoordinateLimit, kCoordinateLimit);
            const bool left = index == property::kLeft;
            (left ? c.left : c.top) = v;
            if (!t.hwnd) return;
            const RECT r = outer_rect(t.hwnd, t.is_window);
            SetWindowPos(t.hwnd, nullptr, left ? v : r.left, left ? r.top : v, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(t.hwnd, nullptr, TRUE);
            return;
        }
        case property::kWidth:
        case property::kHeight: {
            const std::int32_t v = std::clamp(to_int(value), 0, kCoordinateLimit);
            const bool width = index == property::kWidth;
            (width ? c.width : c.height) = v;
            if (!t.hwnd) return;
            const RECT r = outer_rect(t.hwnd, t.is_window);
            SetWindowPos(t.hwnd, nullptr, 0, 0, width ? v : r.right - r.left, width ? r.bottom - r.top : v,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            return;
        }
        case property::kTag: c.tag = to_text(value); return;
        case property::kVisible: {
            c.visible = to_bool(value);
            if (!t.hwnd) return;
            if (!c.visible) {
                ShowWindow(t.hwnd, SW_HIDE);
            } else if (t.is_window && t.window.live->waiting_for_first_show) {
                // The first show of a window loaded hidden follows its start
                // position, and a modal one then runs its loop.
                t.window.live->waiting_for_first_show = false;
                t.window.live->show_by_start_position();
                if (t.window.loaded() && t.window.live->modal) run_modal_loop(t.window);
            } else if (t.is_window) {
                ShowWindow(t.hwnd, SW_SHOW);
            } else if (!t.live || t.live->visible_at_run_time()) {
                ShowWindow(t.hwnd, SW_SHOWNA);
            }
            return;
        }
        case property::kDisabled:
            c.disabled = to_bool(value);
            if (t.hwnd) EnableWindow(t.hwnd, !c.disabled);
            return;
        case property::kMouseCursor: {
            Bytes cursor = std::holds_alternative<Bytes>(value) ? std::get<Bytes>(value) : Bytes{};
            if (!std::holds_alternative<Bytes>(value)) {
                ByteWriter number;
                number.u32(static_cast<std::uint32_t>(to_int(value)));
                cursor = number.take();
            }
            c.cursor = std::move(cursor);
            return;
        }
        default: return;
    }
}

}  // namespace

Value read_property(std::uint32_t window_id, std::uint32_t control_id, int index) {
    Target t = find_target(window_id, control_id);
    if (index >= 0 && index < property::kFirstOfKind) return read_common(t, index);
    if (!t.hwnd) fatal_error(0, fatal::kWindowNotLoaded);
    const auto value = t.is_window ? t.window.live->read_property(index) : t.live->read_property(index);
    return value ? *value : Value{};
}

bool text_is_whole(std::uint32_t window_id, std::uint32_t control_id) {
    const Target t = find_target(window_id, control_id);
    return !t.live || t.live->text_is_whole();
}

void write_property(std::uint32_t window_id, std::uint32_t control_id, int index, const Value& value) {
    Target t = find_target(window_id, control_id);
    if (index >= 0 && index < property::kFirstOfKind) return write_common(t, index, value);
    if (!t.hwnd) fatal_error(0, fatal::kWindowNotLoaded);
    if (t.is_window) return t.window.live->write_property(index, value);
    if (t.live->write_property(index, value)) recreate_control(t.window, t.live);
}

}  // namespace formhost
