#pragma once
// What a process holds, counted so that a test can compare before and after.

namespace picture_tests {

// GDI objects of this process.
int gdi_object_count();
// Kernel handles of this process.
int handle_count();
// Threads of this process.
int thread_count();

}  // namespace picture_tests
