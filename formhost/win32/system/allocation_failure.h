#pragma once
// What an exhausted heap throws, with the size that was asked for.

#include <cstddef>
#include <new>

namespace formhost::win32 {

// What the host's operator new throws: a bad_alloc, so that code that can do
// without the memory (reading a file) still catches it, which carries the
// size for the fatal error of everybody else.
class AllocationFailure : public std::bad_alloc {
public:
    explicit AllocationFailure(std::size_t bytes) : bytes_(bytes) {}
    std::size_t bytes() const { return bytes_; }

private:
    std::size_t bytes_;
};

}  // namespace formhost::win32
