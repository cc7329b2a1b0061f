// AVX2 routines: conversion 32 pixels a step with the reference's fixed point
// (also straight from two lines being averaged), splitting 32 pixels and
// scaling two chunks a step; the rest are the SSSE3 path's. Built with its own
// flags and used only when the processor has AVX2.
#include <immintrin.h>

#include <cstring>

#include "video/render/rgb_rows.h"

namespace {

// The reference's fixed point worked at half scale: Y x 64 plus the high
// half of each chroma product, shifted by 6. Its doubled sums saturate only
// where the result is clamped to 255 anyway, except the first sum of green,
// which the reference saturates before adding the V term: that is the limit
// of 16383 below. The final saturating pack is the clamp to 0 ... 255.
inline __m256i Product(__m256i centred, short factor) {
    return _mm256_mulhi_epi16(centred, _mm256_set1_epi16(factor));
}

// 16 chroma bytes (repeated in both lanes) as words (c - 128) x 256, pairs
// 0-7 | 8-15: the byte shuffle puts each byte in the high half of a word.
inline __m256i Centred(__m256i c) {
    const __m256i high =
        _mm256_setr_epi8(-1, 0, -1, 1, -1, 2, -1, 3, -1, 4, -1, 5, -1, 6, -1, 7, -1, 8, -1, 9, -1,
                         10, -1, 11, -1, 12, -1, 13, -1, 14, -1, 15);
    return _mm256_xor_si256(_mm256_shuffle_epi8(c, high), _mm256_set1_epi16(short(0x8000)));
}

// B, G, R of 32 pixels as bytes in pixel order.
struct Bgr32 {
    __m256i b, g, r;
};

// The terms of each pair, spread to its two pixels: word unpacks work within
// lanes, giving pixels 0-7 and 16-23 (Low) and 8-15 and 24-31 (High).
inline __m256i Low(__m256i pairs) {
    return _mm256_unpacklo_epi16(pairs, pairs);
}

inline __m256i High(__m256i pairs) {
    return _mm256_unpackhi_epi16(pairs, pairs);
}

// Both halves shifted back and packed: packing the two in-lane halves puts
// the 32 pixels back in order.
inline __m256i Channel(__m256i low, __m256i high) {
    return _mm256_packus_epi16(_mm256_srai_epi16(low, 6), _mm256_srai_epi16(high, 6));
}

inline __m256i Green(__m256i y, __m256i fromU, __m256i fromV) {
    const __m256i first = _mm256_min_epi16(_mm256_add_epi16(y, fromU), _mm256_set1_epi16(16383));
    return _mm256_add_epi16(first, fromV);
}

// 32 pixels from their Y bytes and 16 U and V bytes: the chroma terms are
// worked out once per pair, Y is widened in the same in-lane order as the
// spread terms.
inline Bgr32 Convert32Pixels(__m256i luma, __m256i u, __m256i v) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i cu = Centred(u);
    const __m256i cv = Centred(v);
    const __m256i blue = Product(cu, kBlueFromU);
    const __m256i greenU = Product(cu, kGreenFromU);
    const __m256i greenV = Product(cv, kGreenFromV);
    const __m256i red = Product(cv, kRedFromV);
    const __m256i y0 = _mm256_slli_epi16(_mm256_unpacklo_epi8(luma, zero), 6);
    const __m256i y1 = _mm256_slli_epi16(_mm256_unpackhi_epi8(luma, zero), 6);
    Bgr32 p;
    p.b = Channel(_mm256_add_epi16(y0, Low(blue)), _mm256_add_epi16(y1, High(blue)));
    p.g = Channel(Green(y0, Low(greenU), Low(greenV)), Green(y1, High(greenU), High(greenV)));
    p.r = Channel(_mm256_add_epi16(y0, Low(red)), _mm256_add_epi16(y1, High(red)));
    return p;
}

template <int Depth>
inline void Store(const Bgr32& p, uint8_t* out);

