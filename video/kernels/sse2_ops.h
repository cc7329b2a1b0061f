// The 16-byte SSE2 register operations for the shared SIMD line template.
// Each including file gets its own copy built with its own flags: the AVX2
// file uses it for the half step a 32-byte loop leaves at the end of a line.
#pragma once

#include <emmintrin.h>

#include <cstdint>

namespace {

struct Sse2Ops {
    using V = __m128i;
    static constexpr int kBytes = 16;

    static V Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
    static V Row(const void* p) { return _mm_load_si128(static_cast<const V*>(p)); }
    static void Store(uint8_t* p, V v) { _mm_storeu_si128(reinterpret_cast<V*>(p), v); }
    static V Zero() { return _mm_setzero_si128(); }
    static V SetByte(char x) { return _mm_set1_epi8(x); }
    static V SetWord(int16_t x) { return _mm_set1_epi16(x); }
    static V Avg8(V a, V b) { return _mm_avg_epu8(a, b); }
    static V AddsU8(V a, V b) { return _mm_adds_epu8(a, b); }
    static V SubsU8(V a, V b) { return _mm_subs_epu8(a, b); }
    static V And(V a, V b) { return _mm_and_si128(a, b); }
    static V Xor(V a, V b) { return _mm_xor_si128(a, b); }
    template <int n>
    static V Srli16(V a) {
        return _mm_srli_epi16(a, n);
    }
    static V UnpackLo8(V a, V b) { return _mm_unpacklo_epi8(a, b); }
    static V UnpackHi8(V a, V b) { return _mm_unpackhi_epi8(a, b); }
    static V MulLo16(V a, V b) { return _mm_mullo_epi16(a, b); }
    static V MulHi16(V a, V b) { return _mm_mulhi_epi16(a, b); }
    static V MulHiU16(V a, V b) { return _mm_mulhi_epu16(a, b); }
    static V Adds16(V a, V b) { return _mm_adds_epi16(a, b); }
    static V PackUs16(V a, V b) { return _mm_packus_epi16(a, b); }
    static V SwapWordPairs(V a) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(a, 0xB1), 0xB1); }

    // 32 chroma bytes into 16 U and 16 V.
    static void StoreSplit(uint8_t* u, uint8_t* v, V first, V second) {
        const V low = _mm_set1_epi16(0x00FF);
        Store(u, _mm_packus_epi16(_mm_and_si128(first, low), _mm_and_si128(second, low)));
        Store(v, _mm_packus_epi16(_mm_srli_epi16(first, 8), _mm_srli_epi16(second, 8)));
    }
    // 16 chroma bytes into 8 U and 8 V.
    static void StoreSplitHalf(uint8_t* u, uint8_t* v, V c) {
        const V low = _mm_set1_epi16(0x00FF);
        _mm_storel_epi64(reinterpret_cast<V*>(u), _mm_packus_epi16(_mm_and_si128(c, low), Zero()));
        _mm_storel_epi64(reinterpret_cast<V*>(v), _mm_packus_epi16(_mm_srli_epi16(c, 8), Zero()));
    }
    // 16 bytes of each, alternating, into 32 bytes.
    static void StoreInterleaved(uint8_t* out, V first, V second) {
        Store(out, _mm_unpacklo_epi8(first, second));
        Store(out + 16, _mm_unpackhi_epi8(first, second));
    }
};

}  // namespace
