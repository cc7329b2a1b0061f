// AVX2 path of the scaler's nearest-neighbour lines: two 16-byte chunks per
// step, each lane one byte shuffle of its own 16-byte window of the source
// line. Lines whose chunks do not all fit one window, and the end of a line,
// go to the SSSE3 routine and byte by byte. Built with its own flags, so it
// works on the plan's plain view only.
#include <immintrin.h>

#include "video/render/scaler/scaler_routines.h"

namespace {

void GatherLine(const ScalerPlane& plane, const uint8_t* sourceLine, uint8_t* out) {
    const ScalerGatherView g = ViewOfGatherPlan(plane.gather);
    if (!g.oneWindowEach) {
        Ssse3ScalerRoutines()->gather(plane, sourceLine, out);
        return;
    }
    const ScalerGatherChunk* __restrict chunks = g.chunks;
    const size_t count = g.chunkCount;
    size_t c = 0;
    for (; c + 2 <= count; c += 2) {
        const __m128i low =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(sourceLine + chunks[c].base));
        const __m128i high =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(sourceLine + chunks[c + 1].base));
        const __m256i windows = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
        const __m256i masks = _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(chunks[c].low))),
            _mm_load_si128(reinterpret_cast<const __m128i*>(chunks[c + 1].low)), 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 16 * c),
                            _mm256_shuffle_epi8(windows, masks));
    }
    for (size_t i = c * 16; i < g.byteCount; ++i) out[i] = sourceLine[g.bytes[i]];
}

__attribute__((unused)) const ScalerRoutines kAvx2 = {
    "avx2", {nullptr, GatherLine, nullptr, GatherLine, GatherLine}, GatherLine, GatherLine};

}  // namespace

const ScalerRoutines* Avx2ScalerRoutines() {
    static const bool usable = Ssse3ScalerRoutines() != nullptr && __builtin_cpu_supports("avx2");
    return usable ? &kAvx2 : nullptr;
}