// B G R 0 per pixel: byte and word unpacks give pixels 0-3 | 16-19, 4-7 |
// 20-23, 8-11 | 24-27 and 12-15 | 28-31, put in order by lane permutes.
template <>
inline void Store<kRgb32>(const Bgr32& p, uint8_t* out) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i bgLo = _mm256_unpacklo_epi8(p.b, p.g);
    const __m256i bgHi = _mm256_unpackhi_epi8(p.b, p.g);
    const __m256i r0Lo = _mm256_unpacklo_epi8(p.r, zero);
    const __m256i r0Hi = _mm256_unpackhi_epi8(p.r, zero);
    const __m256i q0 = _mm256_unpacklo_epi16(bgLo, r0Lo);
    const __m256i q1 = _mm256_unpackhi_epi16(bgLo, r0Lo);
    const __m256i q2 = _mm256_unpacklo_epi16(bgHi, r0Hi);
    const __m256i q3 = _mm256_unpackhi_epi16(bgHi, r0Hi);
    __m256i* o = reinterpret_cast<__m256i*>(out);
    _mm256_storeu_si256(o, _mm256_permute2x128_si256(q0, q1, 0x20));
    _mm256_storeu_si256(o + 1, _mm256_permute2x128_si256(q2, q3, 0x20));
    _mm256_storeu_si256(o + 2, _mm256_permute2x128_si256(q0, q1, 0x31));
    _mm256_storeu_si256(o + 3, _mm256_permute2x128_si256(q2, q3, 0x31));
}

// 5-6-5 (green bits 6) or 5-5-5 (green bits 5) words from B | R << 8 words:
// red's top bits are already in place for 5-6-5.
template <int GreenBits>
inline __m256i Word(__m256i br, __m256i g) {
    const __m256i high = _mm256_and_si256(br, _mm256_set1_epi16(short(0xF800)));
    const __m256i red = GreenBits == 6 ? high : _mm256_srli_epi16(high, 1);
    const __m256i green =
        _mm256_and_si256(_mm256_slli_epi16(g, GreenBits == 6 ? 3 : 2),
                         _mm256_set1_epi16(short(GreenBits == 6 ? 0x07E0 : 0x03E0)));
    const __m256i blue = _mm256_srli_epi16(_mm256_and_si256(br, _mm256_set1_epi16(0x00F8)), 3);
    return _mm256_or_si256(_mm256_or_si256(red, green), blue);
}

template <int GreenBits>
inline void StoreWords(const Bgr32& p, uint8_t* out) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i lo =
        Word<GreenBits>(_mm256_unpacklo_epi8(p.b, p.r), _mm256_unpacklo_epi8(p.g, zero));
    const __m256i hi =
        Word<GreenBits>(_mm256_unpackhi_epi8(p.b, p.r), _mm256_unpackhi_epi8(p.g, zero));
    __m256i* o = reinterpret_cast<__m256i*>(out);
    _mm256_storeu_si256(o, _mm256_permute2x128_si256(lo, hi, 0x20));
    _mm256_storeu_si256(o + 1, _mm256_permute2x128_si256(lo, hi, 0x31));
}

template <>
inline void Store<kRgb16>(const Bgr32& p, uint8_t* out) {
    StoreWords<6>(p, out);
}

template <>
inline void Store<kRgb15>(const Bgr32& p, uint8_t* out) {
    StoreWords<5>(p, out);
}

