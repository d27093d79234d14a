#include "formhost/win32/windows/host_window_class.h"

#include "formhost/core/window_class_names.h"
#include "formhost/win32/system/text_encoding.h"
#include "formhost/win32/system/window_class.h"
#include "formhost/win32/windows/host_window.h"

namespace formhost::win32 {
namespace {

constexpr wchar_t kDefaultClass[] = L"FormHostWindow";

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
    return register_window_class(name, HostWindow::procedure, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW) ? name
                                                                                                    : std::wstring();
}

}  // namespace formhost::win32
