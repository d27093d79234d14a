#pragma once
// A routine of the program: what its form block binds to events, and its
// init and exit routines.

namespace formhost::win32 {

using Routine = void (*)();

}  // namespace formhost::win32
