#pragma once
// Move-only owners of the kernel and wave-output handles the sound players
// hold. The raw handle is reached only through get(); nothing converts
// implicitly, so a handle cannot outlive its owner by accident.

#include <windows.h>
// after windows.h, which it depends on
#include <mmsystem.h>

#include <utility>

namespace formhost::win32::sound {

// An event, semaphore or thread handle, closed with CloseHandle.
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

// An open wave output device. Closing is the last step of an ordered
// shutdown (reset, unprepare, close) that the player does itself; the
// destructor is the safety net for the paths where nothing was queued.
class UniqueWaveOut {
public:
    UniqueWaveOut() = default;
    explicit UniqueWaveOut(HWAVEOUT h) : h_(h) {}
    UniqueWaveOut(UniqueWaveOut&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    UniqueWaveOut& operator=(UniqueWaveOut&& other) noexcept {
        reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    ~UniqueWaveOut() { reset(); }

    void reset(HWAVEOUT h = nullptr) {
        if (h_) {
            waveOutReset(h_);
            waveOutClose(h_);
        }
        h_ = h;
    }
    HWAVEOUT get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HWAVEOUT h_ = nullptr;
};

}  // namespace formhost::win32::sound