inline __m256i Load32(const uint8_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// 16 bytes in both lanes.
inline __m256i Load16(const uint8_t* p) {
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// (a / 2) + (b / 2) per byte: the rounded-up mean less the carry of the two low bits.
inline __m256i Halves(__m256i a, __m256i b) {
    const __m256i odd = _mm256_and_si256(_mm256_or_si256(a, b), _mm256_set1_epi8(1));
    return _mm256_sub_epi8(_mm256_avg_epu8(a, b), odd);
}

// The pixels of one line, or of the average of two.
struct OneRow {
    const YuvRow& a;
    __m256i Y(int x) const { return Load32(a.y + x); }
    __m256i U(int x) const { return Load16(a.u + x / 2); }
    __m256i V(int x) const { return Load16(a.v + x / 2); }
};

struct TwoRows {
    const YuvRow& a;
    const YuvRow& b;
    __m256i Y(int x) const { return Halves(Load32(a.y + x), Load32(b.y + x)); }
    __m256i U(int x) const { return Halves(Load16(a.u + x / 2), Load16(b.u + x / 2)); }
    __m256i V(int x) const { return Halves(Load16(a.v + x / 2), Load16(b.v + x / 2)); }
};

// 32 pixels a step. The last step reads into the lines' padding and is
// stored through a small buffer, so nothing past the width is written.
template <int Depth, class Rows>
void ConvertRows(const Rows& rows, int width, uint8_t* out) {
    constexpr int bytes = Depth == kRgb32 ? 4 : 2;
    int x = 0;
    for (; x + 32 <= width; x += 32)
        Store<Depth>(Convert32Pixels(rows.Y(x), rows.U(x), rows.V(x)), out + x * bytes);
    if (x < width) {
        alignas(32) uint8_t last[32 * bytes];
        Store<Depth>(Convert32Pixels(rows.Y(x), rows.U(x), rows.V(x)), last);
        std::memcpy(out + x * bytes, last, size_t(width - x) * bytes);
    }
}

template <int Depth>
void ConvertLine(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* out) {
    const YuvRow row{y, u, v};
    ConvertRows<Depth>(OneRow{row}, width, out);
}

template <int Depth>
void ConvertAverage(const YuvRow& a, const YuvRow& b, int width, uint8_t* out) {
    ConvertRows<Depth>(TwoRows{a, b}, width, out);
}

// Y, and U and V, of 16 packed pixel pairs (64 bytes) a step. The packs work
// within lanes; a quadword permute puts each result back in order.
void SplitPacked(const uint8_t* lumaLine, const uint8_t* chromaLine, int width, uint8_t* y,
                 uint8_t* u, uint8_t* v) {
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    int x = 0;
    for (; x + 32 <= width; x += 32) {
        const __m256i l0 = Load32(lumaLine + 2 * x);
        const __m256i l1 = Load32(lumaLine + 2 * x + 32);
        const __m256i luma =
            _mm256_packus_epi16(_mm256_and_si256(l0, lowBytes), _mm256_and_si256(l1, lowBytes));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(y + x),
                            _mm256_permute4x64_epi64(luma, 0xD8));
        // U, V of each pair as bytes in order, then U of all pairs beside V.
        const __m256i c0 = _mm256_srli_epi16(Load32(chromaLine + 2 * x), 8);
        const __m256i c1 = _mm256_srli_epi16(Load32(chromaLine + 2 * x + 32), 8);
        const __m256i uv = _mm256_permute4x64_epi64(_mm256_packus_epi16(c0, c1), 0xD8);
        const __m256i split = _mm256_permute4x64_epi64(
            _mm256_packus_epi16(_mm256_and_si256(uv, lowBytes), _mm256_srli_epi16(uv, 8)), 0xD8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(u + x / 2), _mm256_castsi256_si128(split));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(v + x / 2), _mm256_extracti128_si256(split, 1));
    }
    if (x < width)
        Ssse3RgbRows()->splitPacked(lumaLine + 2 * x, chromaLine + 2 * x, width - x, y + x,
                                    u + x / 2, v + x / 2);
}

void ScaleChunkScalar(const uint8_t* src, const ScalePlan& plan, size_t chunk, uint8_t* dst) {
    const size_t first = chunk * 16;
    for (size_t k = 0; k < 16 && first + k < plan.taps.size(); ++k) {
        const ScaleTap& tap = plan.taps[first + k];
        const int32_t d = (int32_t(src[tap.right]) - int32_t(src[tap.left])) * (tap.weight << 7);
        dst[first + k] = uint8_t(int32_t(src[tap.left]) + ((d + 0x4000) >> 15));
    }
}

