// A plain reference of the aspect-fitting scaler for the tests: every output
// byte computed on its own from the rules (positions by division, weights by
// floating point), with nothing shared with the scaler's tables or routines.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace scalertest {

struct Fit {
    int width;
    int height;
};

inline Fit ReferenceFit(float aspect, int boxWidth, int boxHeight) {
    const double r = aspect;
    if (r >= double(boxWidth) / boxHeight) {
        const int h = int(std::trunc(boxWidth / r + 0.5));
        return Fit{boxWidth, boxHeight + ((h - boxHeight) & ~3)};
    }
    const int w = int(std::trunc(boxHeight * r + 0.5));
    return Fit{boxWidth + ((w - boxWidth) & ~3), boxHeight};
}

// k x (m - 1) / (n - 1), nearest, an exact half rounded down.
inline int NearestIndex(int k, int n, int m) {
    if (n <= 1) return 0;
    const int64_t p = int64_t(k) * (m - 1);
    const int64_t q = p / (n - 1), t = p % (n - 1);
    return int(q + (t > (n - 1) / 2 ? 1 : 0));
}

struct Pair {
    bool has = false;
    int base = 0;
    int first = 0;
    int second = 0;
};

// The linear filter's pair at position k, when it has one.
inline Pair PairAt(int k, int n, int m) {
    Pair pair;
    if (n < 2 || n < m || k == 0 || NearestIndex(k, n, m) != NearestIndex(k - 1, n, m)) return pair;
    const int64_t p = int64_t(k) * (m - 1);
    const double t = double(p % (n - 1));
    pair.has = true;
    pair.base = int(p / (n - 1));
    pair.first = int((1.0 - t / (n - 1)) * 65536.0);
    pair.second = 65536 - pair.first;
    return pair;
}

inline uint8_t Blend(int a, int b, const Pair& w) {
    return uint8_t((uint32_t(a) * uint32_t(w.first) + uint32_t(b) * uint32_t(w.second) + 32768u) >>
                   16);
}

// One plane: fitted fw x fh from a source sw x sh of `bytes` bytes per pixel
// (2 meaning packed 4:2:2), into a box of boxWidth pixels at (left, top).
struct PlaneJob {
    int bytes;
    int sw, sh, fw, fh;
    int boxWidth, left, top;
    bool linear;
};

// Byte c of output pixel x of one source line.
inline uint8_t Horizontal(const PlaneJob& j, const uint8_t* line, int x, int c) {
    if (j.bytes == 2 && (c & 1) != 0) {  // U or V of the pair of x
        const int p = x / 2, byte = (x & 1) ? 3 : 1;
        const Pair w = j.linear ? PairAt(p, j.fw / 2, j.sw / 2) : Pair{};
        if (w.has)
            return Blend(line[w.base * 4 + byte],
                         line[std::min(w.base + 1, j.sw / 2 - 1) * 4 + byte], w);
        return line[NearestIndex(p, j.fw / 2, j.sw / 2) * 4 + byte];
    }
    const int step = j.bytes;
    const int offset = j.bytes == 2 ? 0 : c;
    const Pair w = j.linear ? PairAt(x, j.fw, j.sw) : Pair{};
    if (w.has)
        return Blend(line[w.base * step + offset],
                     line[std::min(w.base + 1, j.sw - 1) * step + offset], w);
    return line[NearestIndex(x, j.fw, j.sw) * step + offset];
}

inline void ReferencePlane(const PlaneJob& j, const uint8_t* source, uint8_t* box) {
    const int bpp = j.bytes;
    const size_t pitch = size_t(j.sw) * bpp;
    for (int y = 0; y < j.fh; ++y) {
        const Pair w = j.linear ? PairAt(y, j.fh, j.sh) : Pair{};
        for (int x = 0; x < j.fw; ++x) {
            for (int c = 0; c < bpp; ++c) {
                uint8_t v;
                if (w.has) {
                    const uint8_t a = Horizontal(j, source + size_t(w.base) * pitch, x, c);
                    const uint8_t b = Horizontal(
                        j, source + size_t(std::min(w.base + 1, j.sh - 1)) * pitch, x, c);
                    v = Blend(a, b, w);
                } else {
                    v = Horizontal(j, source + size_t(NearestIndex(y, j.fh, j.sh)) * pitch, x, c);
                }
                box[(size_t(j.top + y) * j.boxWidth + j.left + x) * bpp + c] = v;
            }
        }
    }
}

// The whole picture of a format (2, 3, 4, 6, 7) with filter 0 or 1.
inline void ReferenceScale(int format, int filter, float aspect, int bw, int bh, int sw, int sh,
                           const uint8_t* source, uint8_t* box) {
    const Fit f = ReferenceFit(aspect, bw, bh);
    const int left = (bw - f.width) / 2, top = (bh - f.height) / 2;
    const bool linear = filter == 1;
    if (format == 2 || format == 3 || format == 4) {
        const int bytes = format == 2 ? 3 : format == 3 ? 4 : 2;
        ReferencePlane(PlaneJob{bytes, sw, sh, f.width, f.height, bw, left, top, linear}, source,
                       box);
        return;
    }
    ReferencePlane(PlaneJob{1, sw, sh, f.width, f.height, bw, left, top, linear}, source, box);
    const size_t sourceLuma = size_t(sw) * sh, boxLuma = size_t(bw) * bh;
    const uint8_t* chroma[2] = {source + sourceLuma, source + sourceLuma + sourceLuma / 4};
    const bool swapped = format == 6;
    for (int plane = 0; plane < 2; ++plane) {
        const uint8_t* from = chroma[swapped ? 1 - plane : plane];
        uint8_t* to = box + boxLuma + plane * (boxLuma / 4);
        ReferencePlane(PlaneJob{1, sw / 2, sh / 2, f.width / 2, f.height / 2, bw / 2, left / 2,
                                top / 2, linear},
                       from, to);
    }
}

}  // namespace scalertest
