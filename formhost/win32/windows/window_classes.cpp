#include "formhost/win32/windows/window_classes.h"

#include <set>

#include "formhost/win32/controls/control.h"
#include "formhost/core/window_class_names.h"
#include "formhost/win32/system/text_encoding.h"
#include "formhost/win32/program/host_state.h"
#include "formhost/win32/windows/host_window.h"

namespace formhost::win32 {
namespace {

constexpr wchar_t kDefaultClass[] = L"FormHostWindow";

bool register_class(const std::wstring& name, WNDPROC procedure, UINT style) {
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

// A class the system or somebody else in the process has registered under
// that name makes windows the host never hears of.
bool taken_by_another_class(const std::wstring& name) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    return GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &existing) &&
           existing.lpfnWndProc != HostWindow::procedure;
}

}  // namespace

std::wstring host_window_class(const std::string& requested) {
    std::wstring name = requested.empty() || reserved_window_class_name(requested) ? std::wstring() : widen(requested);
    if (name.empty() || taken_by_another_class(name)) name = kDefaultClass;
    // A resize repaints the whole window: a centred or stretched background
    // picture moves with the size.
    return register_class(name, HostWindow::procedure, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW) ? name : std::wstring();
}

const wchar_t* control_window_class(const wchar_t* name, WNDPROC procedure) {
    return register_class(name, procedure, CS_DBLCLKS) ? name : nullptr;
}

}  // namespace formhost::win32
