// Per-line work of the RGB converter, as one table of routines per code path:
// the scalar reference and, on x86, SSSE3, AVX2 and AVX-512 BW paths that give
// the same bytes. Lines handed to these routines are padded by kRowPadding
// bytes, so a vector step may read (never write into caller memory) past the
// last pixel.
#pragma once

#include <cstdint>

#include "video/kernels/kernel_cpu.h"
#include "video/render/rgb_scale_tables.h"

constexpr int kRowPadding = 64;

// Output depths the converter packs, in routine-table order.
enum RgbDepthIndex { kRgb15, kRgb16, kRgb24, kRgb32, kRgbDepthCount };

// The three planes of one line, U and V at half resolution.
struct YuvRow {
    const uint8_t* y;
    const uint8_t* u;
    const uint8_t* v;
};

struct RgbRows {
    const char* name;
    // Y of each pixel from lumaLine and the U, V of each pair from chromaLine
    // (both packed Y0 U Y1 V lines of width pixels); an odd last pixel takes
    // its own U and neutral V.
    void (*splitPacked)(const uint8_t* lumaLine, const uint8_t* chromaLine, int width, uint8_t* y,
                        uint8_t* u, uint8_t* v);
    // One plane scaled along the plan (output padded to whole chunks).
    void (*scale)(const uint8_t* src, const ScalePlan& plan, uint8_t* dst);
    // (a / 2) + (b / 2) per byte.
    void (*average)(const uint8_t* a, const uint8_t* b, int bytes, uint8_t* out);
    // (a + b + 1) / 2 per byte.
    void (*mean)(const uint8_t* a, const uint8_t* b, int bytes, uint8_t* out);
    // The sub-picture over count samples: s x keep / 16 plus the premultiplied
    // overlay, held at 255.
    void (*blend)(uint8_t* samples, const uint8_t* overlay, const uint8_t* keep, int count);
    // The same for pairs of split chroma, from interleaved U, V overlay bytes.
    void (*blendPairs)(uint8_t* u, uint8_t* v, const uint8_t* overlay, const uint8_t* keep,
                       int pairs);
    // Y of width pixels with U, V at half resolution into packed pixels of the depth.
    void (*convert[kRgbDepthCount])(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width,
                                    uint8_t* out);
    // convert of the average of two lines, each plane as average gives it,
    // without the averaged line being stored anywhere.
    void (*convertAverage[kRgbDepthCount])(const YuvRow& a, const YuvRow& b, int width,
                                           uint8_t* out);
};

// convertAverage by pieces: each piece averaged into a small line of its own
// with rows.average, then converted with rows.convert.
void ConvertAverageInPieces(const RgbRows& rows, int depth, const YuvRow& a, const YuvRow& b,
                            int width, uint8_t* out);

const RgbRows& ReferenceRgbRows();
// The routines the processor record allows: AVX-512 BW (with AVX2), AVX2 (with
// SSSE3), SSSE3, or the reference when it allows none or this build has no
// fast path.
const RgbRows& RgbRowsFor(const KernelCpu& cpu);
// Each path on its own (null when unusable here), for tests and benchmarks.
const RgbRows* Ssse3RgbRows();
const RgbRows* Avx2RgbRows();
const RgbRows* Avx512RgbRows();

// Colour matrix of the routines, as signed 16-bit multipliers of
// (chroma - 128) x 256 whose high-half product is doubled with saturation:
// factors 1.772, -0.344, -0.685 and 1.402 in units of 1/128.
constexpr int16_t kBlueFromU = 29032;
constexpr int16_t kGreenFromU = -5638;
constexpr int16_t kGreenFromV = -11220;
constexpr int16_t kRedFromV = 22970;

// One pixel through the routines' arithmetic: B, G, R.
void ConvertPixelReference(uint8_t y, uint8_t u, uint8_t v, uint8_t bgr[3]);
