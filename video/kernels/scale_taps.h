// The horizontal scaling taps every scaler of the library builds from a step in
// 1/256 of a source pixel: the RGB converter and the scaled processor kind.
#pragma once

#include <cstdint>
#include <vector>

// One output sample: out = left + (right - left) x weight / 256, where weight
// is the fraction of the sampling position (255 on a whole pixel).
struct ScaleTap {
    int32_t left;
    int32_t right;
    int32_t weight;
};

// Output sample j sits at j x step; its source index is the first i with
// i x 256 not below that, blended with i - 1. Indices are kept inside the
// source, so no step or size can make the scaler read past a line. A zero
// step maps sample j to source j.
std::vector<ScaleTap> BuildScaleTaps(int sourceWidth, int outputWidth, int32_t step);
