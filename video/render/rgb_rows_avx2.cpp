// AVX2 conversion routines: 32 pixels a step with the reference's fixed point;
// splitting, scaling and averaging are the SSSE3 path's. Built with its own
// flags and used only when the processor has AVX2.
#include <immintrin.h>

#include <cstring>

#include "video/render/rgb_rows.h"

namespace {

// B, G, R of 16 pixels as 16-bit words in pixel order, clamped to 0 ... 255.
struct Words16 {
    __m256i b, g, r;
};

inline __m256i Term(__m256i centred, short factor) {
    const __m256i high = _mm256_mulhi_epi16(centred, _mm256_set1_epi16(factor));
    return _mm256_adds_epi16(high, high);
}

inline __m256i Clamp(__m256i v) {
    return _mm256_min_epi16(_mm256_max_epi16(v, _mm256_setzero_si256()), _mm256_set1_epi16(255));
}

// luma: 16 Y bytes; u, v: their 8 chroma bytes each, one per pixel pair.
// Unclamped: packing to bytes saturates exactly as clamping to 0 ... 255 does.
inline Words16 ConvertRaw(__m128i luma, __m128i u, __m128i v) {
    const __m256i flip = _mm256_set1_epi16(short(0x8000));
    const __m256i y128 = _mm256_slli_epi16(_mm256_cvtepu8_epi16(luma), 7);
    const __m256i cu =
        _mm256_xor_si256(_mm256_slli_epi16(_mm256_cvtepu8_epi16(_mm_unpacklo_epi8(u, u)), 8), flip);
    const __m256i cv =
        _mm256_xor_si256(_mm256_slli_epi16(_mm256_cvtepu8_epi16(_mm_unpacklo_epi8(v, v)), 8), flip);
    Words16 w;
    w.b = _mm256_srai_epi16(_mm256_adds_epi16(y128, Term(cu, kBlueFromU)), 7);
    w.g = _mm256_srai_epi16(
        _mm256_adds_epi16(_mm256_adds_epi16(y128, Term(cu, kGreenFromU)), Term(cv, kGreenFromV)),
        7);
    w.r = _mm256_srai_epi16(_mm256_adds_epi16(y128, Term(cv, kRedFromV)), 7);
    return w;
}

inline Words16 Convert(__m128i luma, __m128i u, __m128i v) {
    Words16 w = ConvertRaw(luma, u, v);
    w.b = Clamp(w.b);
    w.g = Clamp(w.g);
    w.r = Clamp(w.r);
    return w;
}

inline Words16 Load16Raw(const uint8_t* y, const uint8_t* u, const uint8_t* v) {
    return ConvertRaw(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y)),
                      _mm_loadl_epi64(reinterpret_cast<const __m128i*>(u)),
                      _mm_loadl_epi64(reinterpret_cast<const __m128i*>(v)));
}

inline Words16 Load16(const uint8_t* y, const uint8_t* u, const uint8_t* v) {
    return Convert(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y)),
                   _mm_loadl_epi64(reinterpret_cast<const __m128i*>(u)),
                   _mm_loadl_epi64(reinterpret_cast<const __m128i*>(v)));
}

// Unclamped words: the byte packs saturate them. B with R and G with zero
// packed per half, then bytes and words interleaved give B G R 0 per pixel.
void Store32(const Words16& w, uint8_t* out) {
    const __m256i br = _mm256_packus_epi16(w.b, w.r);  // b0-7 r0-7 | b8-15 r8-15
    const __m256i g0 = _mm256_packus_epi16(w.g, _mm256_setzero_si256());
    const __m256i bg = _mm256_unpacklo_epi8(br, g0);  // b g of pixels 0-7 | 8-15
    const __m256i r0 = _mm256_unpackhi_epi8(br, _mm256_setzero_si256());  // r 0
    const __m256i lo = _mm256_unpacklo_epi16(bg, r0);                     // pixels 0-3 and 8-11
    const __m256i hi = _mm256_unpackhi_epi16(bg, r0);                     // pixels 4-7 and 12-15
    __m256i* o = reinterpret_cast<__m256i*>(out);
    _mm256_storeu_si256(o, _mm256_permute2x128_si256(lo, hi, 0x20));
    _mm256_storeu_si256(o + 1, _mm256_permute2x128_si256(lo, hi, 0x31));
}

template <int GreenBits>
void StoreWords(const Words16& w, uint8_t* out) {
    const int redShift = GreenBits == 6 ? 11 : 10;
    const __m256i r = _mm256_slli_epi16(_mm256_srli_epi16(w.r, 3), redShift);
    const __m256i g = _mm256_slli_epi16(_mm256_srli_epi16(w.g, 8 - GreenBits), 5);
    const __m256i word = _mm256_or_si256(_mm256_or_si256(r, g), _mm256_srli_epi16(w.b, 3));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), word);
}

template <int Depth>
void ConvertLine(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* out) {
    constexpr int bytes = Depth == kRgb32 ? 4 : 2;
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        if constexpr (Depth == kRgb32) {
            Store32(Load16Raw(y + x, u + x / 2, v + x / 2), out + x * bytes);
        } else {
            const Words16 w = Load16(y + x, u + x / 2, v + x / 2);
            StoreWords<Depth == kRgb16 ? 6 : 5>(w, out + x * bytes);
        }
    }
    if (x < width)
        ReferenceRgbRows().convert[Depth](y + x, u + x / 2, v + x / 2, width - x, out + x * bytes);
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
    rows.scale = Scale;
    rows.convert[kRgb15] = ConvertLine<kRgb15>;
    rows.convert[kRgb16] = ConvertLine<kRgb16>;
    rows.convert[kRgb32] = ConvertLine<kRgb32>;
    return rows;
}

}  // namespace

const RgbRows* Avx2RgbRows() {
    static const bool usable = __builtin_cpu_supports("avx2") && Ssse3RgbRows() != nullptr;
    if (!usable) return nullptr;
    static const RgbRows rows = Build();
    return &rows;
}
