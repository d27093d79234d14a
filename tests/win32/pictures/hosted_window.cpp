#include "hosted_window.h"

#include <algorithm>

#include "formhost/win32/controls/control.h"
#include "formhost/win32/windows/host_window.h"
#include "formhost/win32/windows/window_builder.h"

namespace picture_tests {
namespace {

using namespace formhost;
using namespace formhost::win32;

constexpr std::uint32_t kFirstWindowId = 0x52700001;
std::uint32_t next_window_id = kFirstWindowId;

ControlTemplate make_template(std::uint32_t id, const KindData& data, const RECT& r) {
    ControlTemplate t;
    t.id = id;
    t.kind = static_cast<std::uint32_t>(kind_of(data));
    t.left = r.left;
    t.top = r.top;
    t.width = r.right - r.left;
    t.height = r.bottom - r.top;
    t.kind_data = write_kind_data(data);
    return t;
}

}  // namespace

HostedWindow::HostedWindow(WindowData window, RECT rect, std::vector<ControlSpec> controls) : id_(next_window_id++) {
    window.border_style = 0;
    window.start_position = 0;
    WindowEntry entry;
    entry.id = id_;
    entry.controls.push_back(make_template(0x06700000, KindData{std::move(window)}, rect));
    std::uint32_t control_id = 1;
    for (const ControlSpec& c : controls) entry.controls.push_back(make_template(control_id++, c.data, c.rect));
    // HostWindow keeps a reference to its entry: the table must not move.
    auto& windows = host().windows;
    if (windows.capacity() < 64) windows.reserve(64);
    windows.push_back(std::move(entry));
    build_window(windows.back(), nullptr, false);
    repaint();
}

HostedWindow::~HostedWindow() {
    destroy();
    std::erase_if(host().windows, [this](const WindowEntry& e) { return e.id == id_; });
}

WindowEntry& HostedWindow::entry() const { return *host().find_window(id_); }
bool HostedWindow::loaded() const { return entry().loaded(); }
HostWindow& HostedWindow::live() const { return *entry().live; }
HWND HostedWindow::hwnd() const { return loaded() ? live().hwnd() : nullptr; }

HWND HostedWindow::control_hwnd(std::uint32_t id) const {
    Control* c = loaded() ? live().control(id) : nullptr;
    return c ? c->hwnd() : nullptr;
}

void HostedWindow::write_window_property(int index, const Value& value) const { live().write_property(index, value); }

void HostedWindow::write_control_property(std::uint32_t id, int index, const Value& value) const {
    live().control(id)->write_property(index, value);
}

void HostedWindow::repaint() const {
    if (loaded()) RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void HostedWindow::destroy() const {
    if (loaded()) DestroyWindow(hwnd());
}

}  // namespace picture_tests
