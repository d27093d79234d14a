#pragma once
// The host's fatal error, from any thread, and the waits and joins that
// must not wait for a thread inside one.

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace formhost::win32 {

// Shows the host's fatal error box (no owner, error icon) and ends the
// process with exit code -1 once it is closed, without the exit routine.
// Nothing on the way allocates: it also reports an exhausted heap.
[[noreturn]] void fatal_error(std::int32_t code, std::string_view text);

// The fatal error for the exception being handled; for the catch-all of
// every function the system calls (window procedures, thread entries,
// device callbacks), since no exception may cross back into the system.
// Only to be called inside a catch block.
[[noreturn]] void fatal_error_from_exception() noexcept;

// What a fatal error does to the host around its box: stop every event
// before it, end the program without its exit routine after it. Set by the
// host when it starts; without them (a player used on its own) the process
// simply ends after the box.
struct FatalErrorHost {
    void (*before_box)() = nullptr;
    void (*end)() = nullptr;
};
void set_fatal_error_host(FatalErrorHost host);

// Whether a fatal error has been raised on any thread: its box is up, or the
// program is ending through it.
bool fatal_error_raised();

// Whether the thread is inside a fatal error: the one showing the box, or
// one that raised a second error and is parked until the first ends the
// process. Such a thread never returns to what it was doing, so nothing may
// wait for it (it may itself be waiting for the program's end) and what it
// was using may go.
bool in_fatal_error(DWORD thread_id);

// For a thread that would end the process otherwise (the GUI thread at the
// end of the program) while a fatal error raised elsewhere has its box up:
// waits there, counted as inside the error, until that error ends the
// process with -1.
[[noreturn]] void wait_for_fatal_end();

// How a wait for an object ended: it was signalled, the thread it waits on
// entered a fatal error (and so will never signal it), or time ran out.
enum class WaitEnd { signalled, fatal_error, timed_out };
// Waits at most `limit_ms` for `object`, looking in steps at whether
// `thread` entered a fatal error meanwhile.
WaitEnd wait_unless_fatal(HANDLE object, DWORD thread_id, DWORD limit_ms);

// Waits for a thread's end, at most `limit_ms`; a thread inside a fatal error
// is not waited for. True when the thread has ended or will never run on.
bool join_thread(HANDLE thread, DWORD limit_ms);

// How long the end of the program waits for a thread of the host's own (a
// player, the screen hand-over): they stop between two steps, which takes
// milliseconds; one that does not end in time is left to the process's end.
inline constexpr DWORD kEndOfProgramJoinMs = 2000;

}  // namespace formhost::win32
