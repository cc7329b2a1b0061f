// Builds without an x86 fast path use the reference routines only.
#include "video/render/rgb_rows.h"

const RgbRows& RgbRowsFor(const KernelCpu&) {
    return ReferenceRgbRows();
}

const RgbRows* Ssse3RgbRows() {
    return nullptr;
}

const RgbRows* Avx2RgbRows() {
    return nullptr;
}

const RgbRows* Avx512RgbRows() {
    return nullptr;
}
