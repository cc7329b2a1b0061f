// The scaler's code path for a processor record.
#include "video/kernels/kernel_cpu.h"
#include "video/render/scaler/scaler_routines.h"

// Both fast paths shuffle with SSSE3 (the AVX2 one hands it the lines whose
// chunks need two windows), so neither runs without the record's SSSE3.
const ScalerRoutines& ScalerRoutinesFor(const KernelCpu& cpu) {
    if (!cpu.ssse3 || Ssse3ScalerRoutines() == nullptr) return ReferenceScalerRoutines();
    if (cpu.avx2 && Avx2ScalerRoutines() != nullptr) return *Avx2ScalerRoutines();
    return *Ssse3ScalerRoutines();
}

const ScalerRoutines& DefaultScalerRoutines() {
    static const ScalerRoutines& best = ScalerRoutinesFor(DetectKernelCpu());
    return best;
}
