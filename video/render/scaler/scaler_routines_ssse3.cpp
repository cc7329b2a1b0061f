// SSSE3 path of the scaler's nearest-neighbour lines: each 16-byte chunk of
// an output line is two byte shuffles of a 32-byte window of the source line,
// from the gather plan made at configuration. Chunks that do not fit and the
// end of the line are gathered byte by byte. Built with its own flags.
#include <tmmintrin.h>

#include "video/render/scaler/scaler_routines.h"

namespace {

void GatherLine(const ScalerPlane& plane, const uint8_t* sourceLine, uint8_t* out) {
    const ScalerGatherPlan& g = plane.gather;
    const int32_t* bytes = g.bytes.data();
    size_t i = 0;
    for (const ScalerGatherChunk& chunk : g.chunks) {
        if (chunk.fits) {
            const uint8_t* window = sourceLine + chunk.base;
            const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(window));
            const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(window + 16));
            const __m128i picked = _mm_or_si128(
                _mm_shuffle_epi8(low, _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk.low))),
                _mm_shuffle_epi8(high,
                                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk.high))));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), picked);
        } else {
            for (size_t k = i; k < i + 16; ++k) out[k] = sourceLine[bytes[k]];
        }
        i += 16;
    }
    for (; i < g.bytes.size(); ++i) out[i] = sourceLine[bytes[i]];
}

__attribute__((unused)) const ScalerRoutines kSsse3 = {
    "ssse3", {nullptr, GatherLine, nullptr, GatherLine, GatherLine}, GatherLine};

}  // namespace

const ScalerRoutines* Ssse3ScalerRoutines() {
    static const bool usable = __builtin_cpu_supports("ssse3");
    return usable ? &kSsse3 : nullptr;
}
