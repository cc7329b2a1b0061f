// The AVX2 kernel table: the shared SIMD line template on 32-byte registers.
// Packing and unpacking work within 128-bit halves, so the stores put the
// halves back in order. A 16-byte step finishes lines such as 720 wide that
// are not whole 32-byte steps, which the reference would do a pixel at a time.
#include <immintrin.h>

#include "video/kernels/kernel_set.h"
#include "video/kernels/kernel_set_build.h"
#include "video/kernels/simd_lines.h"
#include "video/kernels/sse2_ops.h"

namespace {

struct Avx2Ops {
    using V = __m256i;
    static constexpr int kBytes = 32;

    static V Load(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
    static V Row(const void* p) {
        return _mm256_broadcastsi128_si256(_mm_load_si128(static_cast<const __m128i*>(p)));
    }
    static void Store(uint8_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<V*>(p), v); }
    static V Zero() { return _mm256_setzero_si256(); }
    static V SetByte(char x) { return _mm256_set1_epi8(x); }
    static V SetWord(int16_t x) { return _mm256_set1_epi16(x); }
    static V Avg8(V a, V b) { return _mm256_avg_epu8(a, b); }
    static V AddsU8(V a, V b) { return _mm256_adds_epu8(a, b); }
    static V SubsU8(V a, V b) { return _mm256_subs_epu8(a, b); }
    static V And(V a, V b) { return _mm256_and_si256(a, b); }
    static V Xor(V a, V b) { return _mm256_xor_si256(a, b); }
    template <int n>
    static V Srli16(V a) {
        return _mm256_srli_epi16(a, n);
    }
    static V UnpackLo8(V a, V b) { return _mm256_unpacklo_epi8(a, b); }
    static V UnpackHi8(V a, V b) { return _mm256_unpackhi_epi8(a, b); }
    static V MulLo16(V a, V b) { return _mm256_mullo_epi16(a, b); }
    static V MulHi16(V a, V b) { return _mm256_mulhi_epi16(a, b); }
    static V MulHiU16(V a, V b) { return _mm256_mulhi_epu16(a, b); }
    static V Adds16(V a, V b) { return _mm256_adds_epi16(a, b); }
    static V PackUs16(V a, V b) { return _mm256_packus_epi16(a, b); }
    static V SwapWordPairs(V a) {
        return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(a, 0xB1), 0xB1);
    }

    // 64 chroma bytes into 32 U and 32 V.
    static void StoreSplit(uint8_t* u, uint8_t* v, V first, V second) {
        const V low = _mm256_set1_epi16(0x00FF);
        const V us =
            _mm256_packus_epi16(_mm256_and_si256(first, low), _mm256_and_si256(second, low));
        const V vs = _mm256_packus_epi16(_mm256_srli_epi16(first, 8), _mm256_srli_epi16(second, 8));
        Store(u, _mm256_permute4x64_epi64(us, 0xD8));
        Store(v, _mm256_permute4x64_epi64(vs, 0xD8));
    }
    // 32 chroma bytes into 16 U and 16 V.
    static void StoreSplitHalf(uint8_t* u, uint8_t* v, V c) {
        const V low = _mm256_set1_epi16(0x00FF);
        const V us =
            _mm256_permute4x64_epi64(_mm256_packus_epi16(_mm256_and_si256(c, low), Zero()), 0xD8);
        const V vs =
            _mm256_permute4x64_epi64(_mm256_packus_epi16(_mm256_srli_epi16(c, 8), Zero()), 0xD8);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(u), _mm256_castsi256_si128(us));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(v), _mm256_castsi256_si128(vs));
    }
    // 32 bytes of each, alternating, into 64 bytes.
    static void StoreInterleaved(uint8_t* out, V first, V second) {
        const V lo = _mm256_unpacklo_epi8(first, second);
        const V hi = _mm256_unpackhi_epi8(first, second);
        Store(out, _mm256_permute2x128_si256(lo, hi, 0x20));
        Store(out + 32, _mm256_permute2x128_si256(lo, hi, 0x31));
    }
};

}  // namespace

const KernelSet* Avx2Kernels() {
    static const KernelSet set =
        KernelSetBuilder<SimdLines<Avx2Ops>, SimdLines<Sse2Ops>>::Build("avx2");
    return &set;
}
