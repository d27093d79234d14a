#include "formhost/win32/windows/window_builder.h"

#include "formhost/core/event_indexes.h"
#include "formhost/win32/controls/control.h"
#include "formhost/win32/sound/background_sound.h"
#include "formhost/win32/state/events.h"
#include "formhost/win32/windows/host_window.h"
#include "formhost/win32/windows/message_loop.h"

namespace formhost::win32 {
namespace {

constexpr int kFirstControlId = 100;
constexpr int kControlIdStep = 10;

bool create_controls(HostWindow& window) {
    WindowEntry& entry = window.entry();
    auto& controls = window.controls();
    const std::size_t count = entry.controls.size();
    controls.resize(count - 1);
    // From the last control back to the first; OS ids count up from 100.
    int os_id = kFirstControlId;
    for (std::size_t i = count; i-- > 1; os_id += kControlIdStep) {
        const ControlTemplate& t = entry.controls[i];
        auto control = make_control(entry.id, t);
        if (!control) return false;
        ControlPlace place;
        place.parent = window.hwnd();
        place.os_id = os_id;
        place.rect = {t.left, t.top, t.left + t.width, t.top + t.height};
        place.style = (t.tab_stop ? WS_TABSTOP : 0) | (t.disabled ? WS_DISABLED : 0);
        if (!control->create(place)) return false;
        controls[i - 1] = std::move(control);
    }
    // Controls inside another control move into it.
    for (std::size_t i = 1; i < count; ++i) {
        const ControlTemplate& t = entry.controls[i];
        if (t.parent == 0) continue;
        if (Control* container = window.control(t.parent)) SetParent(controls[i - 1]->hwnd(), container->hwnd());
    }
    // An earlier control lies above a later one.
    HWND above = HWND_TOP;
    for (auto& c : controls) {
        SetWindowPos(c->hwnd(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = c->hwnd();
    }
    return true;
}

void restore_template(WindowEntry& entry) {
    if (!entry.kept.empty()) entry.controls = std::move(entry.kept);
    entry.kept.clear();
}

}  // namespace

bool build_window(WindowEntry& entry, HWND parent, bool modal) {
    if (entry.loaded()) {
        HWND hwnd = entry.live->hwnd();
        if (IsIconic(hwnd)) ShowWindow(hwnd, SW_RESTORE);
        else SetActiveWindow(hwnd);
        return true;
    }
    if (parent && !IsWindow(parent)) return false;
    if (modal) parent = nullptr;
    host().build_failure = {};

    pump_waiting_messages();
    {
        SuppressEvents quiet;
        entry.kept = entry.controls;
        const ControlTemplate& window_template = entry.controls.front();
        auto data = read_kind_data(window_template.kind, window_template.kind_data);
        if (!data || !std::holds_alternative<WindowData>(*data)) {
            restore_template(entry);
            return false;
        }
        entry.live.reset(new HostWindow(entry, std::get<WindowData>(std::move(*data))));
        HostWindow& window = *entry.live;
        window.modal = modal;
        if (!window.create(parent)) {
            entry.live.reset();
            restore_template(entry);
            return false;
        }
        if (!create_controls(window)) {
            DestroyWindow(window.hwnd());  // window_destroyed() puts the template back
            return false;
        }
        for (auto& c : window.controls()) c->build_complete();
        sound::start(window.data().background_sound, static_cast<std::int32_t>(window.data().sound_play_mode));
        for (std::size_t i = 1; i < entry.controls.size(); ++i) {
            Control& c = *window.controls()[i - 1];
            const bool show = entry.controls[i].visible && c.visible_at_run_time();
            ShowWindow(c.hwnd(), show ? SW_SHOWNA : SW_HIDE);
        }
        pump_waiting_messages();
    }

    // Every event and every show below may run routines that close the
    // window, or close it and load it anew (that load then did all the rest):
    // after each, the build goes on only with the very window it built.
    HostWindow* const built = entry.live.get();
    const auto still_built = [&] { return entry.live.get() == built && IsWindow(built->hwnd()); };
    if (!still_built()) return true;  // closed by a message waiting in the build
    const std::uint32_t window_id = entry.id;
    raise_event(window_id, kTheWindow, event::window::kCreated);
    if (still_built()) raise_event(window_id, kTheWindow, event::window::kMoved);
    if (still_built()) raise_event(window_id, kTheWindow, event::window::kResized);
    if (!still_built()) return true;

    HostWindow& window = *built;
    const bool shown = entry.controls.front().visible;
    if (shown) window.show_by_start_position();
    if (!still_built()) return true;

    if (modal) {
        for (auto& other : host().windows) {
            if (&other == &entry || !other.loaded() || !IsWindowEnabled(other.live->hwnd())) continue;
            EnableWindow(other.live->hwnd(), FALSE);
            window.disabled_by_modal.push_back(other.live->hwnd());
        }
    }
    HWND focus = GetFocus();
    for (auto& c : window.controls()) c->window_shown();
    if (!still_built()) return true;
    if (focus && IsWindow(focus) && GetFocus() != focus) SetFocus(focus);
    // Every window, shown or not, is marked; the load window command takes
    // the mark off a window it loaded visible, the start window keeps it.
    window.waiting_for_first_show = true;
    return true;
}

void window_destroyed(WindowEntry& entry) {
    if (entry.live) {
        sound::stop(entry.live->data().background_sound);
        for (HWND other : entry.live->disabled_by_modal)
            if (IsWindow(other)) EnableWindow(other, TRUE);
    }
    entry.live.reset();
    restore_template(entry);
    HostState& h = host();
    if (h.loop_started && !h.any_window_loaded()) PostQuitMessage(0);
}

}  // namespace formhost::win32
