// The replaced global operator new and delete behind AllocationCount. Kept in
// a file of their own so no caller sees them inlined. Sanitizer builds keep
// their own allocator, and the count is then unavailable.
#include "tests/video/directplay/allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)

long AllocationCount() {
    return -1;
}

#else

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

long AllocationCount() {
    return g_allocations;
}

void* operator new(size_t bytes) {
    ++g_allocations;
    if (void* p = std::malloc(bytes == 0 ? 1 : bytes)) return p;
    throw std::bad_alloc();
}

void* operator new[](size_t bytes) {
    return operator new(bytes);
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

void operator delete[](void* p) noexcept {
    std::free(p);
}

void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}

#endif
