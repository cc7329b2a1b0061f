// The packed-to-planar converter and its scalar reference.
#include "video/render/ati/packed_planar.h"

#include <algorithm>

namespace {

void ReferenceLinePair(const uint8_t* upper, const uint8_t* lower, int pairs, uint8_t* lumaUpper,
                       uint8_t* lumaLower, uint8_t* v, uint8_t* u) {
    for (int j = 0; j < pairs; ++j) {
        const uint8_t* a = upper + 4 * j;
        const uint8_t* b = lower + 4 * j;
        lumaUpper[2 * j] = a[0];
        lumaUpper[2 * j + 1] = a[2];
        lumaLower[2 * j] = b[0];
        lumaLower[2 * j + 1] = b[2];
        v[j] = a[3];
        u[j] = b[1];
    }
}

constexpr PackedToPlanarRows kReference{"reference", ReferenceLinePair};

}  // namespace

const PackedToPlanarRows& ReferencePackedToPlanarRows() {
    return kReference;
}

const PackedToPlanarRows& ChoosePackedToPlanarRows(const KernelCpu& cpu) {
    if (cpu.avx2 && Avx2PackedToPlanarRows() != nullptr) return *Avx2PackedToPlanarRows();
    if (cpu.sse2 && Sse2PackedToPlanarRows() != nullptr) return *Sse2PackedToPlanarRows();
    return kReference;
}

CVRLNPackedToPlanar::CVRLNPackedToPlanar(int width, int height, const KernelCpu& cpu)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      rows_(&ChoosePackedToPlanarRows(cpu)) {}

size_t CVRLNPackedToPlanar::OutputBytesFor(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    const size_t luma = size_t(width) * size_t(height);
    const size_t chroma = size_t(width / 2) * size_t(height / 2);
    return luma + 2 * chroma;
}

void CVRLNPackedToPlanar::Convert(const uint8_t* packed, uint8_t* planar) const {
    if (packed == nullptr || planar == nullptr) return;
    const size_t pitch = size_t(width_) * 2;
    const size_t chromaPitch = size_t(width_ / 2);
    uint8_t* const vPlane = planar + size_t(width_) * size_t(height_);
    uint8_t* const uPlane = vPlane + chromaPitch * size_t(height_ / 2);
    for (int i = 0; i < height_ / 2; ++i) {
        const uint8_t* upper = packed + size_t(2 * i) * pitch;
        uint8_t* luma = planar + size_t(2 * i) * size_t(width_);
        rows_->linePair(upper, upper + pitch, width_ / 2, luma, luma + width_,
                        vPlane + size_t(i) * chromaPitch, uPlane + size_t(i) * chromaPitch);
    }
}
