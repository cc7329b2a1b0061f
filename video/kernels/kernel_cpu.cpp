// Maps the platform's processor record onto the features the kernels use.
#include "video/kernels/kernel_cpu.h"

#include "platform/cpu_info.h"

bool HostSupportsAvx2() {
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

bool HostSupportsAvx512bw() {
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("avx512bw");
#else
    return false;
#endif
}

KernelCpu KernelCpuFromFeatures(uint32_t features) {
    KernelCpu cpu;
#if defined(__x86_64__) || defined(__i386__)
    cpu.sse2 = (features & kCpuSse2) != 0;
    cpu.avx2 = cpu.sse2 && HostSupportsAvx2();
    cpu.avx512bw = cpu.avx2 && HostSupportsAvx512bw();
#endif
    cpu.extendedMmx = (features & kCpuMmxExt) != 0;
    cpu.sse = (features & kCpuSseBoth) == kCpuSseBoth;
    cpu.amd3DNow = (features & kCpu3DNow) != 0;
    return cpu;
}

KernelCpu KernelCpuFromRecord(const CpuInfo& info) {
    constexpr uint32_t kLeaf1EcxSsse3 = 1u << 9;
    KernelCpu cpu = KernelCpuFromFeatures(info.features);
    cpu.ssse3 = cpu.sse2 && (info.leaf1Ecx & kLeaf1EcxSsse3) != 0;
    return cpu;
}

KernelCpu DetectKernelCpu() {
    CpuInfo info{};
    DetectCpu(&info);
    return KernelCpuFromRecord(info);
}
