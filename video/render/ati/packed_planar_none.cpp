// Builds without an x86 fast path convert with the reference only.
#include "video/render/ati/packed_planar.h"

const PackedToPlanarRows* Sse2PackedToPlanarRows() {
    return nullptr;
}

const PackedToPlanarRows* Avx2PackedToPlanarRows() {
    return nullptr;
}
