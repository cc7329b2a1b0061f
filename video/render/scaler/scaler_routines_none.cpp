// Builds without x86 have the reference scaler routines only.
#include "video/render/scaler/scaler_routines.h"

const ScalerRoutines* Ssse3ScalerRoutines() {
    return nullptr;
}

const ScalerRoutines* Avx2ScalerRoutines() {
    return nullptr;
}
