// SSSE3 path of the converter's line routines: 16 pixels per step, the same
// fixed point as the reference, byte-shuffle scaling. Built with its own flags
// and used only when the processor has SSSE3.
#include <tmmintrin.h>

#include <cstring>

#include "video/render/rgb_rows.h"

namespace {

const RgbRows& Reference() {
    return ReferenceRgbRows();
}

// Y bytes, and U and V bytes, of 8 packed pixel pairs (32 bytes).
void SplitPacked(const uint8_t* lumaLine, const uint8_t* chromaLine, int width, uint8_t* y,
                 uint8_t* u, uint8_t* v) {
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i l0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lumaLine + 2 * x));
        const __m128i l1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lumaLine + 2 * x + 16));
        const __m128i luma =
            _mm_packus_epi16(_mm_and_si128(l0, lowBytes), _mm_and_si128(l1, lowBytes));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(y + x), luma);
        const __m128i c0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chromaLine + 2 * x));
        const __m128i c1 =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(chromaLine + 2 * x + 16));
        // U, V of each pair as 16-bit words, then U in the low byte.
        const __m128i uv = _mm_packus_epi16(_mm_srli_epi16(c0, 8), _mm_srli_epi16(c1, 8));
        const __m128i us = _mm_packus_epi16(_mm_and_si128(uv, lowBytes), _mm_setzero_si128());
        const __m128i vs = _mm_packus_epi16(_mm_srli_epi16(uv, 8), _mm_setzero_si128());
        _mm_storel_epi64(reinterpret_cast<__m128i*>(u + x / 2), us);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(v + x / 2), vs);
    }
    if (x < width)
        Reference().splitPacked(lumaLine + 2 * x, chromaLine + 2 * x, width - x, y + x, u + x / 2,
                                v + x / 2);
}

void ScaleChunkScalar(const uint8_t* src, const ScalePlan& plan, size_t chunk, uint8_t* dst) {
    const size_t first = chunk * 16;
    for (size_t k = 0; k < 16 && first + k < plan.taps.size(); ++k) {
        const ScaleTap& tap = plan.taps[first + k];
        const int32_t d = (int32_t(src[tap.right]) - int32_t(src[tap.left])) * (tap.weight << 7);
        dst[first + k] = uint8_t(int32_t(src[tap.left]) + ((d + 0x4000) >> 15));
    }
}

void Scale(const uint8_t* src, const ScalePlan& plan, uint8_t* dst) {
    const __m128i zero = _mm_setzero_si128();
    for (size_t c = 0; c < plan.chunks.size(); ++c) {
        const ScaleChunk& chunk = plan.chunks[c];
        if (!chunk.fits) {
            ScaleChunkScalar(src, plan, c, dst);
            continue;
        }
        const __m128i window = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + chunk.base));
        const __m128i left =
            _mm_shuffle_epi8(window, _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk.left)));
        const __m128i right = _mm_shuffle_epi8(
            window, _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk.right)));
        const __m128i w0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk.weight));
        const __m128i w1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk.weight + 8));
        const __m128i l0 = _mm_unpacklo_epi8(left, zero);
        const __m128i l1 = _mm_unpackhi_epi8(left, zero);
        const __m128i d0 = _mm_sub_epi16(_mm_unpacklo_epi8(right, zero), l0);
        const __m128i d1 = _mm_sub_epi16(_mm_unpackhi_epi8(right, zero), l1);
        const __m128i o0 = _mm_add_epi16(l0, _mm_mulhrs_epi16(d0, w0));
        const __m128i o1 = _mm_add_epi16(l1, _mm_mulhrs_epi16(d1, w1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + c * 16), _mm_packus_epi16(o0, o1));
    }
}

void Average(const uint8_t* a, const uint8_t* b, int bytes, uint8_t* out) {
    const __m128i seven = _mm_set1_epi8(0x7F);
    int i = 0;
    for (; i + 16 <= bytes; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i hx = _mm_and_si128(_mm_srli_epi16(x, 1), seven);
        const __m128i hy = _mm_and_si128(_mm_srli_epi16(y, 1), seven);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_add_epi8(hx, hy));
    }
    if (i < bytes) Reference().average(a + i, b + i, bytes - i, out + i);
}

// B, G, R of 16 pixels as bytes.
struct Bgr16 {
    __m128i b, g, r;
};

inline __m128i Term(__m128i centred, short factor) {
    const __m128i high = _mm_mulhi_epi16(centred, _mm_set1_epi16(factor));
    return _mm_adds_epi16(high, high);
}

