// The scaled kind's lines on 32-byte registers: the vertical blend 32 samples
// a step, the gathers two blocks of eight columns a step (one block in each
// 128-bit half), and the packing of neutral colours. Colours that change the
// samples are packed by the SSE2 routine; tails go through the 16-byte ones.
#include <immintrin.h>

#include "video/kernels/scaled_lines.h"

namespace {

__m256i Load(const void* p) {
    return _mm256_loadu_si256(static_cast<const __m256i*>(p));
}

__m256i LoadHalves(const void* low, const void* high) {
    return _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(static_cast<const __m128i*>(low))),
        _mm_loadu_si128(static_cast<const __m128i*>(high)), 1);
}

void Store(void* p, __m256i v) {
    _mm256_storeu_si256(static_cast<__m256i*>(p), v);
}

// The low eight bytes of each half, in order, as sixteen bytes.
void StoreLowQuads(uint8_t* out, __m256i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm256_castsi256_si128(_mm256_permute4x64_epi64(v, 0x08)));
}

__m256i BlendWords(__m256i a, __m256i b, __m256i keep, __m256i take) {
    const __m256i sum = _mm256_add_epi16(_mm256_mullo_epi16(a, keep), _mm256_mullo_epi16(b, take));
    return _mm256_srli_epi16(_mm256_add_epi16(sum, _mm256_set1_epi16(128)), 8);
}

void Blend(const uint8_t* a, const uint8_t* b, int fraction, int width, uint8_t* out) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i keep = _mm256_set1_epi16(int16_t(256 - fraction));
    const __m256i take = _mm256_set1_epi16(int16_t(fraction));
    int x = 0;
    for (; x + 32 <= width; x += 32) {
        const __m256i va = Load(a + x), vb = Load(b + x);
        const __m256i low =
            BlendWords(_mm256_unpacklo_epi8(va, zero), _mm256_unpacklo_epi8(vb, zero), keep, take);
        const __m256i high =
            BlendWords(_mm256_unpackhi_epi8(va, zero), _mm256_unpackhi_epi8(vb, zero), keep, take);
        Store(out + x, _mm256_packus_epi16(low, high));
    }
    if (x < width) ScaledSsse3Lines()->blend(a + x, b + x, fraction, width - x, out + x);
}

void Mean(const uint8_t* a, const uint8_t* b, int width, uint8_t* out) {
    int x = 0;
    for (; x + 32 <= width; x += 32) Store(out + x, _mm256_avg_epu8(Load(a + x), Load(b + x)));
    if (x < width) ScaledSsse3Lines()->mean(a + x, b + x, width - x, out + x);
}

// Sixteen columns whose two blocks both shuffle; false leaves them to the 16-byte routine.
bool ResampleBlocks(const uint8_t* luma, const ScaledGather& g, int x, uint8_t* out) {
    const int b = x / kScaledBlock;
    if (g.lumaBase[b] < 0 || g.lumaBase[b + 1] < 0) return false;
    const __m256i zero = _mm256_setzero_si256();
    const __m256i pairs = _mm256_shuffle_epi8(
        LoadHalves(luma + g.lumaBase[b], luma + g.lumaBase[b + 1]), Load(g.lumaMask + 16 * b));
    const int16_t* w = g.weights + 2 * x;
    const __m256i low = _mm256_srai_epi32(
        _mm256_madd_epi16(_mm256_unpacklo_epi8(pairs, zero), LoadHalves(w, w + 16)), 8);
    const __m256i high = _mm256_srai_epi32(
        _mm256_madd_epi16(_mm256_unpackhi_epi8(pairs, zero), LoadHalves(w + 8, w + 24)), 8);
    StoreLowQuads(out + x, _mm256_packus_epi16(_mm256_packs_epi32(low, high), zero));
    return true;
}

// The 16-byte routine on a part of the line: its block tables start at block x / 8.
ScaledGather From(const ScaledGather& g, int x) {
    const int b = x / kScaledBlock;
    return {g.at + x,
            g.weights + 2 * x,
            g.chromaIndex + x,
            g.lumaBase + b,
            g.lumaMask + 16 * b,
            g.chromaBase + b,
            g.chromaMask + 16 * b};
}

void Resample(const uint8_t* luma, const ScaledGather& g, int width, uint8_t* out) {
    int x = 0;
    for (; x + 2 * kScaledBlock <= width; x += 2 * kScaledBlock) {
        if (!ResampleBlocks(luma, g, x, out)) {
            ScaledSsse3Lines()->resample(luma, From(g, x), 2 * kScaledBlock, out + x);
        }
    }
    if (x < width) ScaledSsse3Lines()->resample(luma, From(g, x), width - x, out + x);
}

