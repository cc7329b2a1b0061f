// Replaces the global allocation functions of the test program that includes it
// (in exactly one file) with ones that fail on request: while a FailAllocations
// lives, every allocation fails (nothrow forms give null, the others throw).
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

namespace failing_allocator {

inline std::atomic<bool> g_failing{false};

inline void* Allocate(std::size_t n) {
    if (g_failing.load(std::memory_order_relaxed)) return nullptr;
    return std::malloc(n == 0 ? 1 : n);
}

inline void* AllocateAligned(std::size_t n, std::align_val_t alignment) {
    if (g_failing.load(std::memory_order_relaxed)) return nullptr;
    const std::size_t a = static_cast<std::size_t>(alignment);
    return std::aligned_alloc(a, (n + a - 1) / a * a + (n == 0 ? a : 0));
}

inline void* OrThrow(void* p) {
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

// Every allocation fails while this lives; nothing the test itself checks may
// allocate meanwhile.
class FailAllocations {
  public:
    FailAllocations() { g_failing.store(true); }
    ~FailAllocations() { g_failing.store(false); }
    FailAllocations(const FailAllocations&) = delete;
    FailAllocations& operator=(const FailAllocations&) = delete;
};

}  // namespace failing_allocator

void* operator new(std::size_t n) {
    return failing_allocator::OrThrow(failing_allocator::Allocate(n));
}
void* operator new[](std::size_t n) {
    return failing_allocator::OrThrow(failing_allocator::Allocate(n));
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    return failing_allocator::Allocate(n);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
    return failing_allocator::Allocate(n);
}
void* operator new(std::size_t n, std::align_val_t a) {
    return failing_allocator::OrThrow(failing_allocator::AllocateAligned(n, a));
}
void* operator new[](std::size_t n, std::align_val_t a) {
    return failing_allocator::OrThrow(failing_allocator::AllocateAligned(n, a));
}
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
    return failing_allocator::AllocateAligned(n, a);
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
    return failing_allocator::AllocateAligned(n, a);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(p);
}
