// The byte gather plan of nearest-neighbour lines, for the shuffle path.
#include <algorithm>

#include "video/render/scaler/scaler_plane.h"

namespace {

constexpr int kChunk = 16;
constexpr int kWindow = 32;
constexpr uint8_t kZero = 0x80;  // a shuffle index that gives 0

// The window starts at the smallest source byte, or earlier where it would
// reach past the line; false when the chunk's sources do not fit in it.
bool Place(int32_t smallest, int32_t largest, int window, int sourceLineBytes, int32_t* base) {
    *base = std::min(smallest, sourceLineBytes - window);
    return *base >= 0 && largest - *base < window;
}

ScalerGatherChunk ChunkAt(const std::vector<int32_t>& bytes, size_t first, int sourceLineBytes) {
    ScalerGatherChunk chunk{};
    const auto range =
        std::minmax_element(bytes.begin() + long(first), bytes.begin() + long(first) + kChunk);
    if (Place(*range.first, *range.second, kChunk, sourceLineBytes, &chunk.base))
        chunk.kind = kGatherWindow;
    else if (Place(*range.first, *range.second, kWindow, sourceLineBytes, &chunk.base))
        chunk.kind = kGatherTwoWindows;
    else
        chunk.kind = kGatherBytes;
    for (int i = 0; i < kChunk && chunk.kind != kGatherBytes; ++i) {
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
    plan.oneWindowEach = true;
    for (size_t first = 0; first + kChunk <= plan.bytes.size(); first += kChunk) {
        plan.chunks.push_back(ChunkAt(plan.bytes, first, sourceLineBytes));
        plan.oneWindowEach = plan.oneWindowEach && plan.chunks.back().kind == kGatherWindow;
    }
    return plan;
}

ScalerGatherView ViewOfGatherPlan(const ScalerGatherPlan& plan) {
    return ScalerGatherView{plan.bytes.data(), plan.bytes.size(), plan.chunks.data(),
                            plan.chunks.size(), plan.oneWindowEach};
}
