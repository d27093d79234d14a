#include "formhost/win32/system/fatal_error.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <exception>

#include "formhost/core/fatal_message.h"
#include "formhost/core/gb18030.h"
#include "formhost/win32/system/allocation_failure.h"

namespace formhost::win32 {
namespace {

// The thread whose box is on the screen, 0 while there is none.
std::atomic<DWORD> reporting_thread{0};
// Threads that raised another error meanwhile and wait for the first to end
// the process; fixed slots, since nothing on this path may allocate. A
// thread that finds no free slot parks all the same; only waits for it are
// then bounded rather than skipped.
std::atomic<DWORD> parked_threads[16];
FatalErrorHost fatal_host;

[[noreturn]] void park() {
    const DWORD self = GetCurrentThreadId();
    for (auto& slot : parked_threads) {
        DWORD free = 0;
        if (slot.compare_exchange_strong(free, self)) break;
    }
    for (;;) Sleep(INFINITE);
}

[[noreturn]] void end_after_fatal_error() {
    if (fatal_host.end) fatal_host.end();
    ExitProcess(static_cast<UINT>(-1));
}

// Converted without the heap, which may be what failed. GB18030 never gives
// more UTF-16 units than bytes.
template <std::size_t N> void to_wide(std::string_view text, wchar_t (&wide)[N]) {
    std::size_t length = 0;
    for (std::size_t at = 0; at < text.size() && length + 2 < N;) {
        char32_t c = gb18030::decode_next(text, at);
        if (c >= 0x10000) {
            c -= 0x10000;
            wide[length++] = static_cast<wchar_t>(0xD800 + (c >> 10));
            c = 0xDC00 + (c & 0x3FF);
        }
        wide[length++] = static_cast<wchar_t>(c);
    }
    wide[length] = L'\0';
}

}  // namespace

void fatal_error(std::int32_t code, std::string_view text) {
    const DWORD self = GetCurrentThreadId();
    DWORD none = 0;
    if (!reporting_thread.compare_exchange_strong(none, self)) {
        // One box at a time. A second error from inside the first box's own
        // message loop ends the program at once; one from another thread
        // waits for the first to end it.
        if (none == self) end_after_fatal_error();
        park();
    }
    if (fatal_host.before_box) fatal_host.before_box();
    static wchar_t message[sizeof(FatalMessage) + 1];
    static wchar_t caption[16];
    to_wide(fatal_message(code, text).view(), message);
    to_wide(kFatalCaption, caption);
    MessageBoxW(nullptr, message, caption, MB_OK | MB_ICONERROR);
    end_after_fatal_error();
}

void set_fatal_error_host(FatalErrorHost host) { fatal_host = host; }

void wait_for_fatal_end() { park(); }

bool fatal_error_raised() { return reporting_thread.load() != 0; }

bool in_fatal_error(DWORD thread_id) {
    if (thread_id == 0) return false;
    if (reporting_thread.load() == thread_id) return true;
    for (const auto& slot : parked_threads)
        if (slot.load() == thread_id) return true;
    return false;
}

WaitEnd wait_unless_fatal(HANDLE object, DWORD thread_id, DWORD limit_ms) {
    const ULONGLONG deadline = limit_ms == INFINITE ? ~0ULL : GetTickCount64() + limit_ms;
    for (;;) {
        if (in_fatal_error(thread_id)) return WaitEnd::fatal_error;
        // Looked at once more when the time is up, so that a limit of 0
        // asks whether it is signalled.
        const ULONGLONG now = GetTickCount64();
        const DWORD step = now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(50, deadline - now));
        if (WaitForSingleObject(object, step) == WAIT_OBJECT_0) return WaitEnd::signalled;
        if (now >= deadline) return WaitEnd::timed_out;
    }
}

bool join_thread(HANDLE thread, DWORD limit_ms) {
    // Looked at again while waiting: the thread may raise its error after
    // the wait began, and then wait for the very thread that waits here.
    return !thread || wait_unless_fatal(thread, GetThreadId(thread), limit_ms) != WaitEnd::timed_out;
}

void fatal_error_from_exception() noexcept {
    try {
        throw;
    } catch (const AllocationFailure& failure) {
        fatal_error(0, allocation_failed_text(failure.bytes()).view());
    } catch (const std::exception& e) {
        fatal_error(0, e.what());
    } catch (...) {
        fatal_error(0, {});
    }
}

}  // namespace formhost::win32
