// The processor features the kernels care about, as a small record that tests
// can mask so every code path runs on every machine.
#pragma once

#include <cstdint>

struct CpuInfo;

// Every flag starts false, so a record nobody filled runs the scalar reference.
struct KernelCpu {
    bool sse2 = false;            // the 16-byte fast paths
    bool ssse3 = false;           // the RGB converter's 16-byte line routines
    bool avx2 = false;            // the 32-byte paths, for the members where they pay
    bool avx2Everywhere = false;  // every member from the 32-byte table, to measure it
    bool avx512bw = false;        // the RGB converter's 64-byte conversion
    bool extendedMmx = false;     // the capability bit: x kernels rather than d kernels, hue and T
    bool sse = false;             // extended MMX together with SSE
    bool amd3DNow = false;
};

// True when the processor and the system's register saving allow AVX2, or
// AVX-512 with its byte and word instructions.
bool HostSupportsAvx2();
bool HostSupportsAvx512bw();

// From CpuInfo feature bits. AVX2 is used only with SSE2 allowed, so the
// "CPUCHECK" override that removes SSE2 removes every fast path.
KernelCpu KernelCpuFromFeatures(uint32_t features);

// From the whole processor record: the feature bits, and SSSE3 from leaf 1
// ECX bit 9 (only together with SSE2, so removing SSE2 removes it too).
KernelCpu KernelCpuFromRecord(const CpuInfo& info);

// This machine, through DetectCpu (which honours the "CPUCHECK" override).
KernelCpu DetectKernelCpu();
