// The packed-to-planar line pairs with SSE2: 16 pixel pairs a step, the rest
// through the reference.
#include <emmintrin.h>

#include "video/render/ati/packed_planar.h"

namespace {

// 16 pixel pairs of one line: 32 luma bytes, and the 16 U/V pairs in order.
inline void SplitLine(const uint8_t* line, __m128i* lumaLow, __m128i* lumaHigh, __m128i* chromaLow,
                      __m128i* chromaHigh) {
    const __m128i low = _mm_set1_epi16(0x00FF);
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + 32));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + 48));
    *lumaLow = _mm_packus_epi16(_mm_and_si128(a, low), _mm_and_si128(b, low));
    *lumaHigh = _mm_packus_epi16(_mm_and_si128(c, low), _mm_and_si128(d, low));
    *chromaLow = _mm_packus_epi16(_mm_srli_epi16(a, 8), _mm_srli_epi16(b, 8));
    *chromaHigh = _mm_packus_epi16(_mm_srli_epi16(c, 8), _mm_srli_epi16(d, 8));
}

inline void Store(uint8_t* to, __m128i value) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), value);
}

void LinePair(const uint8_t* upper, const uint8_t* lower, int pairs, uint8_t* lumaUpper,
              uint8_t* lumaLower, uint8_t* v, uint8_t* u) {
    const __m128i low = _mm_set1_epi16(0x00FF);
    const int whole = pairs & ~15;
    for (int j = 0; j < whole; j += 16) {
        __m128i y0, y1, c0, c1;
        SplitLine(upper + 4 * j, &y0, &y1, &c0, &c1);
        Store(lumaUpper + 2 * j, y0);
        Store(lumaUpper + 2 * j + 16, y1);
        // U V pairs: V is the high byte of each.
        Store(v + j, _mm_packus_epi16(_mm_srli_epi16(c0, 8), _mm_srli_epi16(c1, 8)));
        SplitLine(lower + 4 * j, &y0, &y1, &c0, &c1);
        Store(lumaLower + 2 * j, y0);
        Store(lumaLower + 2 * j + 16, y1);
        Store(u + j, _mm_packus_epi16(_mm_and_si128(c0, low), _mm_and_si128(c1, low)));
    }
    ReferencePackedToPlanarRows().linePair(upper + 4 * whole, lower + 4 * whole, pairs - whole,
                                           lumaUpper + 2 * whole, lumaLower + 2 * whole, v + whole,
                                           u + whole);
}

constexpr PackedToPlanarRows kSse2{"sse2", LinePair};

}  // namespace

const PackedToPlanarRows* Sse2PackedToPlanarRows() {
    static const bool usable = __builtin_cpu_supports("sse2");
    return usable ? &kSse2 : nullptr;
}
