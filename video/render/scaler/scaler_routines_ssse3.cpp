// SSSE3 path of the scaler's nearest-neighbour lines: each 16-byte chunk of
// an output line is one byte shuffle of a 16-byte window of the source line
// (or two of a 32-byte window), from the gather plan made at configuration.
// Chunks that do not fit and the end of the line are gathered byte by byte.
// Built with its own flags, so it works on the plan's plain view only.
#include <tmmintrin.h>

#include "video/render/scaler/scaler_routines.h"

namespace {

inline __m128i Load(const uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// The usual case (enlargements and mild reductions): one shuffle per chunk.
size_t GatherWindows(const ScalerGatherChunk* __restrict chunks, size_t count,
                     const uint8_t* __restrict sourceLine, uint8_t* __restrict out) {
    for (size_t c = 0; c < count; ++c) {
        const __m128i mask = _mm_load_si128(reinterpret_cast<const __m128i*>(chunks[c].low));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * c),
                         _mm_shuffle_epi8(Load(sourceLine + chunks[c].base), mask));
    }
    return count * 16;
}

void GatherLine(const ScalerPlane& plane, const uint8_t* sourceLine, uint8_t* out) {
    const ScalerGatherView g = ViewOfGatherPlan(plane.gather);
    if (g.oneWindowEach) {
        size_t i = GatherWindows(g.chunks, g.chunkCount, sourceLine, out);
        for (; i < g.byteCount; ++i) out[i] = sourceLine[g.bytes[i]];
        return;
    }
    size_t i = 0;
    for (size_t c = 0; c < g.chunkCount; ++c, i += 16) {
        const ScalerGatherChunk& chunk = g.chunks[c];
        const uint8_t* window = sourceLine + chunk.base;
        __m128i picked;
        if (chunk.kind == kGatherWindow) {
            picked = _mm_shuffle_epi8(Load(window), Load(chunk.low));
        } else if (chunk.kind == kGatherTwoWindows) {
            picked = _mm_or_si128(_mm_shuffle_epi8(Load(window), Load(chunk.low)),
                                  _mm_shuffle_epi8(Load(window + 16), Load(chunk.high)));
        } else {
            for (size_t k = i; k < i + 16; ++k) out[k] = sourceLine[g.bytes[k]];
            continue;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), picked);
    }
    for (; i < g.byteCount; ++i) out[i] = sourceLine[g.bytes[i]];
}

__attribute__((unused)) const ScalerRoutines kSsse3 = {
    "ssse3", {nullptr, GatherLine, nullptr, GatherLine, GatherLine}, GatherLine, GatherLine};

}  // namespace

const ScalerRoutines* Ssse3ScalerRoutines() {
    static const bool usable = __builtin_cpu_supports("ssse3");
    return usable ? &kSsse3 : nullptr;
}
