// The processor features the kernels care about, as a small record that tests
// can mask so every code path runs on every machine.
#pragma once

#include <cstdint>

struct KernelCpu {
    bool sse2 = false;  // the 16-byte fast paths
    // The 32-byte fast paths. Built and proven equal, but not chosen by
    // DetectKernelCpu: on the machines measured so far they did not pay.
    bool avx2 = false;
    bool extendedMmx = false;  // the capability bit: x kernels rather than d kernels, hue and T
    bool sse = false;          // extended MMX together with SSE
    bool amd3DNow = false;
};

// True when the processor and the system's register saving allow AVX2.
bool HostSupportsAvx2();

// From CpuInfo feature bits; the "CPUCHECK" override that removes SSE2
// removes every fast path.
KernelCpu KernelCpuFromFeatures(uint32_t features);

// This machine, through DetectCpu (which honours the "CPUCHECK" override).
KernelCpu DetectKernelCpu();
