// Builds without an x86 fast path have only the reference table.
#include "video/kernels/kernel_set.h"
#include "video/kernels/scaled_lines.h"

const KernelSet* Sse2Kernels() {
    return nullptr;
}

const KernelSet* Avx2Kernels() {
    return nullptr;
}

const ScaledLineSet* ScaledSse2Lines() {
    return nullptr;
}

const ScaledLineSet* ScaledSsse3Lines() {
    return nullptr;
}

const ScaledLineSet* ScaledAvx2Lines() {
    return nullptr;
}
