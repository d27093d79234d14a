#pragma once
// A window of the form host built inside the test program from templates the
// test writes, through the same window building a program's forms use.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "formhost/core/kind_data.h"
#include "formhost/win32/state/host_state.h"

namespace picture_tests {

struct ControlSpec {
    formhost::KindData data;
    RECT rect;
};

class HostedWindow {
public:
    // A borderless window at (left, top), so that client and window agree,
    // shown at once. Controls get ids 1, 2, ... in the order given.
    HostedWindow(formhost::WindowData window, RECT rect, std::vector<ControlSpec> controls = {});
    ~HostedWindow();
    HostedWindow(const HostedWindow&) = delete;
    HostedWindow& operator=(const HostedWindow&) = delete;

    bool loaded() const;
    std::uint32_t id() const { return id_; }
    HWND hwnd() const;
    HWND control_hwnd(std::uint32_t id) const;
    formhost::win32::HostWindow& live() const;
    void write_window_property(int index, const formhost::Value& value) const;
    void write_control_property(std::uint32_t id, int index, const formhost::Value& value) const;
    // Paints everything now, the controls included.
    void repaint() const;
    void destroy() const;

private:
    formhost::win32::WindowEntry& entry() const;
    std::uint32_t id_;
};

}  // namespace picture_tests
