// The reference kernel table, and the choice of table for a processor.
#include "video/kernels/kernel_set.h"
#include "video/kernels/kernel_set_build.h"

const KernelSet& ReferenceKernels() {
    static const KernelSet set = KernelSetBuilder<RefLines>::Build("reference");
    return set;
}

const KernelSet& KernelsFor(const KernelCpu& cpu) {
    const KernelSet* fast = cpu.avx2 ? Avx2Kernels() : nullptr;
    if (fast == nullptr && cpu.sse2) fast = Sse2Kernels();
    return fast != nullptr ? *fast : ReferenceKernels();
}
