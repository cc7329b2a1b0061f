// DetectCpu: feature bits from the identified processor, after the kernel's
// SSE veto and the "CPUCHECK" override.
#include <cstring>
#include <string>

#include "platform/cpu_info.h"
#include "platform/settings.h"

namespace {

constexpr uint32_t kEdxTsc = 1u << 4;
constexpr uint32_t kEdxCmov = 1u << 15;
constexpr uint32_t kEdxMmx = 1u << 23;
constexpr uint32_t kEdxSse = 1u << 25;
constexpr uint32_t kEdxSse2 = 1u << 26;
constexpr uint32_t kEdxHtt = 1u << 28;
constexpr uint32_t kEcxSse3 = 1u << 0;
constexpr uint32_t kExtCmov = 1u << 15;
constexpr uint32_t kExtMmxExt = 1u << 22;
constexpr uint32_t kExt3DNowExt = 1u << 30;
constexpr uint32_t kExt3DNow = 1u << 31;

enum class Source { Edx, Ecx, Extended, FamilyClass };

constexpr int kNoOverride = -1;

struct FeatureStep {
    uint32_t bits;
    Source source;
    uint32_t sourceMask;
    int overrideShift;  // position of the step's two "CPUCHECK" bits
    uint32_t autoClasses;
};

constexpr uint32_t kSseVendors =
    kCpuClassIntel | kCpuClassTransmeta | kCpuClassCyrix | kCpuClassCentaur | kCpuClassAmd;

// Steps 3 to 12, in the order they are decided; a later step may set bits an
// earlier one cleared.
constexpr FeatureStep kSteps[] = {
    {kCpuHyperThreading, Source::Edx, kEdxHtt, 22, kCpuClassIntelNetBurst},
    {kCpuSse3, Source::Ecx, kEcxSse3, kNoOverride, kCpuClassIntel},
    {kCpuSse2, Source::Edx, kEdxSse2, 20, kCpuClassIntel | kCpuClassAmd},
    {kCpuSseBoth, Source::Edx, kEdxSse, 18, kSseVendors},
    {kCpuCmov | kCpuCmovP6, Source::Edx, kEdxCmov, 16, kSseVendors},
    {kCpuCmov, Source::Extended, kExtCmov, 14, kCpuClassAmd},
    {kCpuMmxExt, Source::Extended, kExtMmxExt, 12, kCpuClassAmd},
    {kCpu3DNowExt, Source::Extended, kExt3DNowExt, 10, kCpuClassAmd},
    {kCpu3DNow, Source::Extended, kExt3DNow, 8, kCpuClassCyrix | kCpuClassCentaur | kCpuClassAmd},
    {kCpuAthlon, Source::FamilyClass, kCpuClassAmdAthlon | kCpuClassAmdDuron, kNoOverride,
     kCpuClassAmd},
};

uint32_t SourceWord(const CpuInfo& info, Source source) {
    switch (source) {
        case Source::Edx:
            return info.leaf1Edx;
        case Source::Ecx:
            return info.leaf1Ecx;
        case Source::Extended:
            return info.extendedFeatures;
        case Source::FamilyClass:
            return info.familyClass;
    }
    return 0;
}

void ApplyStep(CpuInfo* info, const FeatureStep& step, uint32_t cpuCheck) {
    const uint32_t mode =
        step.overrideShift == kNoOverride ? 0 : (cpuCheck >> step.overrideShift) & 3;
    const bool present = (SourceWord(*info, step.source) & step.sourceMask) != 0;
    if (mode == 2) {
        info->features &= ~step.bits;
    } else if (present && (mode == 1 || (info->familyClass & step.autoClasses) != 0)) {
        info->features |= step.bits;
    }
}

// Kernels before 2.4.0 (and its test releases) do not save the SSE registers.
bool KernelVetoesSse(const std::string& release) {
    const int order = std::strncmp(release.c_str(), "2.4.0", 5);
    return order < 0 || (order == 0 && release.find("test") != std::string::npos);
}

}  // namespace

void DetectCpu(CpuInfo* info, const CpuProbe& probe, uint32_t cpuCheck) {
    IdentifyCpu(info, probe);
    info->features =
        ((info->leaf1Edx & kEdxMmx) ? kCpuMmx : 0) | ((info->leaf1Edx & kEdxTsc) ? kCpuTsc : 0);
    if (KernelVetoesSse(probe.KernelRelease())) info->leaf1Edx &= ~(kEdxSse | kEdxSse2);
    for (const FeatureStep& step : kSteps) ApplyStep(info, step, cpuCheck);
}

void DetectCpu(CpuInfo* info) {
    const uint32_t cpuCheck = static_cast<uint32_t>(SettingGetInt("CPUCHECK", 0));
    DetectCpu(info, CurrentCpuProbe(), cpuCheck);
}
