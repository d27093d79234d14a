// Every allocation of the programs, the host's and the C++ library's, comes
// from the process heap through here, so that a failure knows its size.
#include <windows.h>

#include "formhost/win32/system/allocation_failure.h"

namespace {

void* heap_block(std::size_t bytes) noexcept { return HeapAlloc(GetProcessHeap(), 0, bytes ? bytes : 1); }

void* heap_block_or_throw(std::size_t bytes) {
    if (void* block = heap_block(bytes)) return block;
    throw formhost::win32::AllocationFailure(bytes);
}

void free_heap_block(void* block) noexcept {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace

void* operator new(std::size_t bytes) { return heap_block_or_throw(bytes); }
void* operator new[](std::size_t bytes) { return heap_block_or_throw(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return heap_block(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return heap_block(bytes); }

void operator delete(void* block) noexcept { free_heap_block(block); }
void operator delete[](void* block) noexcept { free_heap_block(block); }
void operator delete(void* block, std::size_t) noexcept { free_heap_block(block); }
void operator delete[](void* block, std::size_t) noexcept { free_heap_block(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { free_heap_block(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { free_heap_block(block); }
