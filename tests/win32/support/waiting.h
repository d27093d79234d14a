#pragma once
// Waits of the tests, each with a deadline: what the test waits for happens
// on another thread or in another process, and a fault must end in a failed
// check, never in a test that hangs.

#include <windows.h>

#include <functional>

namespace test_support {

// Dispatches this thread's messages until `ms` have passed, so that nothing
// of the test's own (its windows, their timers and paints, the answers of
// other programs) waits behind it.
void pump_messages_for(DWORD ms);

// Asks `done` at once and then after each `every_ms` of dispatching this
// thread's messages, until it holds or `ms` have passed; its last answer.
bool pump_messages_until(const std::function<bool()>& done, DWORD ms, DWORD every_ms = 10);

// Asks `done` every `every_ms` until it holds or `ms` have passed; its last
// answer. For what changes on another thread with nothing to wait on (a
// player's state, a file that grows), on a thread with no windows of its own.
bool wait_until(const std::function<bool()>& done, DWORD ms, DWORD every_ms = 5);

}  // namespace test_support
