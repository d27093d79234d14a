#include "formhost/core/event_indexes.h"
#include "formhost/core/property_indexes.h"
#include "formhost/win32/controls/control.h"
#include "formhost/win32/controls/kinds.h"
#include "formhost/win32/system/fatal_error.h"
#include "formhost/win32/system/window_class.h"

namespace formhost::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;

// A timer is a hidden window of its own that receives the system's timer
// messages: the system keeps at most one waiting, so a routine that runs
// longer than the period causes no backlog.
class Timer : public Control {
public:
    using Control::Control;

    ~Timer() override {
        if (hwnd_) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    }

    bool create(const ControlPlace& place) override {
        const wchar_t* cls = own_window_class(L"FormHostTimer", procedure);
        // Never shown, but placed as its description says: its left, top,
        // width and height read as those of any other control.
        const RECT& r = place.rect;
        HWND hwnd = CreateWindowExW(0, cls, L"", WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                    place.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.os_id)),
                                    GetModuleHandleW(nullptr), nullptr);
        if (!hwnd) return note_failure("CreateWindowExW");
        attach(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        restart(std::max(period(), 0));
        return true;
    }

    bool visible_at_run_time() const override { return false; }
    bool takes_focus() const override { return false; }

protected:
    bool apply(int index) override {
        if (index != property::timer::kPeriod) return false;
        const std::int32_t wanted = std::max(period(), 0);
        period() = wanted;
        // The same period again keeps the timer's rhythm.
        if (wanted != running_) restart(wanted);
        return false;
    }

private:
    std::int32_t& period() { return std::get<TimerData>(data_).period; }

    void restart(std::int32_t new_period) {
        KillTimer(hwnd_, kTimerId);
        running_ = new_period;
        if (new_period > 0) SetTimer(hwnd_, kTimerId, static_cast<UINT>(new_period), nullptr);
    }

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
        try {
            if (message == WM_TIMER && wparam == kTimerId) {
                if (auto* self = reinterpret_cast<Timer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
                    self->raise(event::timer::kTick);
                return 0;
            }
            return DefWindowProcW(hwnd, message, wparam, lparam);
        } catch (...) {
            fatal_error_from_exception();
        }
    }

    std::int32_t running_ = 0;
};

}  // namespace

std::unique_ptr<Control> make_timer(std::uint32_t window_id, std::uint32_t id, KindData data) {
    return std::make_unique<Timer>(window_id, id, std::move(data));
}

}  // namespace formhost::win32
