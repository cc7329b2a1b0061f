// The packed-to-planar line pairs with AVX2: 32 pixel pairs a step, the rest
// through the SSE2 path. The packs work within 128-bit lanes, so each result
// has its 64-bit quarters put back in order.
#include <immintrin.h>

#include "video/render/ati/packed_planar.h"

namespace {

// packus of two vectors, in the order of their bytes.
inline __m256i Pack(__m256i a, __m256i b) {
    return _mm256_permute4x64_epi64(_mm256_packus_epi16(a, b), 0xD8);
}

inline __m256i Load(const uint8_t* from) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
}

inline void Store(uint8_t* to, __m256i value) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), value);
}

// 32 pixel pairs of one line: 64 luma bytes, and the 32 U/V pairs in order.
inline void SplitLine(const uint8_t* line, uint8_t* luma, __m256i* chromaLow, __m256i* chromaHigh) {
    const __m256i low = _mm256_set1_epi16(0x00FF);
    const __m256i a = Load(line), b = Load(line + 32), c = Load(line + 64), d = Load(line + 96);
    Store(luma, Pack(_mm256_and_si256(a, low), _mm256_and_si256(b, low)));
    Store(luma + 32, Pack(_mm256_and_si256(c, low), _mm256_and_si256(d, low)));
    *chromaLow = Pack(_mm256_srli_epi16(a, 8), _mm256_srli_epi16(b, 8));
    *chromaHigh = Pack(_mm256_srli_epi16(c, 8), _mm256_srli_epi16(d, 8));
}

void LinePair(const uint8_t* upper, const uint8_t* lower, int pairs, uint8_t* lumaUpper,
              uint8_t* lumaLower, uint8_t* v, uint8_t* u) {
    const __m256i low = _mm256_set1_epi16(0x00FF);
    const int whole = pairs & ~31;
    for (int j = 0; j < whole; j += 32) {
        __m256i c0, c1;
        SplitLine(upper + 4 * j, lumaUpper + 2 * j, &c0, &c1);
        Store(v + j, Pack(_mm256_srli_epi16(c0, 8), _mm256_srli_epi16(c1, 8)));
        SplitLine(lower + 4 * j, lumaLower + 2 * j, &c0, &c1);
        Store(u + j, Pack(_mm256_and_si256(c0, low), _mm256_and_si256(c1, low)));
    }
    const PackedToPlanarRows* rest = Sse2PackedToPlanarRows();
    if (rest == nullptr) rest = &ReferencePackedToPlanarRows();
    rest->linePair(upper + 4 * whole, lower + 4 * whole, pairs - whole, lumaUpper + 2 * whole,
                   lumaLower + 2 * whole, v + whole, u + whole);
}

constexpr PackedToPlanarRows kAvx2{"avx2", LinePair};

}  // namespace

const PackedToPlanarRows* Avx2PackedToPlanarRows() {
    static const bool usable = HostSupportsAvx2();
    return usable ? &kAvx2 : nullptr;
}