inline __m256i Load2(const void* low, const void* high) {
    return _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_loadu_si128(static_cast<const __m128i*>(low))),
        _mm_loadu_si128(static_cast<const __m128i*>(high)), 1);
}

// 16 samples of one chunk as words: left + (right - left) x weight, rounded.
inline __m256i Blend16(__m128i left, __m128i right, const int16_t* weight) {
    const __m256i l = _mm256_cvtepu8_epi16(left);
    const __m256i d = _mm256_sub_epi16(_mm256_cvtepu8_epi16(right), l);
    const __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(weight));
    return _mm256_add_epi16(l, _mm256_mulhrs_epi16(d, w));
}

// One chunk: shuffled within its window, or tap by tap when it does not fit.
void OneChunk(const uint8_t* src, const ScalePlan& plan, size_t c, uint8_t* dst) {
    const ScaleChunk& a = plan.chunks[c];
    if (!a.fits) {
        ScaleChunkScalar(src, plan, c, dst);
        return;
    }
    const __m128i window = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + a.base));
    const __m128i left =
        _mm_shuffle_epi8(window, _mm_loadu_si128(reinterpret_cast<const __m128i*>(a.left)));
    const __m128i right =
        _mm_shuffle_epi8(window, _mm_loadu_si128(reinterpret_cast<const __m128i*>(a.right)));
    const __m256i o = Blend16(left, right, a.weight);
    const __m128i bytes =
        _mm_packus_epi16(_mm256_castsi256_si128(o), _mm256_extracti128_si256(o, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + c * 16), bytes);
}

// Two chunks a step, each shuffled within its own 16-byte window.
void Scale(const uint8_t* src, const ScalePlan& plan, uint8_t* dst) {
    const size_t count = plan.chunks.size();
    size_t c = 0;
    for (; c + 2 <= count; c += 2) {
        const ScaleChunk& a = plan.chunks[c];
        const ScaleChunk& b = plan.chunks[c + 1];
        if (!a.fits || !b.fits) {
            OneChunk(src, plan, c, dst);
            OneChunk(src, plan, c + 1, dst);
            continue;
        }
        const __m256i window = Load2(src + a.base, src + b.base);
        const __m256i left = _mm256_shuffle_epi8(window, Load2(a.left, b.left));
        const __m256i right = _mm256_shuffle_epi8(window, Load2(a.right, b.right));
        const __m256i o0 =
            Blend16(_mm256_castsi256_si128(left), _mm256_castsi256_si128(right), a.weight);
        const __m256i o1 = Blend16(_mm256_extracti128_si256(left, 1),
                                   _mm256_extracti128_si256(right, 1), b.weight);
        const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(o0, o1), 0xD8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + c * 16), packed);
    }
    if (c < count) OneChunk(src, plan, c, dst);
}

RgbRows Build() {
    RgbRows rows = *Ssse3RgbRows();
    rows.name = "avx2";
    rows.splitPacked = SplitPacked;
    rows.scale = Scale;
    rows.convert[kRgb15] = ConvertLine<kRgb15>;
    rows.convert[kRgb16] = ConvertLine<kRgb16>;
    rows.convert[kRgb32] = ConvertLine<kRgb32>;
    rows.convertAverage[kRgb15] = ConvertAverage<kRgb15>;
    rows.convertAverage[kRgb16] = ConvertAverage<kRgb16>;
    rows.convertAverage[kRgb32] = ConvertAverage<kRgb32>;
    return rows;
}

}  // namespace

const RgbRows* Avx2RgbRows() {
    static const bool usable = __builtin_cpu_supports("avx2") && Ssse3RgbRows() != nullptr;
    if (!usable) return nullptr;
    static const RgbRows rows = Build();
    return &rows;
}
