#include "formhost/win32/drawing/screen_hand_over.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "formhost/win32/drawing/window_image.h"
#include "formhost/win32/system/fatal_error.h"
#include "formhost/win32/system/owners.h"
#include "formhost/win32/system/precise_clock.h"
#include "formhost/win32/system/program_end.h"

namespace formhost::win32 {
namespace {

// Every drawing is to be on the screen this long after it was reported at
// the latest.
constexpr double kLatency = 50;
// So the oldest drawing waits this long before its hand-over begins, which
// leaves the rest for the hand-over itself and a late wake-up: a hand-over
// takes 4 ms on an empty full-HD stage and up to 20 ms on one covered with
// roses (Wine builds the window's shape from all of them).
constexpr double kHandOverDelay = 30;

// The window images, guarded by their own lock: an image leaves while the
// hand-over thread may be copying from it.
SRWLOCK images_lock = SRWLOCK_INIT;
std::vector<WindowImage*> images;

void copy_images_to_windows() {
    const SharedLock reading(images_lock);
    for (WindowImage* image : images) image->copy_to_window();
}

ThreadStarter thread_starter = &start_suspended_thread;

class HandOverThread {
public:
    HandOverThread() {
        if (!pending_ || !urgent_ || !thread_.start(&HandOverThread::run, this, thread_starter)) return;
        // It sleeps nearly all the time; when a hand-over is due it must not
        // wait behind the drawing it is there for.
        SetThreadPriority(thread_.get(), THREAD_PRIORITY_ABOVE_NORMAL);
    }

    // Asks the thread to stop and waits for it, at most `limit_ms`; false
    // when it still runs (then this object must stay).
    bool stop(DWORD limit_ms) const { return thread_.stop(limit_ms); }

    HandOverThread(const HandOverThread&) = delete;
    HandOverThread& operator=(const HandOverThread&) = delete;

    // False when the thread or its events could not be made.
    bool running() const { return thread_.started(); }

    void drawn() {
        double expected = 0;
        if (pending_since_.compare_exchange_strong(expected, precise_ms())) SetEvent(pending_.get());
    }

    // A hand-over that would come due during the wait begins now, while
    // the drawing thread does nothing.
    void before_wait(int milliseconds) {
        const double since = pending_since_.load();
        if (since != 0 && since + kHandOverDelay <= precise_ms() + milliseconds) SetEvent(urgent_.get());
    }

    HandOverFigures figures() const {
        return {hand_overs_.load(),           late_.load(),
                longest_wait_ms_.load(),      hand_over_ms_.load(),
                longest_hand_over_ms_.load(), pending_since_.load() != 0 || handing_over_.load()};
    }

private:
    static void run(void* self, HANDLE stop) { static_cast<HandOverThread*>(self)->hand_over_until(stop); }

    void hand_over_until(HANDLE stop) {
        const HANDLE until_pending[] = {stop, pending_.get()};
        const HANDLE until_due[] = {stop, urgent_.get()};
        for (;;) {
            if (WaitForMultipleObjects(2, until_pending, FALSE, INFINITE) == WAIT_OBJECT_0) return;
            const double since = pending_since_.load();
            if (since == 0) continue;
            const double left = since + kHandOverDelay - precise_ms();
            const DWORD wait = left > 0 ? static_cast<DWORD>(left) : 0;
            if (WaitForMultipleObjects(2, until_due, FALSE, wait) == WAIT_OBJECT_0) return;
            // Drawing reported from here on waits for the next round; what
            // is drawn meanwhile goes with this one as well.
            handing_over_.store(true);
            pending_since_.store(0);
            ResetEvent(urgent_.get());
            const double began = precise_ms();
            copy_images_to_windows();
            // A look at this thread's empty queue: that is when Wine copies
            // the process's window surfaces to the display.
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
            const double ended = precise_ms();
            handing_over_.store(false);
            hand_overs_.fetch_add(1);
            if (ended - since > longest_wait_ms_.load()) longest_wait_ms_.store(ended - since);
            if (ended - since > kLatency) late_.fetch_add(1);
            if (ended - began > longest_hand_over_ms_.load()) longest_hand_over_ms_.store(ended - began);
            hand_over_ms_.store(hand_over_ms_.load() + (ended - began));
        }
    }

    UniqueHandle pending_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle urgent_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    HostThread thread_;
    // When the oldest drawing not yet on the screen was reported; 0: none.
    std::atomic<double> pending_since_{0};
    std::atomic<bool> handing_over_{false};
    std::atomic<int> hand_overs_{0}, late_{0};
    std::atomic<double> longest_wait_ms_{0};
    std::atomic<double> hand_over_ms_{0}, longest_hand_over_ms_{0};
};

// Made at the first drawing, so a program without a canvas has no such
// thread; ended with the program.
std::unique_ptr<HandOverThread> hand_over_thread;

void stop_hand_over_thread() {
    if (!hand_over_thread) return;
    if (hand_over_thread->stop(kEndOfProgramJoinMs)) {
        hand_over_thread.reset();
    } else {
        static_cast<void>(hand_over_thread.release());
    }
}

}  // namespace

void hand_over_from(WindowImage* image) {
    const ExclusiveLock writing(images_lock);
    images.push_back(image);
}

void stop_hand_over_from(WindowImage* image) {
    const ExclusiveLock writing(images_lock);
    images.erase(std::remove(images.begin(), images.end(), image), images.end());
}

void drawing_done() {
    if (!hand_over_thread) {
        hand_over_thread = std::make_unique<HandOverThread>();
        stop_at_program_end(&stop_hand_over_thread);
    }
    if (hand_over_thread->running()) {
        hand_over_thread->drawn();
        return;
    }
    copy_images_to_windows();
    // A look at this thread's empty queue hands the windows' surfaces to the
    // screen under Wine, as the thread's hand-over does.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

void set_hand_over_thread_starter(ThreadStarter starter) { thread_starter = starter; }

HandOverFigures hand_over_figures() { return hand_over_thread ? hand_over_thread->figures() : HandOverFigures{}; }

}  // namespace formhost::win32

void formhost::hand_over_before_wait(int milliseconds) {
    if (win32::hand_over_thread) win32::hand_over_thread->before_wait(milliseconds);
}
