#include "formhost/win32/controls/control.h"

#include "formhost/core/property_access.h"
#include "formhost/win32/state/events.h"

namespace formhost::win32 {

Control::Control(std::uint32_t window_id, std::uint32_t control_id, KindData data)
    : data_(std::move(data)), window_id_(window_id), id_(control_id) {}

Control::~Control() {
    if (hwnd_) host().controls_by_hwnd.erase(hwnd_);
}

void Control::attach(HWND hwnd) {
    hwnd_ = hwnd;
    host().controls_by_hwnd[hwnd] = this;
}

bool Control::raise(std::int32_t event, std::initializer_list<std::int32_t> arguments) const {
    HWND own = hwnd_;
    raise_event(window_id_, id_, event, arguments);
    // Looked up by the handle, since this object may be gone.
    const auto found = host().controls_by_hwnd.find(own);
    return IsWindow(own) && found != host().controls_by_hwnd.end() && found->second == this;
}

std::optional<Value> Control::read_property(int index) {
    sync_from_window();
    return read_property_field(data_, index);
}

bool Control::write_property(int index, const Value& value) {
    if (!write_property_field(data_, index, value)) return false;
    return apply(index);
}

Bytes Control::read_all_properties() {
    sync_from_window();
    return write_kind_data(data_);
}

}  // namespace formhost::win32
