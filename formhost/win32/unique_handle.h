#pragma once
// One move-only owner for every kind of system handle the host keeps: the
// raw handle only through get(), no copies, no implicit conversions, and the
// kind's own release call when the owner goes.

#include <windows.h>

#include <utility>

namespace formhost::win32 {

template <class Handle, auto Release> class Unique {
public:
    Unique() = default;
    explicit Unique(Handle h) : h_(h) {}
    Unique(Unique&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    Unique& operator=(Unique&& other) noexcept {
        reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    ~Unique() { reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    void reset(Handle h = nullptr) {
        if (h_) Release(h_);
        h_ = h;
    }
    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    Handle h_ = nullptr;
};

inline void close_kernel_handle(HANDLE h) { CloseHandle(h); }
inline void delete_gdi_object(HGDIOBJ h) { DeleteObject(h); }
inline void destroy_icon(HICON h) { DestroyIcon(h); }

// An event, semaphore or thread handle.
using UniqueHandle = Unique<HANDLE, close_kernel_handle>;
using UniqueIcon = Unique<HICON, destroy_icon>;
template <class Handle> using GdiObject = Unique<Handle, delete_gdi_object>;

}  // namespace formhost::win32