inline void ConvertHalf(__m128i luma, __m128i u, __m128i v, __m128i* b, __m128i* g, __m128i* r) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i flip = _mm_set1_epi16(short(0x8000));
    const __m128i y128 = _mm_slli_epi16(luma, 7);
    const __m128i cu = _mm_xor_si128(_mm_unpacklo_epi8(zero, u), flip);
    const __m128i cv = _mm_xor_si128(_mm_unpacklo_epi8(zero, v), flip);
    *b = _mm_srai_epi16(_mm_adds_epi16(y128, Term(cu, kBlueFromU)), 7);
    *g = _mm_srai_epi16(
        _mm_adds_epi16(_mm_adds_epi16(y128, Term(cu, kGreenFromU)), Term(cv, kGreenFromV)), 7);
    *r = _mm_srai_epi16(_mm_adds_epi16(y128, Term(cv, kRedFromV)), 7);
}

inline Bgr16 Convert16Pixels(const uint8_t* y, const uint8_t* u, const uint8_t* v) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i luma = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y));
    const __m128i u8 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(u));
    const __m128i v8 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(v));
    const __m128i uu = _mm_unpacklo_epi8(u8, u8);
    const __m128i vv = _mm_unpacklo_epi8(v8, v8);
    __m128i b0, g0, r0, b1, g1, r1;
    ConvertHalf(_mm_unpacklo_epi8(luma, zero), uu, vv, &b0, &g0, &r0);
    ConvertHalf(_mm_unpackhi_epi8(luma, zero), _mm_unpackhi_epi64(uu, uu),
                _mm_unpackhi_epi64(vv, vv), &b1, &g1, &r1);
    return {_mm_packus_epi16(b0, b1), _mm_packus_epi16(g0, g1), _mm_packus_epi16(r0, r1)};
}

template <int Depth>
inline void Store(const Bgr16& p, uint8_t* out);

template <>
inline void Store<kRgb32>(const Bgr16& p, uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bgLo = _mm_unpacklo_epi8(p.b, p.g);
    const __m128i bgHi = _mm_unpackhi_epi8(p.b, p.g);
    const __m128i raLo = _mm_unpacklo_epi8(p.r, zero);
    const __m128i raHi = _mm_unpackhi_epi8(p.r, zero);
    __m128i* o = reinterpret_cast<__m128i*>(out);
    _mm_storeu_si128(o + 0, _mm_unpacklo_epi16(bgLo, raLo));
    _mm_storeu_si128(o + 1, _mm_unpackhi_epi16(bgLo, raLo));
    _mm_storeu_si128(o + 2, _mm_unpacklo_epi16(bgHi, raHi));
    _mm_storeu_si128(o + 3, _mm_unpackhi_epi16(bgHi, raHi));
}

// 5-6-5 (green bits 6) or 5-5-5 (green bits 5), from byte channels.
template <int GreenBits>
inline void StoreWords(const Bgr16& p, uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i redShift = _mm_cvtsi32_si128(GreenBits == 6 ? 8 : 7);
    const __m128i redMask = _mm_set1_epi16(short(GreenBits == 6 ? 0xF800 : 0x7C00));
    const __m128i greenMask = _mm_set1_epi16(short(GreenBits == 6 ? 0x07E0 : 0x03E0));
    const __m128i greenShift = _mm_cvtsi32_si128(GreenBits == 6 ? 3 : 2);
    for (int half = 0; half < 2; ++half) {
        const __m128i b = half ? _mm_unpackhi_epi8(p.b, zero) : _mm_unpacklo_epi8(p.b, zero);
        const __m128i g = half ? _mm_unpackhi_epi8(p.g, zero) : _mm_unpacklo_epi8(p.g, zero);
        const __m128i r = half ? _mm_unpackhi_epi8(p.r, zero) : _mm_unpacklo_epi8(p.r, zero);
        const __m128i word =
            _mm_or_si128(_mm_or_si128(_mm_and_si128(_mm_sll_epi16(r, redShift), redMask),
                                      _mm_and_si128(_mm_sll_epi16(g, greenShift), greenMask)),
                         _mm_srli_epi16(b, 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out) + half, word);
    }
}

template <>
inline void Store<kRgb16>(const Bgr16& p, uint8_t* out) {
    StoreWords<6>(p, out);
}

template <>
inline void Store<kRgb15>(const Bgr16& p, uint8_t* out) {
    StoreWords<5>(p, out);
}

