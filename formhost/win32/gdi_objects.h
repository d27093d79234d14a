#pragma once
// Move-only owners of GDI objects and device contexts.

#include <windows.h>

#include <utility>

#include "formhost/core/byte_io.h"
#include "unique_handle.h"

namespace formhost::win32 {

using UniqueFont = GdiObject<HFONT>;
using UniqueBrush = GdiObject<HBRUSH>;
using UniqueBitmap = GdiObject<HBITMAP>;

// A window's DC, released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// An object selected into a DC for a scope; the previous one comes back.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectObjectScope() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The whole state of a DC (objects, colours, modes, clipping) for a scope;
// it comes back as it was at the end.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDC() { RestoreDC(dc_, saved_); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A font from a stored 60-byte font record (its face name GBK); empty bytes
// or a malformed record give no font, meaning the default GUI font.
UniqueFont make_font(const Bytes& record, bool edit_box_adjustments = false);

// A stored colour, with 0xFF000000 meaning the given system colour.
COLORREF resolve_colour(std::uint32_t colour, int default_system_colour);

}  // namespace formhost::win32
