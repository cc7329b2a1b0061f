// The reference kernel table, and the choice of table for a processor.
#include "video/kernels/kernel_set.h"
#include "video/kernels/kernel_set_build.h"

const KernelSet& ReferenceKernels() {
    static const KernelSet set = KernelSetBuilder<RefLines>::Build("reference");
    return set;
}

namespace {

// Members whose AVX2 instance measured faster than the SSE2 one (colour mode
// 2, the heaviest arithmetic, and the straight A1 on 720-wide pictures); the
// lighter members are bound by memory and ran slower with the wider registers.
constexpr PlanarMember kWidePlanar[] = {kA1, kA2, kA2x, kA23};
constexpr PackedMember kWidePacked[] = {kB2, kB2x, kB23, kB23f, kB2v};

KernelSet MixKernels(const KernelSet& base, const KernelSet& wide) {
    KernelSet mixed = base;
    mixed.name = "sse2+avx2";
    for (PlanarMember m : kWidePlanar) mixed.planar[m] = wide.planar[m];
    for (PackedMember m : kWidePacked) mixed.packed[m] = wide.packed[m];
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
