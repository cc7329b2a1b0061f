// Which line routines a processor runs.
#include "video/render/rgb_rows.h"

const RgbRows& RgbRowsFor(const KernelCpu& cpu) {
    if (!cpu.ssse3) return ReferenceRgbRows();
    if (cpu.avx2 && cpu.avx512bw && Avx512RgbRows() != nullptr) return *Avx512RgbRows();
    if (cpu.avx2 && Avx2RgbRows() != nullptr) return *Avx2RgbRows();
    return Ssse3RgbRows() != nullptr ? *Ssse3RgbRows() : ReferenceRgbRows();
}
