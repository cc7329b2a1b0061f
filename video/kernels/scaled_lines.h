// Per-line work of the scaled kind, as one table of routines per code path:
// the scalar reference and, on x86, an SSE2 path that gives the same bytes.
#pragma once

#include <cstdint>

#include "video/kernels/kernel_cpu.h"

// The colour step of the scaled kind folded once per change: each sample moves
// away from 128 by its factor (8.8 fixed point, 256 = unchanged) and lands on its
// centre (128 plus brightness or the chroma offset).
struct ScaledColour {
    int16_t lumaFactor = 256;
    int16_t chromaFactor = 256;
    int16_t lumaCentre = 128;
    int16_t uCentre = 128;
    int16_t vCentre = 128;
};

// Where each output column of a reducing line takes its samples from. Per
// column: the left pixel of its luma pair, the pair's two weights and its
// chroma byte. Per block of eight columns, for paths that shuffle bytes: the
// first source byte the block reads (or -1 when its bytes do not lie within
// 16 that can be read inside the line) and 16 shuffle bytes that pick the
// luma pairs, and the same for the eight chroma bytes (8 of 16 used).
struct ScaledGather {
    const int32_t* at;
    const int16_t* weights;
    const int32_t* chromaIndex;
    const int32_t* lumaBase;
    const uint8_t* lumaMask;
    const int32_t* chromaBase;
    const uint8_t* chromaMask;
};

constexpr int kScaledBlock = 8;

struct ScaledLineSet {
    const char* name;
    // (a x (256 - fraction) + b x fraction + 128) >> 8 per byte.
    void (*blend)(const uint8_t* a, const uint8_t* b, int fraction, int width, uint8_t* out);
    // (a + b + 1) >> 1 per byte.
    void (*mean)(const uint8_t* a, const uint8_t* b, int width, uint8_t* out);
    // Luma resampled across: out[x] = (luma[at[x]] x weights[2x] + luma[at[x] + 1] x
    // weights[2x + 1]) >> 8, each column a neighbouring pair and its two weights.
    void (*resample)(const uint8_t* luma, const ScaledGather& g, int width, uint8_t* out);
    // Y0 U Y1 V out of width luma samples and width chroma bytes (U at even
    // positions, V at odd), each through the colour step.
    void (*pack)(const uint8_t* luma, const uint8_t* chroma, int width, const ScaledColour& c,
                 uint8_t* out);
    // out[x] = chroma[chromaIndex[x]].
    void (*gather)(const uint8_t* chroma, const ScaledGather& g, int width, uint8_t* out);
    // blend of lines a and b, then resample, in one pass that blends only the
    // pairs it reads; the same bytes as the two steps. Null on paths without it.
    void (*blendResample)(const uint8_t* a, const uint8_t* b, int fraction, const ScaledGather& g,
                          int width, uint8_t* out);
};

namespace {

// One sample through the colour step, as every path computes it. Each file gets
// its own copy, so the one built for SSE2 is never shared with the reference.
inline uint8_t ScaledSample(int value, int factor, int centre) {
    const int moved = ((value - 128) * factor) >> 8;  // arithmetic: rounds towards -inf
    const int result = moved + centre;
    return uint8_t(result < 0 ? 0 : (result > 255 ? 255 : result));
}

}  // namespace

const ScaledLineSet& ScaledReferenceLines();
// Null when this build has no such path.
const ScaledLineSet* ScaledSse2Lines();
// SSE2 with byte shuffles for the gathers (SSSE3).
const ScaledLineSet* ScaledSsse3Lines();
// 32-byte registers where they pay; run only where HostSupportsAvx2() allows.
const ScaledLineSet* ScaledAvx2Lines();
// The routines the processor record allows.
const ScaledLineSet& ScaledLinesFor(const KernelCpu& cpu);
