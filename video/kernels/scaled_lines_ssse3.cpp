// The scaled kind's gathers by byte shuffle: a block of eight output columns
// whose samples lie within 16 source bytes is one load and one shuffle. The
// other routines are the SSE2 ones.
#include <tmmintrin.h>

#include "video/kernels/scaled_lines.h"

namespace {

__m128i Load(const void* p) {
    return _mm_loadu_si128(static_cast<const __m128i*>(p));
}

int ResamplePair(const uint8_t* luma, const ScaledGather& g, int x) {
    const uint8_t* pair = luma + g.at[x];
    return (pair[0] * g.weights[2 * x] + pair[1] * g.weights[2 * x + 1]) >> 8;
}

void Resample(const uint8_t* luma, const ScaledGather& g, int width, uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    int x = 0;
    for (int b = 0; x + kScaledBlock <= width; ++b, x += kScaledBlock) {
        const int base = g.lumaBase[b];
        if (base < 0) {
            for (int k = 0; k < kScaledBlock; ++k)
                out[x + k] = uint8_t(ResamplePair(luma, g, x + k));
            continue;
        }
        const __m128i pairs = _mm_shuffle_epi8(Load(luma + base), Load(g.lumaMask + 16 * b));
        const __m128i w0 = Load(g.weights + 2 * x);
        const __m128i w1 = Load(g.weights + 2 * x + 8);
        const __m128i low = _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(pairs, zero), w0), 8);
        const __m128i high = _mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi8(pairs, zero), w1), 8);
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(low, high), zero);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), bytes);
    }
    for (; x < width; ++x) out[x] = uint8_t(ResamplePair(luma, g, x));
}

void Gather(const uint8_t* chroma, const ScaledGather& g, int width, uint8_t* out) {
    int x = 0;
    for (int b = 0; x + kScaledBlock <= width; ++b, x += kScaledBlock) {
        const int base = g.chromaBase[b];
        if (base < 0) {
            for (int k = 0; k < kScaledBlock; ++k) out[x + k] = chroma[g.chromaIndex[x + k]];
            continue;
        }
        const __m128i bytes = _mm_shuffle_epi8(Load(chroma + base), Load(g.chromaMask + 16 * b));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), bytes);
    }
    for (; x < width; ++x) out[x] = chroma[g.chromaIndex[x]];
}

}  // namespace

const ScaledLineSet* ScaledSsse3Lines() {
    const ScaledLineSet* sse2 = ScaledSse2Lines();
    if (sse2 == nullptr) return nullptr;
    static const ScaledLineSet set{"ssse3",    sse2->blend, sse2->mean, Resample,
                                   sse2->pack, Gather,      nullptr};
    return &set;
}
