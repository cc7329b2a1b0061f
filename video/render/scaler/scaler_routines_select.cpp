// The scaler's code path for this processor.
#include "video/kernels/kernel_cpu.h"
#include "video/render/scaler/scaler_routines.h"

namespace {

const ScalerRoutines* Best() {
    const KernelCpu cpu = DetectKernelCpu();
    if (cpu.avx2 && Avx2ScalerRoutines() != nullptr) return Avx2ScalerRoutines();
    if (cpu.sse2 && Ssse3ScalerRoutines() != nullptr) return Ssse3ScalerRoutines();
    return &ReferenceScalerRoutines();
}

}  // namespace

const ScalerRoutines& DefaultScalerRoutines() {
    static const ScalerRoutines* const best = Best();
    return *best;
}
