// The reference kernel table, and the choice of table for a processor.
#include "video/kernels/kernel_set.h"
#include "video/kernels/kernel_set_build.h"

const KernelSet& ReferenceKernels() {
    static const KernelSet set = KernelSetBuilder<RefLines>::Build("reference");
    return set;
}

namespace {

// Members whose AVX2 instance measured faster than the SSE2 one on 720-wide
// pictures (bench_kernels, yv12_avx2/ and yuy2_avx2/ against yv12/ and yuy2/).
// The plain mode-0 conversion, a copy and one split of the whole chroma
// plane, gains from the wider split too. Members not weighed stay on SSE2.
constexpr PlanarMember kWidePlanar[] = {kA0,  kA1,  kA2,  kA0x, kA1x, kA2x,
                                        kA03, kA13, kA23, kA0d, kA1d};
constexpr PackedMember kWidePacked[] = {kB0,  kB1,  kB2,  kB0x,  kB1x,  kB2x,  kB03,
                                        kB0d, kB13, kB23, kB03f, kB13f, kB23f, kB2v};

KernelSet MixKernels(const KernelSet& base, const KernelSet& wide) {
    KernelSet mixed = base;
    mixed.name = "sse2+avx2";
    for (PlanarMember m : kWidePlanar) mixed.planar[m] = wide.planar[m];
    for (PackedMember m : kWidePacked) mixed.packed[m] = wide.packed[m];
    mixed.basic[kBasicConvert] = wide.basic[kBasicConvert];
    return mixed;
}

}  // namespace

const KernelSet* MixedKernels() {
    if (Sse2Kernels() == nullptr || Avx2Kernels() == nullptr) return nullptr;
    static const KernelSet set = MixKernels(*Sse2Kernels(), *Avx2Kernels());
    return &set;
}

const KernelSet& KernelsFor(const KernelCpu& cpu) {
    const KernelSet* fast = nullptr;
    if (cpu.avx2 && cpu.sse2) fast = cpu.avx2Everywhere ? Avx2Kernels() : MixedKernels();
    if (fast == nullptr && cpu.sse2) fast = Sse2Kernels();
    return fast != nullptr ? *fast : ReferenceKernels();
}
