// The streaming copies: 64-byte blocks of 16-byte non-temporal stores after a
// plain head that aligns the destination, a fence, then the plain tail.
#include <emmintrin.h>

#include <algorithm>
#include <cstring>

#include "video/render/block_copy.h"

namespace {

template <bool Aligned>
void Block64(uint8_t* d, const uint8_t* s) {
    const __m128i* in = reinterpret_cast<const __m128i*>(s);
    __m128i* out = reinterpret_cast<__m128i*>(d);
    const __m128i a = Aligned ? _mm_load_si128(in) : _mm_loadu_si128(in);
    const __m128i b = Aligned ? _mm_load_si128(in + 1) : _mm_loadu_si128(in + 1);
    const __m128i c = Aligned ? _mm_load_si128(in + 2) : _mm_loadu_si128(in + 2);
    const __m128i e = Aligned ? _mm_load_si128(in + 3) : _mm_loadu_si128(in + 3);
    _mm_stream_si128(out, a);
    _mm_stream_si128(out + 1, b);
    _mm_stream_si128(out + 2, c);
    _mm_stream_si128(out + 3, e);
}

}  // namespace

void StreamingCopyForward(uint8_t* destination, const uint8_t* source, size_t length) {
    if (length < kStreamingThreshold) {
        std::memmove(destination, source, length);
        return;
    }
    const size_t head = (16 - uintptr_t(destination) % 16) % 16;
    std::memmove(destination, source, head);
    uint8_t* d = destination + head;
    const uint8_t* s = source + head;
    const size_t blocks = (length - head) / 64;
    const bool aligned = uintptr_t(s) % 16 == 0;
    for (size_t i = 0; i < blocks; ++i, d += 64, s += 64)
        aligned ? Block64<true>(d, s) : Block64<false>(d, s);
    _mm_sfence();
    std::memmove(d, s, (length - head) % 64);
}

// Walks from the end down, for a destination inside the source range: each
// block is loaded whole before it is stored, and blocks below it are not yet
// overwritten.
void StreamingCopyBackward(uint8_t* destination, const uint8_t* source, size_t length) {
    if (length < kStreamingThreshold) {
        std::memmove(destination, source, length);
        return;
    }
    const size_t tail = uintptr_t(destination + length) % 16;
    std::memmove(destination + length - tail, source + length - tail, tail);
    size_t remaining = length - tail;
    const bool aligned = uintptr_t(source + remaining) % 16 == 0;
    while (remaining >= 64) {
        remaining -= 64;
        aligned ? Block64<true>(destination + remaining, source + remaining)
                : Block64<false>(destination + remaining, source + remaining);
    }
    _mm_sfence();
    std::memmove(destination, source, remaining);
}

void StreamingCopyLine(uint8_t* destination, const uint8_t* source, size_t length) {
    const size_t head = std::min(length, size_t((16 - uintptr_t(destination) % 16) % 16));
    std::memcpy(destination, source, head);
    size_t done = head;
    for (; done + 64 <= length; done += 64) Block64<false>(destination + done, source + done);
    for (; done + 16 <= length; done += 16) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(destination + done),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + done)));
    }
    std::memcpy(destination + done, source + done, length - done);
}

void StreamingFence() {
    _mm_sfence();
}
