// What every picture benchmark shares: buffers laid out the way libyuv's own
// tests lay theirs (each separately allocated, page-aligned, touched before it
// is timed), a ratio of two calls timed side by side, and the processor's
// vector features in the benchmark's context.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "video/kernels/kernel_cpu.h"

namespace bench {

// A page-aligned block of its own, filled (so every page is mapped before
// timing starts). Two blocks never share a page, so a copy between them
// starts at the same offset in both: an odd distance between source and
// destination makes the string-copy instructions that libyuv and memcpy use
// several times slower on some processors, which is not what is measured.
class AlignedBuffer {
  public:
    explicit AlignedBuffer(size_t bytes, uint32_t seed = 0) : size_(bytes) {
        void* memory = nullptr;
        if (posix_memalign(&memory, 4096, bytes == 0 ? 1 : bytes) != 0) std::abort();
        data_.reset(static_cast<uint8_t*>(memory));
        if (seed == 0) {
            std::memset(data_.get(), 0, bytes);
        } else {
            std::mt19937 engine(seed);
            for (size_t i = 0; i < bytes; ++i) data_.get()[i] = uint8_t(engine());
        }
    }
    uint8_t* data() const { return data_.get(); }
    size_t size() const { return size_; }

  private:
    struct Free {
        void operator()(uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<uint8_t, Free> data_;
    size_t size_;
};

// Median time of one call of a against one call of b, the two interleaved so
// that load from elsewhere on the machine falls on both alike.
template <class A, class B>
double MedianRatio(A&& a, B&& b, int rounds = 41) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> ta, tb;
    ta.reserve(size_t(rounds));
    tb.reserve(size_t(rounds));
    a();  // warm both before the first timing
    b();
    for (int i = 0; i < rounds; ++i) {
        const auto t0 = Clock::now();
        a();
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        b();
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        ta.push_back(std::chrono::duration<double>(t1 - t0).count());
        tb.push_back(std::chrono::duration<double>(t2 - t1).count());
    }
    std::nth_element(ta.begin(), ta.begin() + rounds / 2, ta.end());
    std::nth_element(tb.begin(), tb.begin() + rounds / 2, tb.end());
    return ta[size_t(rounds / 2)] / tb[size_t(rounds / 2)];
}

// The vector features this machine reports, as the kernels see them.
inline std::string SimdFeatures() {
    const KernelCpu cpu = DetectKernelCpu();
    std::string s;
    if (cpu.sse2) s += "sse2 ";
    if (cpu.ssse3) s += "ssse3 ";
    if (cpu.avx2) s += "avx2 ";
    if (__builtin_cpu_supports("avx512f")) s += "avx512f ";
    if (cpu.avx512bw) s += "avx512bw ";
    if (s.empty())
        s = "none";
    else
        s.pop_back();
    return s;
}

inline void AddSimdContext() {
    benchmark::AddCustomContext("simd", SimdFeatures());
}

}  // namespace bench
