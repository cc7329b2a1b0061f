// A buffer whose last byte sits just before an inaccessible page, so a read or
// write one byte past its end faults at once, in any build (not only under
// AddressSanitizer). Tests of interfaces that take a buffer and its size use
// it to prove that nothing beyond the size given is touched.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>

class GuardedBuffer {
  public:
    explicit GuardedBuffer(size_t bytes) : bytes_(bytes) {
        const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        span_ = (bytes + page - 1) / page * page + page;
        void* mapped =
            mmap(nullptr, span_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) return;
        base_ = static_cast<uint8_t*>(mapped);
        mprotect(base_ + span_ - page, page, PROT_NONE);
    }
    ~GuardedBuffer() {
        if (base_) munmap(base_, span_);
    }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // The first of the buffer's bytes; null when the memory could not be had.
    uint8_t* data() const {
        const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        return base_ ? base_ + span_ - page - bytes_ : nullptr;
    }
    template <typename T>
    T* as() const {
        return reinterpret_cast<T*>(data());
    }
    size_t size() const { return bytes_; }

  private:
    size_t bytes_;
    size_t span_ = 0;
    uint8_t* base_ = nullptr;
};
