// AVX-512 (BW) conversion routines: the AVX2 path's arithmetic 64 pixels a
// step; every other routine is the AVX2 path's. Built with its own flags and
// used only when the processor and the system allow AVX-512 BW.
#include <immintrin.h>

#include <cstring>

#include "video/render/rgb_rows.h"

namespace {

// The fixed point at half scale, as on the AVX2 path: Y x 64 plus the high
// half of each chroma product, shifted by 6; green's first sum limited to
// 16383 where the reference saturates it; the saturating pack clamps.
inline __m512i Product(__m512i centred, short factor) {
    return _mm512_mulhi_epi16(centred, _mm512_set1_epi16(factor));
}

// 32 chroma bytes as words (c - 128) x 256, pairs in order.
inline __m512i Centred(__m256i c) {
    return _mm512_xor_si512(_mm512_slli_epi16(_mm512_cvtepu8_epi16(c), 8),
                            _mm512_set1_epi16(short(0x8000)));
}

// Word unpacks work within 128-bit lanes: Low spreads the pairs to pixels
// 0-7 of each group of 16, High to pixels 8-15, the order of Y's byte unpacks.
inline __m512i Low(__m512i pairs) {
    return _mm512_unpacklo_epi16(pairs, pairs);
}

inline __m512i High(__m512i pairs) {
    return _mm512_unpackhi_epi16(pairs, pairs);
}

inline __m512i Channel(__m512i low, __m512i high) {
    return _mm512_packus_epi16(_mm512_srai_epi16(low, 6), _mm512_srai_epi16(high, 6));
}

inline __m512i Green(__m512i y, __m512i fromU, __m512i fromV) {
    const __m512i first = _mm512_min_epi16(_mm512_add_epi16(y, fromU), _mm512_set1_epi16(16383));
    return _mm512_add_epi16(first, fromV);
}

// B, G, R of 64 pixels as bytes in pixel order.
struct Bgr64 {
    __m512i b, g, r;
};

inline Bgr64 Convert64Pixels(__m512i luma, __m256i u, __m256i v) {
    const __m512i zero = _mm512_setzero_si512();
    const __m512i cu = Centred(u);
    const __m512i cv = Centred(v);
    const __m512i blue = Product(cu, kBlueFromU);
    const __m512i greenU = Product(cu, kGreenFromU);
    const __m512i greenV = Product(cv, kGreenFromV);
    const __m512i red = Product(cv, kRedFromV);
    const __m512i y0 = _mm512_slli_epi16(_mm512_unpacklo_epi8(luma, zero), 6);
    const __m512i y1 = _mm512_slli_epi16(_mm512_unpackhi_epi8(luma, zero), 6);
    Bgr64 p;
    p.b = Channel(_mm512_add_epi16(y0, Low(blue)), _mm512_add_epi16(y1, High(blue)));
    p.g = Channel(Green(y0, Low(greenU), Low(greenV)), Green(y1, High(greenU), High(greenV)));
    p.r = Channel(_mm512_add_epi16(y0, Low(red)), _mm512_add_epi16(y1, High(red)));
    return p;
}

template <int Depth>
inline void Store(const Bgr64& p, uint8_t* out);

// B G R 0 per pixel. The unpacks leave lane k of q0 ... q3 holding pixels
// 16k + 0-3, 4-7, 8-11 and 12-15; a 4 x 4 transpose of lanes puts them in order.
template <>
inline void Store<kRgb32>(const Bgr64& p, uint8_t* out) {
    const __m512i zero = _mm512_setzero_si512();
    const __m512i bgLo = _mm512_unpacklo_epi8(p.b, p.g);
    const __m512i bgHi = _mm512_unpackhi_epi8(p.b, p.g);
    const __m512i r0Lo = _mm512_unpacklo_epi8(p.r, zero);
    const __m512i r0Hi = _mm512_unpackhi_epi8(p.r, zero);
    const __m512i q0 = _mm512_unpacklo_epi16(bgLo, r0Lo);
    const __m512i q1 = _mm512_unpackhi_epi16(bgLo, r0Lo);
    const __m512i q2 = _mm512_unpacklo_epi16(bgHi, r0Hi);
    const __m512i q3 = _mm512_unpackhi_epi16(bgHi, r0Hi);
    const __m512i evenLanes = _mm512_setr_epi64(0, 1, 8, 9, 4, 5, 12, 13);
    const __m512i oddLanes = _mm512_setr_epi64(2, 3, 10, 11, 6, 7, 14, 15);
    const __m512i lowHalves = _mm512_setr_epi64(0, 1, 2, 3, 8, 9, 10, 11);
    const __m512i highHalves = _mm512_setr_epi64(4, 5, 6, 7, 12, 13, 14, 15);
    const __m512i t0 = _mm512_permutex2var_epi64(q0, evenLanes, q1);  // lanes 0 and 2
    const __m512i t1 = _mm512_permutex2var_epi64(q2, evenLanes, q3);
    const __m512i t2 = _mm512_permutex2var_epi64(q0, oddLanes, q1);  // lanes 1 and 3
    const __m512i t3 = _mm512_permutex2var_epi64(q2, oddLanes, q3);
    _mm512_storeu_si512(out, _mm512_permutex2var_epi64(t0, lowHalves, t1));
    _mm512_storeu_si512(out + 64, _mm512_permutex2var_epi64(t2, lowHalves, t3));
    _mm512_storeu_si512(out + 128, _mm512_permutex2var_epi64(t0, highHalves, t1));
    _mm512_storeu_si512(out + 192, _mm512_permutex2var_epi64(t2, highHalves, t3));
}

// 5-6-5 (green bits 6) or 5-5-5 (green bits 5) words from B | R << 8 words.
template <int GreenBits>
inline __m512i Word(__m512i br, __m512i g) {
    const __m512i high = _mm512_and_si512(br, _mm512_set1_epi16(short(0xF800)));
    const __m512i red = GreenBits == 6 ? high : _mm512_srli_epi16(high, 1);
    const __m512i green =
        _mm512_and_si512(_mm512_slli_epi16(g, GreenBits == 6 ? 3 : 2),
                         _mm512_set1_epi16(short(GreenBits == 6 ? 0x07E0 : 0x03E0)));
    const __m512i blue = _mm512_srli_epi16(_mm512_and_si512(br, _mm512_set1_epi16(0x00F8)), 3);
    return _mm512_or_si512(_mm512_or_si512(red, green), blue);
}

// Lane k of lo holds pixels 16k + 0-7, of hi 16k + 8-15: interleaved by lanes.
template <int GreenBits>
inline void StoreWords(const Bgr64& p, uint8_t* out) {
    const __m512i zero = _mm512_setzero_si512();
    const __m512i lo =
        Word<GreenBits>(_mm512_unpacklo_epi8(p.b, p.r), _mm512_unpacklo_epi8(p.g, zero));
    const __m512i hi =
        Word<GreenBits>(_mm512_unpackhi_epi8(p.b, p.r), _mm512_unpackhi_epi8(p.g, zero));
    const __m512i first = _mm512_setr_epi64(0, 1, 8, 9, 2, 3, 10, 11);
    const __m512i second = _mm512_setr_epi64(4, 5, 12, 13, 6, 7, 14, 15);
    _mm512_storeu_si512(out, _mm512_permutex2var_epi64(lo, first, hi));
    _mm512_storeu_si512(out + 64, _mm512_permutex2var_epi64(lo, second, hi));
}

template <>
inline void Store<kRgb16>(const Bgr64& p, uint8_t* out) {
    StoreWords<6>(p, out);
}

template <>
inline void Store<kRgb15>(const Bgr64& p, uint8_t* out) {
    StoreWords<5>(p, out);
}

inline __m512i Load64(const uint8_t* p) {
    return _mm512_loadu_si512(p);
}

inline __m256i Load32(const uint8_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// (a / 2) + (b / 2) per byte: the rounded-up mean less the carry of the two low bits.
inline __m512i Halves(__m512i a, __m512i b) {
    const __m512i odd = _mm512_and_si512(_mm512_or_si512(a, b), _mm512_set1_epi8(1));
    return _mm512_sub_epi8(_mm512_avg_epu8(a, b), odd);
}

inline __m256i Halves(__m256i a, __m256i b) {
    const __m256i odd = _mm256_and_si256(_mm256_or_si256(a, b), _mm256_set1_epi8(1));
    return _mm256_sub_epi8(_mm256_avg_epu8(a, b), odd);
}

// The pixels of one line, or of the average of two.
struct OneRow {
    const YuvRow& a;
    __m512i Y(int x) const { return Load64(a.y + x); }
    __m256i U(int x) const { return Load32(a.u + x / 2); }
    __m256i V(int x) const { return Load32(a.v + x / 2); }
};

struct TwoRows {
    const YuvRow& a;
    const YuvRow& b;
    __m512i Y(int x) const { return Halves(Load64(a.y + x), Load64(b.y + x)); }
    __m256i U(int x) const { return Halves(Load32(a.u + x / 2), Load32(b.u + x / 2)); }
    __m256i V(int x) const { return Halves(Load32(a.v + x / 2), Load32(b.v + x / 2)); }
};

// 64 pixels a step. The last step reads into the lines' padding and is
// stored through a small buffer, so nothing past the width is written.
template <int Depth, class Rows>
void ConvertRows(const Rows& rows, int width, uint8_t* out) {
    constexpr int bytes = Depth == kRgb32 ? 4 : 2;
    int x = 0;
    for (; x + 64 <= width; x += 64)
        Store<Depth>(Convert64Pixels(rows.Y(x), rows.U(x), rows.V(x)), out + x * bytes);
    if (x < width) {
        alignas(64) uint8_t last[64 * bytes];
        Store<Depth>(Convert64Pixels(rows.Y(x), rows.U(x), rows.V(x)), last);
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

RgbRows Build() {
    RgbRows rows = *Avx2RgbRows();
    rows.name = "avx512";
    rows.convert[kRgb15] = ConvertLine<kRgb15>;
    rows.convert[kRgb16] = ConvertLine<kRgb16>;
    rows.convert[kRgb32] = ConvertLine<kRgb32>;
    rows.convertAverage[kRgb15] = ConvertAverage<kRgb15>;
    rows.convertAverage[kRgb16] = ConvertAverage<kRgb16>;
    rows.convertAverage[kRgb32] = ConvertAverage<kRgb32>;
    return rows;
}

}  // namespace

const RgbRows* Avx512RgbRows() {
    static const bool usable = __builtin_cpu_supports("avx512bw") && Avx2RgbRows() != nullptr;
    if (!usable) return nullptr;
    static const RgbRows rows = Build();
    return &rows;
}
