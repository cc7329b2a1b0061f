// Packed 4:2:2 to Y plane plus half-height interleaved chroma.
#include "video/render/yuv_repack.h"

#include <algorithm>
#include <cstring>

size_t PlanarFrameBytes(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    return (size_t(width) * size_t(height) * 3) >> 1;
}

namespace {

// Luma of one source line: every even byte.
void SplitLuma(const uint8_t* src, int width, uint8_t* y) {
    for (int x = 0; x < width; ++x) y[x] = src[2 * x];
}

// U and V of whole pixel pairs; an odd last pixel has no V of its own and
// takes neutral chroma.
void SplitChroma(const uint8_t* src, int width, uint8_t* uv) {
    const int pairs = width / 2;
    for (int p = 0; p < pairs; ++p) {
        uv[2 * p] = src[4 * p + 1];
        uv[2 * p + 1] = src[4 * p + 3];
    }
    if (width % 2) uv[width - 1] = src[2 * (width - 1) + 1];
}

}  // namespace

// The literal pair walk writes H / 2 chroma lines only when H is a multiple of
// four and overruns otherwise; walking by lines bounds every write.
int RepackPackedToPlanar(const uint8_t* src, int width, int height, uint8_t* dst, size_t dstBytes) {
    if (src == nullptr || dst == nullptr || width <= 0 || height <= 0) return 0;
    const size_t pitch = size_t(width);
    const size_t lumaBytes = pitch * size_t(height);
    if (dstBytes < lumaBytes) return 0;
    for (int line = 0; line < height; ++line)
        SplitLuma(src + line * pitch * 2, width, dst + line * pitch);
    const size_t room = std::min(dstBytes, PlanarFrameBytes(width, height)) - lumaBytes;
    const int fit = int(room / pitch);
    int written = 0;
    for (int m = 0; m < std::min(height / 2, fit); ++m) {
        const int source = ChromaSourceLine(m);
        if (source >= height) break;
        SplitChroma(src + size_t(source) * pitch * 2, width, dst + lumaBytes + m * pitch);
        ++written;
    }
    return written;
}
