// What one line kernel works on, and the vertical source filters a kernel can
// be built with. Kernels are instances of templates over these choices.
#pragma once

#include <cstdint>

#include "video/kernels/colour_constants.h"

// How a luma output line is made from source lines.
enum class Vert {
    kNone,  // line a as it is
    kMean,  // rounded mean of lines a and b: (a + b + 1) / 2
    kHalf,  // halved sum: a / 2 + b / 2, each half truncated
    kTap,   // rounded mean of line a with the rounded mean of lines b and c
};

// Byte order of the packed output.
enum class PackedOrder {
    kYuyv,  // Y0 U Y1 V
    kUyvy,  // U Y0 V Y1, the second output variant
};

// Half-open column range [begin, end) that carries overlay; empty when begin >= end.
struct Span {
    int begin = 0;
    int end = 0;
};

struct LineJob {
    const uint8_t* a = nullptr;  // luma source lines, as the filter needs them
    const uint8_t* b = nullptr;
    const uint8_t* c = nullptr;
    const uint8_t* chroma = nullptr;     // interleaved U, V source line
    const uint8_t* overlayY = nullptr;   // premultiplied overlay luma of this line
    const uint8_t* keepY = nullptr;      // complement alpha (16 - alpha) of this line
    const uint8_t* overlayUV = nullptr;  // the same for the chroma line
    const uint8_t* keepUV = nullptr;
    Span lumaSpan;
    Span chromaSpan;       // in chroma bytes, which line up with luma columns
    int width = 0;         // pixels
    uint8_t* y = nullptr;  // planar luma output, or the packed output line
    uint8_t* u = nullptr;
    uint8_t* v = nullptr;
    const ColourConstants* k = nullptr;
};

// Chroma bytes of a line of width pixels: whole U, V pairs.
inline int ChromaBytes(int width) {
    return (width + 1) / 2 * 2;
}

using LineFn = void (*)(const LineJob&);
