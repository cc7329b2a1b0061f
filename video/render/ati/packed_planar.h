// The ATI renderer's packed-to-planar conversion: a packed 4:2:2 picture
// (Y0 U Y1 V, lines of width pixels) written tightly packed as planar 4:2:0
// in YV12 order straight into a video buffer: a luma plane of width x height
// bytes, then (width / 2) x (height / 2) bytes of V, then as many of U.
//
// Source lines go in pairs (2i, 2i + 1) and, within a pair, pixel pairs j
// below width / 2: both lines give their Y0 and Y1 to their own luma line,
// the upper line gives its V and the lower its U to chroma line i. Nothing is
// averaged, so every output byte is a copy of one input byte. With an odd
// width or height the last column or line of the luma plane is not written.
//
// The per-line work is one routine per code path (the scalar reference and,
// on x86, SSE2 and AVX2 paths giving the same bytes), chosen once from the
// processor features the platform layer reports.
#pragma once

#include <cstddef>
#include <cstdint>

#include "video/kernels/kernel_cpu.h"

struct PackedToPlanarRows {
    const char* name;
    // One pair of source lines of `pairs` pixel pairs each: 2 x pairs luma
    // bytes into each luma line, pairs bytes of V (upper line) and of U
    // (lower line).
    void (*linePair)(const uint8_t* upper, const uint8_t* lower, int pairs, uint8_t* lumaUpper,
                     uint8_t* lumaLower, uint8_t* v, uint8_t* u);
};

const PackedToPlanarRows& ReferencePackedToPlanarRows();
// Null when this build or this processor cannot run the path.
const PackedToPlanarRows* Sse2PackedToPlanarRows();
const PackedToPlanarRows* Avx2PackedToPlanarRows();
// The fastest path the features allow.
const PackedToPlanarRows& ChoosePackedToPlanarRows(const KernelCpu& cpu);

// Made for one picture size; a new one is made at every size change.
class CVRLNPackedToPlanar {
  public:
    CVRLNPackedToPlanar(int width, int height, const KernelCpu& cpu = DetectKernelCpu());

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes of the tightly packed planar result.
    size_t OutputBytes() const { return OutputBytesFor(width_, height_); }
    static size_t OutputBytesFor(int width, int height);
    // Reads width x height packed pixels (width x 2 bytes a line) and writes
    // the three planes from `planar` on, never beyond OutputBytes().
    void Convert(const uint8_t* packed, uint8_t* planar) const;
    const char* PathName() const { return rows_->name; }

  private:
    int width_;
    int height_;
    const PackedToPlanarRows* rows_;
};
