// The per-configuration tables of the aspect-fitting scaler: the fitted size
// inside the box, the nearest-neighbour index tables and the weight pairs of
// the linear filter. Built once per configuration; the line routines only
// look positions up.
#pragma once

#include <cstdint>
#include <vector>

struct ScalerFit {
    int width;
    int height;
};

// The largest picture of the aspect ratio (width / height) that fits the box,
// its sizes adjusted from the box's in steps of 4: with r >= box width / box
// height the width is the box's and the height is box height + ((trunc(box
// width / r + 0.5) - box height) AND NOT 3); otherwise the other way round.
// The two's-complement AND rounds a negative difference down, so the result
// never exceeds the box. It may be 0 or less for extreme ratios.
ScalerFit FitInBox(float aspect, int boxWidth, int boxHeight);

// Entry k of n (k < n) is the source index k x (m - 1) / (n - 1) rounded to
// the nearest, an exact half rounded down. Built incrementally with a running
// remainder. An output length of 1 gives the single entry 0.
std::vector<int32_t> BuildIndexTable(int outputLength, int sourceLength);

// A weight pair of the linear filter: output `position` is made of source
// `base` (weight first) and base + 1 (weight second), in 16.16.
struct ScalerWeight {
    int32_t position;
    int32_t base;
    int32_t first;
    int32_t second;
};

// Only when the output is at least as long as the source: every position k > 0
// whose index equals that of k - 1 gets (w, 65536 - w), w = (1 - t / (n - 1))
// x 65536 truncated, t the running remainder at k. In order of positions.
std::vector<ScalerWeight> BuildWeightTable(int outputLength, int sourceLength);
