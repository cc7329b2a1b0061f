// Scaling steps, the tap chunks and the vertical line choice.
#include "video/render/rgb_scale_tables.h"

#include <algorithm>

namespace {

int64_t EvenUp(int value) {
    return (int64_t(value) + 1) & ~int64_t(1);
}

}  // namespace

int32_t VerticalStep(int sourceHeight, int outputHeight, int scale) {
    if (outputHeight <= 0 || outputHeight == sourceHeight || sourceHeight <= 0) return 0;
    const int64_t numerator = (int64_t(sourceHeight) * 256 - 256) * scale;
    return int32_t(numerator / (EvenUp(outputHeight) * 1000));
}

int32_t HorizontalStep(int sourceWidth, int outputWidth, int scale) {
    if (outputWidth <= 0 || outputWidth == sourceWidth || sourceWidth <= 0) return 0;
    const int64_t scaled = (int64_t(scale) * sourceWidth) & 0xFFFFFF;
    return int32_t(scaled * 256 / (EvenUp(outputWidth) * 1000));
}

LineChoice ChooseLines(int n, int32_t step, int sourceHeight) {
    const int32_t last = std::max(sourceHeight - 1, 0);
    if (step == 0) {
        const int32_t line = std::min(n, last);
        return {line, line};
    }
    const int64_t position = int64_t(n) * step;
    const int32_t upper = std::min(int32_t(position >> 8), last);
    const int32_t lower = std::min(upper + 1, last);
    const uint8_t f = uint8_t((position & 255) - 1);
    if (f >= 63 && f <= 191) return {upper, lower};
    if (f >= 192) return {lower, lower};
    return {upper, upper};
}

namespace {

ScaleChunk ChunkAt(const std::vector<ScaleTap>& taps, size_t first) {
    ScaleChunk chunk{};
    chunk.base = taps[first].left;
    chunk.fits = 1;
    for (size_t k = 0; k < 16; ++k) {
        // Padding samples past the end repeat the last tap.
        const ScaleTap& tap = taps[std::min(first + k, taps.size() - 1)];
        const int32_t left = tap.left - chunk.base;
        const int32_t right = tap.right - chunk.base;
        if (left < 0 || right > 15) chunk.fits = 0;
        chunk.left[k] = uint8_t(left & 15);
        chunk.right[k] = uint8_t(right & 15);
        chunk.weight[k] = int16_t(tap.weight << 7);
    }
    return chunk;
}

}  // namespace

ScalePlan BuildScalePlan(int sourceWidth, int outputWidth, int32_t step) {
    ScalePlan plan;
    plan.sourceWidth = sourceWidth;
    plan.outputWidth = outputWidth;
    plan.step = step;
    plan.taps = BuildScaleTaps(sourceWidth, outputWidth, step);
    for (size_t first = 0; first < plan.taps.size(); first += 16)
        plan.chunks.push_back(ChunkAt(plan.taps, first));
    return plan;
}
