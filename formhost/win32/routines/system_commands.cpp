#include "formhost/win32/routines/system_commands.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/text_encoding.h"

namespace formhost {

using win32::widen;

int message_box(const std::string& text, unsigned flags, const std::string& caption) {
    // Task-modal: the program's own windows take no input while it is open.
    if (!(flags & MB_SYSTEMMODAL)) flags |= MB_TASKMODAL;
    switch (MessageBoxW(nullptr, widen(text).c_str(), widen(caption).c_str(), flags)) {
        case IDCANCEL: return 1;
        case IDABORT: return 2;
        case IDRETRY: return 3;
        case IDIGNORE: return 4;
        case IDYES: return 5;
        case IDNO: return 6;
        default: return 0;
    }
}

bool run_command_line(const std::string& command_line, bool wait, int show_mode) {
    // In the order of the show modes, from choice::show_mode::kHidden.
    static constexpr WORD kShowValues[] = {SW_HIDE,          SW_SHOWNORMAL,     SW_SHOWMINIMIZED,
                                           SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_MINIMIZE};
    show_mode = std::clamp(show_mode, choice::show_mode::kHidden, choice::show_mode::kMinimisedNotActivated);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = kShowValues[show_mode - choice::show_mode::kHidden];
    PROCESS_INFORMATION process{};
    std::wstring line = widen(command_line);  // CreateProcessW may write into it
    line.push_back(L'\0');
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    const win32::UniqueHandle thread(process.hThread), started(process.hProcess);
    if (wait) WaitForSingleObject(started.get(), INFINITE);
    else WaitForInputIdle(started.get(), 1000);
    return true;
}

void open_address(const std::string& address) {
    HWND owner = FindWindowExW(nullptr, nullptr, nullptr, L"Microsoft Internet Explorer");
    ShellExecuteW(owner, L"open", widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace formhost