template <int Depth>
void ConvertLine(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* out) {
    constexpr int bytes = Depth == kRgb32 ? 4 : 2;
    int x = 0;
    for (; x + 16 <= width; x += 16)
        Store<Depth>(Convert16Pixels(y + x, u + x / 2, v + x / 2), out + x * bytes);
    if (x < width)
        Reference().convert[Depth](y + x, u + x / 2, v + x / 2, width - x, out + x * bytes);
}

void Mean(const uint8_t* a, const uint8_t* b, int bytes, uint8_t* out) {
    int i = 0;
    for (; i + 16 <= bytes; i += 16) {
        const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
        const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_avg_epu8(va, vb));
    }
    if (i < bytes) Reference().mean(a + i, b + i, bytes - i, out + i);
}

// Eight widened samples: s x keep >> 4 plus the overlay (all below 512).
__m128i OverWords(__m128i s, __m128i overlay, __m128i keep) {
    return _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(s, keep), 4), overlay);
}

void Blend(uint8_t* samples, const uint8_t* overlay, const uint8_t* keep, int count) {
    const __m128i zero = _mm_setzero_si128();
    int i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(samples + i));
        const __m128i o = _mm_loadu_si128(reinterpret_cast<const __m128i*>(overlay + i));
        const __m128i k = _mm_loadu_si128(reinterpret_cast<const __m128i*>(keep + i));
        const __m128i low = OverWords(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(o, zero),
                                      _mm_unpacklo_epi8(k, zero));
        const __m128i high = OverWords(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(o, zero),
                                       _mm_unpackhi_epi8(k, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(samples + i), _mm_packus_epi16(low, high));
    }
    if (i < count) Reference().blend(samples + i, overlay + i, keep + i, count - i);
}

// Eight pairs a step: the interleaved overlay bytes are U in the low and V in
// the high byte of each 16-bit word.
void BlendPairs(uint8_t* u, uint8_t* v, const uint8_t* overlay, const uint8_t* keep, int pairs) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    int p = 0;
    for (; p + 8 <= pairs; p += 8) {
        const __m128i o = _mm_loadu_si128(reinterpret_cast<const __m128i*>(overlay + 2 * p));
        const __m128i k = _mm_loadu_si128(reinterpret_cast<const __m128i*>(keep + 2 * p));
        const __m128i us =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(u + p)), zero);
        const __m128i vs =
            _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(v + p)), zero);
        const __m128i nu = OverWords(us, _mm_and_si128(o, lowBytes), _mm_and_si128(k, lowBytes));
        const __m128i nv = OverWords(vs, _mm_srli_epi16(o, 8), _mm_srli_epi16(k, 8));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(u + p), _mm_packus_epi16(nu, zero));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(v + p), _mm_packus_epi16(nv, zero));
    }
    if (p < pairs) Reference().blendPairs(u + p, v + p, overlay + 2 * p, keep + 2 * p, pairs - p);
}

// Three bytes a pixel gain nothing from the vector path but the arithmetic.
void Convert24(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* out) {
    int x = 0;
    alignas(16) uint8_t pixels[64];
    for (; x + 16 <= width; x += 16) {
        Store<kRgb32>(Convert16Pixels(y + x, u + x / 2, v + x / 2), pixels);
        for (int k = 0; k < 16; ++k) std::memcpy(out + 3 * (x + k), pixels + 4 * k, 3);
    }
    if (x < width) Reference().convert[kRgb24](y + x, u + x / 2, v + x / 2, width - x, out + 3 * x);
}

template <int Depth>
void ConvertAverage(const YuvRow& a, const YuvRow& b, int width, uint8_t* out) {
    ConvertAverageInPieces(*Ssse3RgbRows(), Depth, a, b, width, out);
}

__attribute__((unused))
const RgbRows kFast = {"ssse3",
                       SplitPacked,
                       Scale,
                       Average,
                       Mean,
                       Blend,
                       BlendPairs,
                       {ConvertLine<kRgb15>, ConvertLine<kRgb16>, Convert24, ConvertLine<kRgb32>},
                       {ConvertAverage<kRgb15>, ConvertAverage<kRgb16>, ConvertAverage<kRgb24>,
                        ConvertAverage<kRgb32>}};

}  // namespace

const RgbRows* Ssse3RgbRows() {
    static const bool usable = __builtin_cpu_supports("ssse3");
    return usable ? &kFast : nullptr;
}
