// The byte gather plan of nearest-neighbour lines, for the shuffle path.
#include <algorithm>

#include "video/render/scaler/scaler_plane.h"

namespace {

constexpr int kChunk = 16;
constexpr int kWindow = 32;
constexpr uint8_t kZero = 0x80;  // a shuffle index that gives 0

ScalerGatherChunk ChunkAt(const std::vector<int32_t>& bytes, size_t first, int sourceLineBytes) {
    ScalerGatherChunk chunk{};
    const auto range =
        std::minmax_element(bytes.begin() + long(first), bytes.begin() + long(first) + kChunk);
    // The window stays inside the source line, so no load reads past it.
    chunk.base = std::min(*range.first, sourceLineBytes - kWindow);
    chunk.fits = chunk.base >= 0 && *range.second - chunk.base < kWindow ? 1 : 0;
    for (int i = 0; i < kChunk && chunk.fits; ++i) {
        const int32_t offset = bytes[first + size_t(i)] - chunk.base;
        chunk.low[i] = offset < kChunk ? uint8_t(offset) : kZero;
        chunk.high[i] = offset < kChunk ? kZero : uint8_t(offset - kChunk);
    }
    return chunk;
}

}  // namespace

ScalerGatherPlan BuildGatherPlan(std::vector<int32_t> bytes, int sourceLineBytes) {
    ScalerGatherPlan plan;
    plan.bytes = std::move(bytes);
    for (size_t first = 0; first + kChunk <= plan.bytes.size(); first += kChunk)
        plan.chunks.push_back(ChunkAt(plan.bytes, first, sourceLineBytes));
    return plan;
}
