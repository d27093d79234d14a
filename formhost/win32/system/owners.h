#pragma once
// Every owner of a system resource that the host and the programs hold: a
// handle, a DC, a selection into a DC, a library, the wave output, OLE, a
// held lock, a thread of the host's own. Each is move-only where it can move,
// gives the raw handle only through get(), converts to nothing implicitly,
// and releases with the kind's own call when it goes. No other file releases
// a system resource by hand.

#include <windows.h>
// after windows.h, which it depends on
#include <mmsystem.h>
#include <ole2.h>

#include <utility>

#include "formhost/win32/system/fatal_error.h"

namespace formhost::win32 {

// A handle that is null when there is none; Release frees a non-null one.
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
inline void delete_dc(HDC h) { DeleteDC(h); }
inline void free_library(HMODULE h) { FreeLibrary(h); }
// Closing is the last step of an ordered shutdown (reset, unprepare, close)
// that a wave player does itself; this is the safety net for the paths
// where nothing was queued.
inline void close_wave_out(HWAVEOUT h) {
    waveOutReset(h);
    waveOutClose(h);
}

// An event, semaphore, thread or process handle.
using UniqueHandle = Unique<HANDLE, close_kernel_handle>;
using UniqueIcon = Unique<HICON, destroy_icon>;
template <class Handle> using GdiObject = Unique<Handle, delete_gdi_object>;
using UniqueFont = GdiObject<HFONT>;
using UniqueBrush = GdiObject<HBRUSH>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueLibrary = Unique<HMODULE, free_library>;
using UniqueWaveOut = Unique<HWAVEOUT, close_wave_out>;

// A memory DC compatible with `like` (the screen when null).
class MemoryDC {
public:
    explicit MemoryDC(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
    HDC get() const { return dc_.get(); }
    explicit operator bool() const { return static_cast<bool>(dc_); }

private:
    Unique<HDC, delete_dc> dc_;
};

// A file, whose "none" is INVALID_HANDLE_VALUE rather than null. Closing can
// fail (the system may report a deferred write error there), so close()
// says whether it did.
class UniqueFile {
public:
    explicit UniqueFile(HANDLE h) : h_(h) {}
    ~UniqueFile() { close(); }
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close() {
        const bool ok = !valid() || CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

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

// A slim reader/writer lock, the host's one kind of lock, held for a scope
// by one thread alone or shared with other readers.
class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};

class SharedLock {
public:
    explicit SharedLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockShared(&lock_); }
    ~SharedLock() { ReleaseSRWLockShared(&lock_); }
    SharedLock(const SharedLock&) = delete;
    SharedLock& operator=(const SharedLock&) = delete;

private:
    SRWLOCK& lock_;
};

// How a thread of the host's own is made: CreateThread, suspended, but for
// the test that has the system refuse it.
using ThreadStarter = HANDLE (*)(LPTHREAD_START_ROUTINE entry, void* parameter, DWORD* id);
inline HANDLE start_suspended_thread(LPTHREAD_START_ROUTINE entry, void* parameter, DWORD* id) {
    return CreateThread(nullptr, 0, entry, parameter, CREATE_SUSPENDED, id);
}

// A thread of the host's own: the screen hand-over, a GIF player, a wave
// player's worker. Its body gets a stop event (manual reset) to watch
// between two steps of its work; ask_to_stop() sets it and wait() waits for
// the thread's end, at most a given time and never for a thread inside a
// fatal error (it will not run on, and may itself wait for the program's
// end). Whatever the body throws becomes the fatal error, since no exception
// may cross back into the system. Dropping the owner neither stops the
// thread nor waits for it: whoever started it stops it first, or leaves it
// to the process's end when it does not end in time.
class HostThread {
public:
    using Body = void (*)(void* context, HANDLE stop);

    HostThread() = default;
    HostThread(const HostThread&) = delete;
    HostThread& operator=(const HostThread&) = delete;

    // Runs `body(context, stop)` on a new thread; false when the system
    // refuses the event or the thread. The thread begins only once this
    // owner holds it, so a body may end, and free its owner, at once.
    bool start(Body body, void* context, ThreadStarter starter = &start_suspended_thread) {
        body_ = body;
        context_ = context;
        stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (!stop_) return false;
        DWORD id = 0;
        HANDLE thread = starter(&HostThread::entry, this, &id);
        if (!thread) return false;
        thread_.reset(thread);
        id_ = id;
        ResumeThread(thread);
        return true;
    }

    bool started() const { return static_cast<bool>(thread_); }
    HANDLE get() const { return thread_.get(); }

    void ask_to_stop() const {
        if (stop_) SetEvent(stop_.get());
    }

    // True when the thread has ended, or will never run on, within
    // `limit_ms`; also when none was started. A thread cannot wait for its
    // own end: false.
    bool wait(DWORD limit_ms) const {
        if (!thread_) return true;
        if (GetCurrentThreadId() == id_) return false;
        return join_thread(thread_.get(), limit_ms);
    }

    // ask_to_stop() and wait().
    bool stop(DWORD limit_ms) const {
        ask_to_stop();
        return wait(limit_ms);
    }

    // Lets go of an ended thread's handles: started() is false after.
    void forget() {
        thread_.reset();
        stop_.reset();
        id_ = 0;
    }

private:
    static DWORD WINAPI entry(void* parameter) {
        const auto* self = static_cast<const HostThread*>(parameter);
        try {
            // Nothing of the owner is touched after the body: it may be gone.
            self->body_(self->context_, self->stop_.get());
        } catch (...) {
            fatal_error_from_exception();
        }
        return 0;
    }

    Body body_ = nullptr;
    void* context_ = nullptr;
    UniqueHandle stop_;
    UniqueHandle thread_;
    DWORD id_ = 0;
};

// OLE for the thread that made it, from the host's start to its end.
class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialised_;
};

}  // namespace formhost::win32
