#pragma once
// What this process holds, counted so that a test can compare before and
// after: a leak of ours shows as a count that grows. Each is -1 when the
// system would not say.

namespace test_support {

// GDI objects of this process.
int gdi_object_count();
// Kernel handles of this process.
int handle_count();
// Threads of this process.
int thread_count();

}  // namespace test_support
