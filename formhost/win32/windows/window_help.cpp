#include "formhost/win32/windows/window_help.h"

#include "formhost/win32/system/text_encoding.h"

namespace formhost::win32 {
namespace {

BOOL WINAPI system_help_viewer(HWND window, const wchar_t* file, UINT command, ULONG_PTR data) {
    return WinHelpW(window, file, command, data);
}

HelpViewer help_viewer = system_help_viewer;

bool is_file(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void set_help_viewer(HelpViewer viewer) { help_viewer = viewer ? viewer : system_help_viewer; }

bool open_window_help(HWND window, const WindowData& data) {
    if (!data.f1_opens_help || data.help_file_name.empty()) return false;
    const std::wstring file = widen(data.help_file_name);
    if (!is_file(file)) return false;
    if (data.help_id == 0) help_viewer(window, file.c_str(), HELP_CONTENTS, 0);
    else
        help_viewer(window, file.c_str(), HELP_CONTEXT,
                    static_cast<ULONG_PTR>(static_cast<std::uint32_t>(data.help_id)));
    return true;
}

}  // namespace formhost::win32
