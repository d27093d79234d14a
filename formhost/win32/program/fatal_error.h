#pragma once
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

}  // namespace formhost::win32
