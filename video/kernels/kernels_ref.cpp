// The reference kernel table, and the choice of table for a processor.
#include "video/kernels/kernel_set.h"
#include "video/kernels/kernel_set_build.h"

const KernelSet& ReferenceKernels() {
    static const KernelSet set = KernelSetBuilder<RefLines>::Build("reference");
    return set;
}

const KernelSet& KernelsFor(const KernelCpu& cpu) {
    const KernelSet* fast = cpu.sse2 ? Sse2Kernels() : nullptr;
    return fast != nullptr ? *fast : ReferenceKernels();
}
