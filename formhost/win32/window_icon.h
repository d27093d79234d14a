#pragma once
// A window's own icon (window property 20), as its large and its small icon.
// Without one the window shows the program's icon, which the window class
// carries.

#include <windows.h>

#include "formhost/core/byte_io.h"
#include "owners.h"

namespace formhost::win32 {

class WindowIcons {
public:
    // Gives `hwnd` the icons of `icon_file` (an ICO or CUR file), made at the
    // sizes the system shows them at; an empty or unreadable file gives the
    // program's icon back.
    void apply(HWND hwnd, ByteView icon_file);

private:
    UniqueIcon large_;
    UniqueIcon small_;
};

}  // namespace formhost::win32
