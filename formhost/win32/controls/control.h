#pragma once
// A live control: the OS window of one control of a loaded window, with its
// kind-specific property values.

#include <windows.h>

#include <memory>
#include <optional>

#include "formhost/core/kind_data.h"
#include "formhost/core/value.h"
#include "formhost/win32/state/host_state.h"

namespace formhost::win32 {

struct ControlPlace {
    HWND parent = nullptr;  // the window's OS window
    int os_id = 0;
    RECT rect{};      // in the window's client coordinates
    DWORD style = 0;  // WS_TABSTOP / WS_DISABLED from the template flags
};

class Control {
public:
    Control(std::uint32_t window_id, std::uint32_t control_id, KindData data);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Makes the OS window; false on failure.
    virtual bool create(const ControlPlace& place) = 0;

    // Kind-specific properties by property index (8 and above).
    virtual std::optional<Value> read_property(int index);
    // Stores the value and applies it; true when the control must be
    // re-created for it to take effect.
    bool write_property(int index, const Value& value);
    // The current values in description form, to re-create the control.
    virtual Bytes read_all_properties();

    virtual void build_complete() {}
    virtual void window_shown() {}
    // A notification the control sent to its window (WM_COMMAND).
    virtual void on_command(WORD /*code*/) {}
    // WM_CTLCOLOR* for the control; null for the system's default.
    virtual HBRUSH colours(HDC /*dc*/) { return nullptr; }

    // Whether the focus rule may choose it: every kind but labels, picture
    // boxes and timers.
    virtual bool takes_focus() const { return true; }
    // False while the text the user gave the control holds what no host text
    // can carry (a lone surrogate half pasted into an edit box): reading it
    // then gives less than the control shows.
    virtual bool text_is_whole() { return true; }
    virtual bool visible_at_run_time() const { return true; }

    HWND hwnd() const { return hwnd_; }
    std::uint32_t window_id() const { return window_id_; }
    std::uint32_t id() const { return id_; }
    Kind kind() const { return kind_of(data_); }
    const KindData& data() const { return data_; }

protected:
    // Pushes a changed property to the OS window; true to ask for re-creation.
    virtual bool apply(int /*index*/) { return false; }
    // Brings values the user can change (an edit box's text) into data_.
    virtual void sync_from_window() {}
    // Records the OS window so that notifications find this control.
    void attach(HWND hwnd);
    // Raises one of this control's events. False when the routine closed the
    // window and with it this control: the caller must not touch it any more.
    bool raise(std::int32_t event, std::initializer_list<std::int32_t> arguments = {}) const;

    KindData data_;
    HWND hwnd_ = nullptr;

private:
    std::uint32_t window_id_;
    std::uint32_t id_;
};

// The control of a kind from its description's kind data; null when the data
// cannot be read (too new a version, cut short) or the kind is not a control.
std::unique_ptr<Control> make_control(std::uint32_t window_id, const ControlTemplate& tmpl);
std::unique_ptr<Control> make_control(std::uint32_t window_id, std::uint32_t id, std::uint32_t kind,
                                      const Bytes& kind_data);

}  // namespace formhost::win32
