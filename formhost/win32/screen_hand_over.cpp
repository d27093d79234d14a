#include "screen_hand_over.h"

#include <windows.h>

#include <atomic>
#include <memory>

#include "host_state.h"
#include "unique_handle.h"

namespace formhost::win32 {
namespace {

// Drawing waits at most this long before its hand-over begins; the
// hand-over itself takes up to about 5 ms, so every drawing is on the
// screen within 50 ms of its call.
constexpr double kHandOverDelay = 40;

double now_ms() {
    static const double ticks_per_ms = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / ticks_per_ms;
}

class HandOverThread {
public:
    HandOverThread() {
        thread_.reset(CreateThread(nullptr, 0, &HandOverThread::entry, this, 0, nullptr));
    }

    ~HandOverThread() {
        SetEvent(stop_.get());
        if (thread_) WaitForSingleObject(thread_.get(), INFINITE);
    }

    HandOverThread(const HandOverThread&) = delete;
    HandOverThread& operator=(const HandOverThread&) = delete;

    void drawn() {
        double expected = 0;
        if (pending_since_.compare_exchange_strong(expected, now_ms())) SetEvent(pending_.get());
    }

    void before_wait(int milliseconds) {
        const double since = pending_since_.load();
        if (since != 0 && since + kHandOverDelay <= now_ms() + milliseconds) SetEvent(urgent_.get());
    }

    HandOverFigures figures() const { return {hand_overs_.load(), longest_wait_ms_.load()}; }

private:
    static DWORD WINAPI entry(void* self) noexcept {
        static_cast<HandOverThread*>(self)->run();
        return 0;
    }

    void run() noexcept {
        const HANDLE until_pending[] = {stop_.get(), pending_.get()};
        const HANDLE until_due[] = {stop_.get(), urgent_.get()};
        for (;;) {
            if (WaitForMultipleObjects(2, until_pending, FALSE, INFINITE) == WAIT_OBJECT_0) return;
            const double since = pending_since_.load();
            if (since == 0) continue;
            const double left = since + kHandOverDelay - now_ms();
            const DWORD wait = left > 0 ? static_cast<DWORD>(left) : 0;
            if (WaitForMultipleObjects(2, until_due, FALSE, wait) == WAIT_OBJECT_0) return;
            // Drawing reported from here on waits for the next round; what
            // is drawn meanwhile goes with this one as well.
            pending_since_.store(0);
            ResetEvent(urgent_.get());
            // A look at this thread's empty queue: that is when Wine copies
            // the process's window surfaces to the display.
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
            const double waited = now_ms() - since;
            hand_overs_.fetch_add(1);
            if (waited > longest_wait_ms_.load()) longest_wait_ms_.store(waited);
        }
    }

    UniqueHandle stop_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    UniqueHandle pending_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle urgent_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle thread_;
    // When the oldest drawing not yet on the screen was reported; 0: none.
    std::atomic<double> pending_since_{0};
    std::atomic<int> hand_overs_{0};
    std::atomic<double> longest_wait_ms_{0};
};

// Made at the first drawing, so a program without a canvas has no such
// thread; ended with the program.
std::unique_ptr<HandOverThread> hand_over_thread;

void stop_hand_over_thread() { hand_over_thread.reset(); }

}  // namespace

void drawing_done() {
    // GDI batches a thread's drawing: it must reach the window's surface
    // before another thread hands the surface over.
    GdiFlush();
    if (!hand_over_thread) {
        hand_over_thread = std::make_unique<HandOverThread>();
        host().end_hooks.push_back(&stop_hand_over_thread);
    }
    hand_over_thread->drawn();
}

HandOverFigures hand_over_figures() { return hand_over_thread ? hand_over_thread->figures() : HandOverFigures{}; }

}  // namespace formhost::win32

void formhost::hand_over_before_wait(int milliseconds) {
    if (win32::hand_over_thread) win32::hand_over_thread->before_wait(milliseconds);
}
