// The scaled kind's lines on 16-byte registers: 16 samples a step, the tail
// of a line through the reference arithmetic.
#include <emmintrin.h>

#include "video/kernels/scaled_lines.h"

namespace {

__m128i Load(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

void Store(uint8_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// Eight widened samples: (a x keep + b x take + 128) >> 8. The sum stays below
// 65536, so unsigned 16-bit lanes hold it.
__m128i BlendWords(__m128i a, __m128i b, __m128i keep, __m128i take) {
    const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(a, keep), _mm_mullo_epi16(b, take));
    return _mm_srli_epi16(_mm_add_epi16(sum, _mm_set1_epi16(128)), 8);
}

void Blend(const uint8_t* a, const uint8_t* b, int fraction, int width, uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i keep = _mm_set1_epi16(int16_t(256 - fraction));
    const __m128i take = _mm_set1_epi16(int16_t(fraction));
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i va = Load(a + x);
        const __m128i vb = Load(b + x);
        const __m128i low =
            BlendWords(_mm_unpacklo_epi8(va, zero), _mm_unpacklo_epi8(vb, zero), keep, take);
        const __m128i high =
            BlendWords(_mm_unpackhi_epi8(va, zero), _mm_unpackhi_epi8(vb, zero), keep, take);
        Store(out + x, _mm_packus_epi16(low, high));
    }
    for (; x < width; ++x) out[x] = uint8_t((a[x] * (256 - fraction) + b[x] * fraction + 128) >> 8);
}

void Mean(const uint8_t* a, const uint8_t* b, int width, uint8_t* out) {
    int x = 0;
    for (; x + 16 <= width; x += 16) Store(out + x, _mm_avg_epu8(Load(a + x), Load(b + x)));
    for (; x < width; ++x) out[x] = uint8_t((a[x] + b[x] + 1) >> 1);
}

// Eight columns a step: their neighbouring pairs fetched as 16-bit words, then
// each pair times its two weights summed in 32 bits.
void Resample(const uint8_t* luma, const ScaledGather& g, int width, uint8_t* out) {
    const int32_t* at = g.at;
    const int16_t* weights = g.weights;
    const __m128i zero = _mm_setzero_si128();
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        uint16_t words[8];
        for (int k = 0; k < 8; ++k) words[k] = uint16_t(luma[at[x + k]] | luma[at[x + k] + 1] << 8);
        const __m128i pairs = Load(reinterpret_cast<const uint8_t*>(words));
        const __m128i w0 = Load(reinterpret_cast<const uint8_t*>(weights + 2 * x));
        const __m128i w1 = Load(reinterpret_cast<const uint8_t*>(weights + 2 * x + 8));
        const __m128i low = _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(pairs, zero), w0), 8);
        const __m128i high = _mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi8(pairs, zero), w1), 8);
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(low, high), zero);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), bytes);
    }
    for (; x < width; ++x) {
        const uint8_t* pair = luma + at[x];
        out[x] = uint8_t((pair[0] * weights[2 * x] + pair[1] * weights[2 * x + 1]) >> 8);
    }
}

// Eight widened samples through the colour step: (value - 128) x 128 times
// twice the factor, high half, is ((value - 128) x factor) >> 8 exactly.
__m128i StepWords(__m128i words, __m128i doubledFactor, __m128i centre) {
    const __m128i offset = _mm_slli_epi16(_mm_sub_epi16(words, _mm_set1_epi16(128)), 7);
    return _mm_adds_epi16(_mm_mulhi_epi16(offset, doubledFactor), centre);
}

__m128i Step(__m128i bytes, __m128i doubledFactor, __m128i centre) {
    const __m128i zero = _mm_setzero_si128();
    return _mm_packus_epi16(StepWords(_mm_unpacklo_epi8(bytes, zero), doubledFactor, centre),
                            StepWords(_mm_unpackhi_epi8(bytes, zero), doubledFactor, centre));
}

void Gather(const uint8_t* chroma, const ScaledGather& g, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x) out[x] = chroma[g.chromaIndex[x]];
}

// Neutral controls leave every sample as it is: the lines are only interleaved.
bool Neutral(const ScaledColour& c) {
    return c.lumaFactor == 256 && c.chromaFactor == 256 && c.lumaCentre == 128 &&
           c.uCentre == 128 && c.vCentre == 128;
}

void Interleave(const uint8_t* luma, const uint8_t* chroma, int width, uint8_t* out) {
    int x = 0;
    for (; x + 32 <= width; x += 32) {
        const __m128i y0 = Load(luma + x), y1 = Load(luma + x + 16);
        const __m128i c0 = Load(chroma + x), c1 = Load(chroma + x + 16);
        Store(out + 2 * x, _mm_unpacklo_epi8(y0, c0));
        Store(out + 2 * x + 16, _mm_unpackhi_epi8(y0, c0));
        Store(out + 2 * x + 32, _mm_unpacklo_epi8(y1, c1));
        Store(out + 2 * x + 48, _mm_unpackhi_epi8(y1, c1));
    }
    for (; x < width; ++x) {
        out[2 * x] = luma[x];
        out[2 * x + 1] = chroma[x];
    }
}

void Pack(const uint8_t* luma, const uint8_t* chroma, int width, const ScaledColour& c,
          uint8_t* out) {
    if (Neutral(c)) {
        Interleave(luma, chroma, width, out);
        return;
    }
    const __m128i lumaFactor = _mm_set1_epi16(int16_t(2 * c.lumaFactor));
    const __m128i chromaFactor = _mm_set1_epi16(int16_t(2 * c.chromaFactor));
    const __m128i lumaCentre = _mm_set1_epi16(c.lumaCentre);
    const __m128i chromaCentre = _mm_set_epi16(c.vCentre, c.uCentre, c.vCentre, c.uCentre,
                                               c.vCentre, c.uCentre, c.vCentre, c.uCentre);
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i y = Step(Load(luma + x), lumaFactor, lumaCentre);
        const __m128i uv = Step(Load(chroma + x), chromaFactor, chromaCentre);
        Store(out + 2 * x, _mm_unpacklo_epi8(y, uv));
        Store(out + 2 * x + 16, _mm_unpackhi_epi8(y, uv));
    }
    for (; x < width; ++x) {
        out[2 * x] = ScaledSample(luma[x], c.lumaFactor, c.lumaCentre);
        out[2 * x + 1] =
            ScaledSample(chroma[x], c.chromaFactor, (x & 1) == 0 ? c.uCentre : c.vCentre);
    }
}

}  // namespace

const ScaledLineSet* ScaledSse2Lines() {
    static const ScaledLineSet set{"sse2", Blend, Mean, Resample, Pack, Gather, nullptr};
    return &set;
}
