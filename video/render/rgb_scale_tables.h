// Scaling steps and tables of the RGB converter. Steps are in 1/256 of a
// source pixel or line (8.8 fixed point), with the scale given as 1000 for
// "fill the output".
#pragma once

#include <cstdint>
#include <vector>

#include "video/kernels/scale_taps.h"

// Vertical step: (source height x 256 - 256) x scale / (even output height x
// 1000); 0 (no scaling) when the output height is 0 or equals the source's.
int32_t VerticalStep(int sourceHeight, int outputHeight, int scale);

// Horizontal step: ((scale x source width) mod 2^24) x 256 / (even output
// width x 1000); 0 when the output width is 0 or equals the source's.
int32_t HorizontalStep(int sourceWidth, int outputWidth, int scale);

// Sixteen output samples whose sources lie within 16 bytes from base, so a
// byte shuffle fetches both neighbours at once; chunks that do not fit (strong
// reduction) are scaled tap by tap.
struct ScaleChunk {
    int32_t base;
    int32_t fits;
    uint8_t left[16];
    uint8_t right[16];
    int16_t weight[16];  // weight << 7, for a rounding high-half multiply
};

// The taps and their chunks for one plane width; output buffers are padded to
// whole chunks.
struct ScalePlan {
    int sourceWidth = 0;
    int outputWidth = 0;
    int32_t step = 0;
    std::vector<ScaleTap> taps;
    std::vector<ScaleChunk> chunks;
};

ScalePlan BuildScalePlan(int sourceWidth, int outputWidth, int32_t step);

// Which source lines make output line n.
struct LineChoice {
    int32_t upper;
    int32_t lower;  // equals upper when one line is taken as it is
};

// The fraction f of the position picks the source: (f - 1) as a byte in
// 63 ... 191 averages the two neighbouring lines, from 192 the lower line is
// taken, otherwise the upper. Lines are kept inside the source.
LineChoice ChooseLines(int n, int32_t step, int sourceHeight);
