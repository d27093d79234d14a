#pragma once
// F1 on a window (window properties 23 to 25): its help file opened at its
// help id with the system's help viewer.

#include <windows.h>

#include "formhost/core/kind_data.h"

namespace formhost::win32 {

// How the help file is opened: the system's help viewer (WinHelpW) unless a
// test puts its own in place.
using HelpViewer = BOOL(WINAPI*)(HWND window, const wchar_t* file, UINT command, ULONG_PTR data);
void set_help_viewer(HelpViewer viewer);

// When F1 opens help on the window and its help file exists, opens the file
// at the help id (0: its contents) and gives true; otherwise does nothing
// and gives false, so the key goes on as any other.
bool open_window_help(HWND window, const WindowData& data);

}  // namespace formhost::win32
