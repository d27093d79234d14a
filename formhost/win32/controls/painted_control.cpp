#include "formhost/win32/controls/painted_control.h"

#include "formhost/win32/system/fatal_error.h"
#include "formhost/win32/system/window_class.h"

namespace formhost::win32 {

PaintedControl::~PaintedControl() {
    if (hwnd_ && IsWindow(hwnd_)) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

bool PaintedControl::create_window(const ControlPlace& place, const wchar_t* class_name, DWORD style, DWORD ex_style) {
    const wchar_t* cls = own_window_class(class_name, procedure);
    const RECT& r = place.rect;
    HWND hwnd = CreateWindowExW(ex_style, cls, L"", WS_CHILD | WS_CLIPSIBLINGS | style | place.style, r.left, r.top,
                                r.right - r.left, r.bottom - r.top, place.parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.os_id)), GetModuleHandleW(nullptr),
                                nullptr);
    if (!hwnd) return note_failure("CreateWindowExW");
    attach(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

LRESULT CALLBACK PaintedControl::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<PaintedControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
    try {
        if (message == WM_ERASEBKGND) return 1;  // paint() covers the whole area
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            self->paint(dc, ps.rcPaint);
            EndPaint(hwnd, &ps);
            return 0;
        }
        LRESULT result = 0;
        if (self->handle(message, wparam, lparam, result)) return result;
    } catch (...) {
        fatal_error_from_exception();
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace formhost::win32
