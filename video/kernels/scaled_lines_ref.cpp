// The scaled kind's scalar reference lines and the choice of path.
#include "video/kernels/scaled_lines.h"

namespace {

void Blend(const uint8_t* a, const uint8_t* b, int fraction, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x)
        out[x] = uint8_t((a[x] * (256 - fraction) + b[x] * fraction + 128) >> 8);
}

void Mean(const uint8_t* a, const uint8_t* b, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x) out[x] = uint8_t((a[x] + b[x] + 1) >> 1);
}

void Resample(const uint8_t* luma, const ScaledGather& g, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        const uint8_t* pair = luma + g.at[x];
        out[x] = uint8_t((pair[0] * g.weights[2 * x] + pair[1] * g.weights[2 * x + 1]) >> 8);
    }
}

void Gather(const uint8_t* chroma, const ScaledGather& g, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x) out[x] = chroma[g.chromaIndex[x]];
}

void Pack(const uint8_t* luma, const uint8_t* chroma, int width, const ScaledColour& c,
          uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        out[2 * x] = ScaledSample(luma[x], c.lumaFactor, c.lumaCentre);
        out[2 * x + 1] =
            ScaledSample(chroma[x], c.chromaFactor, (x & 1) == 0 ? c.uCentre : c.vCentre);
    }
}

}  // namespace

const ScaledLineSet& ScaledReferenceLines() {
    static const ScaledLineSet set{"reference", Blend, Mean, Resample, Pack, Gather, nullptr};
    return set;
}

const ScaledLineSet& ScaledLinesFor(const KernelCpu& cpu) {
    const ScaledLineSet* fast = nullptr;
    // Processors with AVX2 have SSSE3 too.
    if (cpu.sse2 && cpu.avx2) fast = ScaledAvx2Lines();
    if (fast == nullptr && cpu.sse2 && cpu.ssse3) fast = ScaledSsse3Lines();
    if (fast == nullptr && cpu.sse2) fast = ScaledSse2Lines();
    return fast != nullptr ? *fast : ScaledReferenceLines();
}
