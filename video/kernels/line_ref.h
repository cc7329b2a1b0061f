// The scalar reference of every line operation. It follows the fixed-point
// steps of the fast paths exactly, so tests can demand equal bytes; the fast
// paths also use it for the columns left over after their 16-pixel steps.
#pragma once

#include <cstdint>

#include "video/kernels/line_job.h"

namespace ref {
// Internal to each file that includes it: the SIMD files are built with wider
// instruction sets, and their copies must never stand in for the portable ones.
namespace {

inline int Sat16(int v) {
    return v > 32767 ? 32767 : (v < -32768 ? -32768 : v);
}
inline uint8_t SatU8(int v) {
    return static_cast<uint8_t>(v > 255 ? 255 : (v < 0 ? 0 : v));
}
// Signed high half of a 16 x 16 bit product.
inline int MulHigh(int a, int b) {
    return (a * b) >> 16;
}
// The byte widened to 16 bits (times 257) with the top bit flipped, as signed.
inline int Centred(uint8_t x) {
    return static_cast<int16_t>(static_cast<uint16_t>((x * 257) ^ 0x8000));
}

template <Vert V>
inline uint8_t Vertical(const LineJob& j, int i) {
    if constexpr (V == Vert::kNone) return j.a[i];
    if constexpr (V == Vert::kMean) return static_cast<uint8_t>((j.a[i] + j.b[i] + 1) >> 1);
    if constexpr (V == Vert::kHalf) return SatU8((j.a[i] >> 1) + (j.b[i] >> 1));
    if constexpr (V == Vert::kTap) {
        const int outer = (j.b[i] + j.c[i] + 1) >> 1;
        return static_cast<uint8_t>((j.a[i] + outer + 1) >> 1);
    }
}

// Video scaled by the complement alpha, then the premultiplied overlay added.
inline uint8_t Blend(uint8_t video, uint8_t overlay, uint8_t keep) {
    return SatU8(SatU8((video * keep) >> 4) + overlay);
}

template <int M>
inline uint8_t LumaColour(uint8_t x, const ColourConstants& k) {
    if constexpr (M == kColourAddSubtract) {
        return SatU8(SatU8(x + k.lumaAdd[0]) - k.lumaSubtract[0]);
    } else {
        int r = Sat16(MulHigh(Centred(x), k.lumaGain[0]) + k.lumaCentre[0]);
        if constexpr (M == kColourHueT) {
            const int square = static_cast<int>((uint32_t(x * 257) * uint32_t(x * 257)) >> 16) >> 1;
            r = Sat16(r + MulHigh(square, k.tWord[0]));
        }
        return SatU8(r);
    }
}

// Colour step of one U, V pair, in place.
template <int M>
inline void ChromaColour(uint8_t* u, uint8_t* v, const ColourConstants& k) {
    if constexpr (M == kColourAddSubtract) {
        *u = SatU8(SatU8(*u + k.chromaAdd[0]) - k.chromaSubtract[0]);
        *v = SatU8(SatU8(*v + k.chromaAdd[1]) - k.chromaSubtract[1]);
    } else {
        const int cu = Centred(*u), cv = Centred(*v);
        int ru = Sat16(MulHigh(cu, k.chromaGain[0]) + k.chromaCentre[0]);
        int rv = Sat16(MulHigh(cv, k.chromaGain[1]) + k.chromaCentre[1]);
        if constexpr (M == kColourHueT) {
            // Each hue product is formed at the partner's position, then swapped in.
            ru = Sat16(ru + MulHigh(cv, k.hue[1]));
            rv = Sat16(rv + MulHigh(cu, k.hue[0]));
        }
        *u = SatU8(ru);
        *v = SatU8(rv);
    }
}

inline bool InSpan(const Span& s, int i) {
    return i >= s.begin && i < s.end;
}

template <int M, Vert V>
inline uint8_t LumaPixel(const LineJob& j, int i) {
    uint8_t x = Vertical<V>(j, i);
    if (InSpan(j.lumaSpan, i)) x = Blend(x, j.overlayY[i], j.keepY[i]);
    return LumaColour<M>(x, *j.k);
}

// Chroma pair p (bytes 2p and 2p + 1) after overlay and colour.
template <int M>
inline void ChromaPair(const LineJob& j, int p, uint8_t* u, uint8_t* v) {
    *u = j.chroma[2 * p];
    *v = j.chroma[2 * p + 1];
    if (InSpan(j.chromaSpan, 2 * p)) *u = Blend(*u, j.overlayUV[2 * p], j.keepUV[2 * p]);
    if (InSpan(j.chromaSpan, 2 * p + 1)) {
        *v = Blend(*v, j.overlayUV[2 * p + 1], j.keepUV[2 * p + 1]);
    }
    ChromaColour<M>(u, v, *j.k);
}

// Planar luma, columns [from, to).
template <int M, Vert V>
void Luma(const LineJob& j, int from, int to) {
    for (int i = from; i < to; ++i) j.y[i] = LumaPixel<M, V>(j, i);
}

// Chroma split into the U and V planes, pairs [from, to).
template <int M>
void ChromaSplit(const LineJob& j, int from, int to) {
    for (int p = from; p < to; ++p) ChromaPair<M>(j, p, &j.u[p], &j.v[p]);
}

// Packed output, columns [from, to); from is even.
template <int M, Vert V, PackedOrder O>
void Packed(const LineJob& j, int from, int to) {
    constexpr int yAt = O == PackedOrder::kYuyv ? 0 : 1;
    for (int i = from; i < to; i += 2) {
        uint8_t uv[2];
        ChromaPair<M>(j, i / 2, &uv[0], &uv[1]);
        const int n = to - i < 2 ? to - i : 2;
        for (int q = 0; q < n; ++q) {
            j.y[2 * (i + q) + yAt] = LumaPixel<M, V>(j, i + q);
            j.y[2 * (i + q) + 1 - yAt] = uv[q];
        }
    }
}

}  // namespace
}  // namespace ref
