#pragma once
// A control kind that paints itself in a window class of the host's own.

#include "formhost/win32/controls/control.h"

namespace formhost::win32 {

class PaintedControl : public Control {
public:
    using Control::Control;
    ~PaintedControl() override;

protected:
    // Creates the window of class `class_name` with extra frame styles.
    bool create_window(const ControlPlace& place, const wchar_t* class_name, DWORD style, DWORD ex_style);
    virtual void paint(HDC dc, const RECT& area) = 0;
    // Messages other than painting; return false to leave them to the system.
    virtual bool handle(UINT /*message*/, WPARAM /*wparam*/, LPARAM /*lparam*/, LRESULT& /*result*/) { return false; }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
};

}  // namespace formhost::win32