void Gather(const uint8_t* chroma, const ScaledGather& g, int width, uint8_t* out) {
    int x = 0;
    for (; x + 2 * kScaledBlock <= width; x += 2 * kScaledBlock) {
        const int b = x / kScaledBlock;
        if (g.chromaBase[b] < 0 || g.chromaBase[b + 1] < 0) {
            ScaledSsse3Lines()->gather(chroma, From(g, x), 2 * kScaledBlock, out + x);
            continue;
        }
        const __m256i bytes =
            _mm256_shuffle_epi8(LoadHalves(chroma + g.chromaBase[b], chroma + g.chromaBase[b + 1]),
                                Load(g.chromaMask + 16 * b));
        StoreLowQuads(out + x, bytes);
    }
    if (x < width) ScaledSsse3Lines()->gather(chroma, From(g, x), width - x, out + x);
}

// One column blended and resampled as the two steps do it.
uint8_t BlendResampleColumn(const uint8_t* a, const uint8_t* b, int fraction, const ScaledGather& g,
                            int x) {
    const int at = g.at[x];
    const int left = (a[at] * (256 - fraction) + b[at] * fraction + 128) >> 8;
    const int right = (a[at + 1] * (256 - fraction) + b[at + 1] * fraction + 128) >> 8;
    return uint8_t((left * g.weights[2 * x] + right * g.weights[2 * x + 1]) >> 8);
}

// Sixteen columns whose two blocks both shuffle: the pairs of both lines
// shuffled out, blended as words (each a byte value), then weighted.
bool BlendResampleBlocks(const uint8_t* a, const uint8_t* b, __m256i keep, __m256i take,
                         const ScaledGather& g, int x, uint8_t* out) {
    const int k = x / kScaledBlock;
    if (g.lumaBase[k] < 0 || g.lumaBase[k + 1] < 0) return false;
    const __m256i zero = _mm256_setzero_si256();
    const __m256i mask = Load(g.lumaMask + 16 * k);
    const __m256i pa =
        _mm256_shuffle_epi8(LoadHalves(a + g.lumaBase[k], a + g.lumaBase[k + 1]), mask);
    const __m256i pb =
        _mm256_shuffle_epi8(LoadHalves(b + g.lumaBase[k], b + g.lumaBase[k + 1]), mask);
    const __m256i low =
        BlendWords(_mm256_unpacklo_epi8(pa, zero), _mm256_unpacklo_epi8(pb, zero), keep, take);
    const __m256i high =
        BlendWords(_mm256_unpackhi_epi8(pa, zero), _mm256_unpackhi_epi8(pb, zero), keep, take);
    const int16_t* w = g.weights + 2 * x;
    const __m256i sumLow = _mm256_srai_epi32(_mm256_madd_epi16(low, LoadHalves(w, w + 16)), 8);
    const __m256i sumHigh =
        _mm256_srai_epi32(_mm256_madd_epi16(high, LoadHalves(w + 8, w + 24)), 8);
    StoreLowQuads(out + x, _mm256_packus_epi16(_mm256_packs_epi32(sumLow, sumHigh), zero));
    return true;
}

void BlendResample(const uint8_t* a, const uint8_t* b, int fraction, const ScaledGather& g,
                   int width, uint8_t* out) {
    const __m256i keep = _mm256_set1_epi16(int16_t(256 - fraction));
    const __m256i take = _mm256_set1_epi16(int16_t(fraction));
    int x = 0;
    for (; x + 2 * kScaledBlock <= width; x += 2 * kScaledBlock) {
        if (BlendResampleBlocks(a, b, keep, take, g, x, out)) continue;
        for (int c = x; c < x + 2 * kScaledBlock; ++c)
            out[c] = BlendResampleColumn(a, b, fraction, g, c);
    }
    for (; x < width; ++x) out[x] = BlendResampleColumn(a, b, fraction, g, x);
}

bool Neutral(const ScaledColour& c) {
    return c.lumaFactor == 256 && c.chromaFactor == 256 && c.lumaCentre == 128 &&
           c.uCentre == 128 && c.vCentre == 128;
}

void Pack(const uint8_t* luma, const uint8_t* chroma, int width, const ScaledColour& c,
          uint8_t* out) {
    int x = 0;
    if (Neutral(c)) {
        for (; x + 32 <= width; x += 32) {
            const __m256i y = Load(luma + x), uv = Load(chroma + x);
            const __m256i lo = _mm256_unpacklo_epi8(y, uv), hi = _mm256_unpackhi_epi8(y, uv);
            Store(out + 2 * x, _mm256_permute2x128_si256(lo, hi, 0x20));
            Store(out + 2 * x + 32, _mm256_permute2x128_si256(lo, hi, 0x31));
        }
    }
    // Chroma bytes alternate U and V, so the rest starts on an even column.
    if (x < width) ScaledSse2Lines()->pack(luma + x, chroma + x, width - x, c, out + 2 * x);
}

}  // namespace

const ScaledLineSet* ScaledAvx2Lines() {
    if (ScaledSsse3Lines() == nullptr) return nullptr;
    static const ScaledLineSet set{"avx2", Blend, Mean, Resample, Pack, Gather, BlendResample};
    return &set;
}
