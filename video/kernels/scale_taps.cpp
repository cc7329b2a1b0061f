// The horizontal scaling taps.
#include "video/kernels/scale_taps.h"

#include <algorithm>

std::vector<ScaleTap> BuildScaleTaps(int sourceWidth, int outputWidth, int32_t step) {
    std::vector<ScaleTap> taps(size_t(std::max(outputWidth, 0)));
    // Hostile geometry may give any width; a width below one has only pixel 0.
    const int32_t last = sourceWidth > 1 ? sourceWidth - 1 : 0;
    for (int j = 0; j < outputWidth; ++j) {
        if (step == 0) {
            const int32_t i = std::min(j, last);
            taps[size_t(j)] = {i, i, 255};
            continue;
        }
        const int64_t position = int64_t(j) * step;
        const int32_t fraction = int32_t(position & 255);
        // A negative step (from a hostile source width) must not index before pixel 0.
        const int32_t i = int32_t(std::clamp<int64_t>((position + 255) >> 8, 0, last));
        taps[size_t(j)] = {std::max(i - 1, 0), i, fraction == 0 ? 255 : fraction};
    }
    return taps;
}
