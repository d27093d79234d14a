#pragma once
// The parts of the host that must stop when the program ends (the players,
// the screen hand-over) say so here; the shutdown stops them in turn, after
// the exit routine. The GUI thread's alone, like everything it registers.

namespace formhost::win32 {

// Has `stop` called at the end of the program; twice registered, twice called.
void stop_at_program_end(void (*stop)());

// Calls every registered stop in the order they were registered.
void stop_everything_at_program_end();

}  // namespace formhost::win32
