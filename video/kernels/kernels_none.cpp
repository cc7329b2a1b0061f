// Builds without an x86 fast path have only the reference table.
#include "video/kernels/kernel_set.h"

const KernelSet* Sse2Kernels() {
    return nullptr;
}

const KernelSet* Avx2Kernels() {
    return nullptr;
}
