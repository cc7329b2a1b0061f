// The processor record that picks the picture kernels' code paths: CPUID
// identification, the kernel-release veto on SSE and the "CPUCHECK" override.
#pragma once

#include <cstdint>
#include <string>

#include "interfaces/abi_layout.h"

struct CpuInfo {
    uint32_t features;           // kCpu* feature bits
    uint32_t familyClass;        // kCpuClass* vendor and family bits
    uint32_t line;               // Intel line: 1, 2 or 4
    uint32_t maxLeaf;            // EAX of leaf 0
    uint32_t signature;          // EAX of leaf 1
    uint32_t leaf1Ebx;           // brand index in bits 0-7
    uint32_t leaf1Ecx;           //
    uint32_t leaf1Edx;           // standard feature flags, after the kernel veto
    uint32_t maxExtendedLeaf;    // EAX of leaf 0x80000000
    uint32_t extendedSignature;  // EAX of leaf 0x80000001
    uint32_t extendedFeatures;   // EDX of leaf 0x80000001
    char vendor[13];
    char brand[49];
};
// The same on both targets: eleven words, then the two strings.
ZAQ_ASSERT_SIZE(CpuInfo, 108, 108);
ZAQ_ASSERT_OFFSET(CpuInfo, line, 8, 8);
ZAQ_ASSERT_OFFSET(CpuInfo, signature, 16, 16);
ZAQ_ASSERT_OFFSET(CpuInfo, leaf1Edx, 28, 28);
ZAQ_ASSERT_OFFSET(CpuInfo, extendedFeatures, 40, 40);
ZAQ_ASSERT_OFFSET(CpuInfo, vendor, 44, 44);
ZAQ_ASSERT_OFFSET(CpuInfo, brand, 57, 57);

// Feature bits. The extended MMX instructions are kCpuMmxExt alone; SSE is
// kCpuMmxExt and kCpuSse together.
constexpr uint32_t kCpuMmx = 0x1;
constexpr uint32_t kCpuMmxExt = 0x2;
constexpr uint32_t kCpuSse = 0x4;
constexpr uint32_t kCpuSseBoth = kCpuMmxExt | kCpuSse;
constexpr uint32_t kCpuSse2 = 0x8;
constexpr uint32_t kCpuHyperThreading = 0x10;
constexpr uint32_t kCpuSse3 = 0x40;
constexpr uint32_t kCpu3DNow = 0x100;
constexpr uint32_t kCpu3DNowExt = 0x200;
constexpr uint32_t kCpuTsc = 0x1000;
constexpr uint32_t kCpuCmov = 0x2000;
constexpr uint32_t kCpuCmovP6 = 0x4000;
constexpr uint32_t kCpuAthlon = 0x10000;

// Family-class bits. The AMD K6 values are whole words, the later AMD ones are
// added to kCpuClassAmd.
constexpr uint32_t kCpuClassIntel = 0x1;
constexpr uint32_t kCpuClassIntelP6Early = 0x2;  // family 6, model 3 to 6
constexpr uint32_t kCpuClassIntelP6Late = 0x8;   // family 6, model 7 and above
constexpr uint32_t kCpuClassIntelNetBurst = 0x10;
constexpr uint32_t kCpuClassTransmeta = 0x100;
constexpr uint32_t kCpuClassCyrix = 0x200;
constexpr uint32_t kCpuClassCentaur = 0x400;
constexpr uint32_t kCpuClassAmd = 0x10000;
constexpr uint32_t kCpuClassAmdK6 = 0x30000;
constexpr uint32_t kCpuClassAmdK6_2 = 0x50000;
constexpr uint32_t kCpuClassAmdK6_3 = 0x90000;
constexpr uint32_t kCpuClassAmdAthlon = 0x100000;
constexpr uint32_t kCpuClassAmdDuron = 0x200000;
constexpr uint32_t kCpuClassAmdK8 = 0x400000;
constexpr uint32_t kCpuClassAmdK8Server = 0x800000;

// Where CPUID results and the kernel release come from. The host probe asks
// the processor and uname(); tests present any processor and kernel instead.
struct CpuidRegs {
    uint32_t eax, ebx, ecx, edx;
};

class CpuProbe {
  public:
    virtual ~CpuProbe() = default;
    // False when EFLAGS bit 21 cannot be toggled (no CPUID instruction).
    virtual bool HasCpuid() const = 0;
    virtual CpuidRegs Cpuid(uint32_t leaf) const = 0;
    virtual std::string KernelRelease() const = 0;
};

// The probe of the machine we run on.
const CpuProbe& HostCpuProbe();

// Installs the probe that DetectCpu and IdentifyCpu use from now on (null
// restores the host probe); returns the one it replaces. The probe must outlive
// its installation.
const CpuProbe* InstallCpuProbe(const CpuProbe* probe);

// The installed probe, or the host probe when none is installed.
const CpuProbe& CurrentCpuProbe();

// Fills the record afresh from the installed probe; nothing is cached.
void DetectCpu(CpuInfo* info);
void IdentifyCpu(CpuInfo* info);

// The same with an explicit probe and, for DetectCpu, an explicit "CPUCHECK" value.
void IdentifyCpu(CpuInfo* info, const CpuProbe& probe);
void DetectCpu(CpuInfo* info, const CpuProbe& probe, uint32_t cpuCheck);
