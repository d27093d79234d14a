#pragma once
// Move-only owners of what the picture engine holds besides the brushes and
// bitmaps of gdi_objects.h: memory DCs, icons, 32-bit DIB sections with
// their pixel memory, and the player threads' kernel handles. The raw handle
// only through get(); nothing converts implicitly.

#include <windows.h>

#include <cstdint>
#include <utility>

#include "formhost/win32/gdi_objects.h"

namespace formhost::win32 {

// A memory DC compatible with `like` (the screen when null).
class MemoryDC {
public:
    explicit MemoryDC(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDC() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

class UniqueIcon {
public:
    UniqueIcon() = default;
    explicit UniqueIcon(HICON h) : h_(h) {}
    UniqueIcon(UniqueIcon&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    UniqueIcon& operator=(UniqueIcon&& other) noexcept {
        reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    ~UniqueIcon() { reset(); }
    void reset(HICON h = nullptr) {
        if (h_) DestroyIcon(h_);
        h_ = h;
    }
    HICON get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HICON h_ = nullptr;
};

// An event or thread handle, closed with CloseHandle.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    ~UniqueHandle() { reset(); }
    void reset(HANDLE h = nullptr) {
        if (h_) CloseHandle(h_);
        h_ = h;
    }
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HANDLE h_ = nullptr;
};

// A 32-bit top-down DIB section: GDI draws from it like any bitmap, and its
// pixels (0xAARRGGBB, rows top-down, no padding) are written in memory
// directly, so no DC is needed to fill it.
struct DibSection {
    UniqueBitmap bitmap;
    std::uint32_t* pixels = nullptr;  // owned by the bitmap
    int width = 0;
    int height = 0;

    explicit operator bool() const { return static_cast<bool>(bitmap); }
    std::size_t count() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }
};

// An empty section (false) when a side is not positive or the system refuses.
DibSection make_dib_section(int width, int height);

}  // namespace formhost::win32
