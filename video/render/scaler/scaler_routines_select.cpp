// The scaler's code path for this processor.
#include "video/kernels/kernel_cpu.h"
#include "video/render/scaler/scaler_routines.h"

const ScalerRoutines& DefaultScalerRoutines() {
    static const ScalerRoutines* const best =
        DetectKernelCpu().sse2 && Ssse3ScalerRoutines() != nullptr ? Ssse3ScalerRoutines()
                                                                   : &ReferenceScalerRoutines();
    return *best;
}
