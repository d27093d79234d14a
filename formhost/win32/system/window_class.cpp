#include "formhost/win32/system/window_class.h"

#include <set>

namespace formhost::win32 {

bool register_window_class(const std::wstring& name, WNDPROC procedure, UINT style) {
    static std::set<std::wstring> registered;
    if (registered.contains(name)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The program's own icon, where it carries one.
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = name.c_str();
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    registered.insert(name);
    return true;
}

const wchar_t* own_window_class(const wchar_t* name, WNDPROC procedure) {
    return register_window_class(name, procedure, CS_DBLCLKS) ? name : nullptr;
}

}  // namespace formhost::win32
