#pragma once
// A loaded window: its OS window, its window-kind properties and its live
// controls.

#include <windows.h>

#include <memory>
#include <vector>

#include "formhost/core/kind_data.h"
#include "formhost/win32/controls/control.h"
#include "formhost/win32/media/backgrounds.h"
#include "formhost/win32/state/host_state.h"
#include "formhost/win32/windows/window_icon.h"

namespace formhost::win32 {

class HostWindow {
public:
    HostWindow(WindowEntry& entry, WindowData data);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // Creates the OS window, owned by `owner` if given.
    bool create(HWND owner);

    HWND hwnd() const { return hwnd_; }
    std::uint32_t id() const { return entry_.id; }
    WindowEntry& entry() { return entry_; }
    const WindowData& data() const { return std::get<WindowData>(data_); }

    std::vector<std::unique_ptr<Control>>& controls() { return controls_; }
    Control* control(std::uint32_t id);

    std::optional<Value> read_property(int index) const;
    void write_property(int index, const Value& value);
    Bytes read_all_properties() const { return write_kind_data(data_); }

    // Shows the window according to its start position: minimised,
    // maximised, or normally.
    void show_by_start_position();
    void focus_first_control();

    bool waiting_for_first_show = false;
    bool modal = false;
    std::vector<HWND> disabled_by_modal;

    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

private:
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    bool has_resizable_border() const;
    void apply_frame();
    void apply_start_position();
    void apply_always_on_top();
    void apply_movable();
    void apply_task_bar_owner();
    void paint_background(HDC dc);
    Control* control_for(HWND hwnd);

    WindowData& window_data() { return std::get<WindowData>(data_); }

    WindowEntry& entry_;
    KindData data_;  // always window data
    HWND hwnd_ = nullptr;
    HWND given_owner_ = nullptr;  // the parent window it was loaded with, if any
    HWND remembered_focus_ = nullptr;
    WindowIcons icons_;
    std::vector<std::unique_ptr<Control>> controls_;
    // The background picture (property 11), decoded at the first paint.
    std::unique_ptr<Picture> background_picture_;
    bool background_decoded_ = false;
};

// Style bits of a window for its border style and caption-bar rule.
struct WindowStyles {
    DWORD style = 0;
    DWORD ex_style = 0;
};
WindowStyles window_styles(const WindowData& data);

}  // namespace formhost::win32
