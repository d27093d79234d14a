#pragma once
// The window styles that draw a control's frame by its border style.

#include <windows.h>

#include <cstdint>

#include "formhost/core/choices.h"

namespace formhost::win32 {

// Frames of edit boxes and picture boxes by border style 0 to 5.
struct FrameStyles {
    DWORD style = 0;
    DWORD ex_style = 0;
};

inline FrameStyles frame_styles(std::uint32_t border_style) {
    switch (border_style) {
        case choice::control_border::kSunken: return {0, WS_EX_CLIENTEDGE};
        case choice::control_border::kRaised: return {0, WS_EX_DLGMODALFRAME};
        case choice::control_border::kThinSunken: return {0, WS_EX_STATICEDGE};
        case choice::control_border::kSunkenRaised: return {0, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME};
        case choice::control_border::kBlackLine: return {WS_BORDER, 0};
        default: return {};
    }
}

// Changes the frame of an existing control in place.
inline void apply_frame_styles(HWND hwnd, std::uint32_t border_style) {
    constexpr DWORD kFrameBits = WS_BORDER;
    constexpr DWORD kFrameExBits = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
    const FrameStyles f = frame_styles(border_style);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto ex = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>((style & ~kFrameBits) | f.style));
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>((ex & ~kFrameExBits) | f.ex_style));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

}  // namespace formhost::win32
