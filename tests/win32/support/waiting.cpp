#include "waiting.h"

#include <algorithm>

namespace test_support {
namespace {

// A moment in milliseconds of GetTickCount64, which never wraps.
class Deadline {
public:
    explicit Deadline(DWORD ms) : at_(GetTickCount64() + ms) {}
    bool passed() const { return GetTickCount64() >= at_; }
    DWORD left() const {
        const ULONGLONG now = GetTickCount64();
        return now >= at_ ? 0 : static_cast<DWORD>(at_ - now);
    }

private:
    ULONGLONG at_;
};

// The loop both waits share: `between` lasts at most the time it is given.
template <class Between> bool until(const std::function<bool()>& done, DWORD ms, DWORD every_ms, Between between) {
    const Deadline deadline(ms);
    for (;;) {
        if (done()) return true;
        if (deadline.passed()) return false;
        between(std::min(every_ms, deadline.left()));
    }
}

}  // namespace

void pump_messages_for(DWORD ms) {
    const Deadline deadline(ms);
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (deadline.passed()) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, deadline.left(), QS_ALLINPUT);
    }
}

bool pump_messages_until(const std::function<bool()>& done, DWORD ms, DWORD every_ms) {
    return until(done, ms, every_ms, [](DWORD next) { pump_messages_for(next); });
}

bool wait_until(const std::function<bool()>& done, DWORD ms, DWORD every_ms) {
    // Nothing signals the change: look again a little later.
    return until(done, ms, every_ms, [](DWORD next) { Sleep(next); });
}

}  // namespace test_support
