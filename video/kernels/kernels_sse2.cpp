// The SSE2 kernel table: the shared SIMD line template on 16-byte registers.
#include "video/kernels/kernel_set.h"
#include "video/kernels/kernel_set_build.h"
#include "video/kernels/simd_lines.h"
#include "video/kernels/sse2_ops.h"

const KernelSet* Sse2Kernels() {
    static const KernelSet set = KernelSetBuilder<SimdLines<Sse2Ops>>::Build("sse2");
    return &set;
}
