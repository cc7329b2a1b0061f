// IdentifyCpu: vendor, family class, Intel line and brand name from CPUID.
#include <cstring>

#include "platform/cpu_info.h"

namespace {

constexpr const char* kBrandTable[] = {
    "This processor does not support the brand identification feature",
    "Intel(R) Celeron(R) Processor",
    "Intel(R) Pentium(R) III Processor",
    "Intel(R) Pentium(R) III Xeon Processor",
    "Intel(R) Pentium(R) III Processor",
    "Future Processor",
    "Mobile Intel(R) Pentium(R) III Processor-M",
    "Mobile Intel(R) Celeron(R) Processor",
    "Intel(R) Pentium(R) 4 Processor",
    "Intel(R) Pentium(R) 4 Processor",
    "Intel(R) Pentium(R) 4 Processor",
    "Intel(R) Xeon(tm) Processor",
    "Future Processor",
    "Future Processor",
    "Intel(R) Xeon(tm) Processor",
    "Intel(R) Xeon(tm) Processor",
    "Future Processor",
    "Future Processor",
    "Future Processor",
    "Future Processor",
    "Future Processor",
    "Future Processor",
    "Banias Mobile Processor",
};
constexpr uint32_t kBrandTableSize = sizeof(kBrandTable) / sizeof(kBrandTable[0]);

uint32_t Family(uint32_t signature) {
    return (signature >> 8) & 0xF;
}
uint32_t Model(uint32_t signature) {
    return (signature >> 4) & 0xF;
}
uint32_t ExtendedFamily(uint32_t signature) {
    return (signature >> 20) & 0xFF;
}
uint32_t BrandIndex(const CpuInfo& info) {
    return info.leaf1Ebx & 0xFF;
}

void CopyRegs(char* out, const CpuidRegs& regs) {
    std::memcpy(out, &regs.eax, 4);
    std::memcpy(out + 4, &regs.ebx, 4);
    std::memcpy(out + 8, &regs.ecx, 4);
    std::memcpy(out + 12, &regs.edx, 4);
}

void ReadLeaves(CpuInfo* info, const CpuProbe& probe) {
    const CpuidRegs leaf0 = probe.Cpuid(0);
    info->maxLeaf = leaf0.eax;
    std::memcpy(info->vendor, &leaf0.ebx, 4);
    std::memcpy(info->vendor + 4, &leaf0.edx, 4);
    std::memcpy(info->vendor + 8, &leaf0.ecx, 4);
    if (info->maxLeaf != 0) {
        const CpuidRegs leaf1 = probe.Cpuid(1);
        info->signature = leaf1.eax;
        info->leaf1Ebx = leaf1.ebx;
        info->leaf1Ecx = leaf1.ecx;
        info->leaf1Edx = leaf1.edx;
    }
    info->maxExtendedLeaf = probe.Cpuid(0x80000000u).eax;
    if (info->maxExtendedLeaf > 0x80000000u) {
        const CpuidRegs ext = probe.Cpuid(0x80000001u);
        info->extendedSignature = ext.eax;
        info->extendedFeatures = ext.edx;
    }
    if (info->maxExtendedLeaf > 0x80000003u) {
        for (uint32_t i = 0; i < 3; ++i)
            CopyRegs(info->brand + 16 * i, probe.Cpuid(0x80000002u + i));
    }
}

uint32_t AmdModelClass(const CpuInfo& info) {
    const uint32_t family = Family(info.signature);
    const uint32_t model = Model(info.signature);
    const uint32_t extFamily = Family(info.extendedSignature);
    uint32_t cls = kCpuClassAmd;
    if (family == 5 && extFamily == 6) {
        if (model == 6 || model == 7) cls = kCpuClassAmdK6;
        if (model == 8) cls = kCpuClassAmdK6_2;
        if (model == 9) cls = kCpuClassAmdK6_3;
    } else if (family == 6 && extFamily == 7) {
        cls |= model == 3 ? kCpuClassAmdDuron : kCpuClassAmdAthlon;
    } else if (family == 15 && extFamily == 15) {
        if (model == 0 || model == 4 || model == 8) cls |= kCpuClassAmdK8;
        if (model == 1 || model == 5) cls |= kCpuClassAmdK8Server;
    }
    return cls;
}

uint32_t AmdClass(const CpuInfo& info) {
    return info.maxExtendedLeaf > 0x80000000u ? AmdModelClass(info) : kCpuClassAmd;
}

struct VendorEntry {
    const char* name;
    uint32_t familyClass;
    uint32_t (*classify)(const CpuInfo&);
};

constexpr VendorEntry kVendors[] = {
    {"GenuineIntel", kCpuClassIntel, nullptr},     {"AuthenticAMD", 0, AmdClass},
    {"GenuineTMx86", kCpuClassTransmeta, nullptr}, {"CentaurHauls", kCpuClassCentaur, nullptr},
    {"CyrixInstead", kCpuClassCyrix, nullptr},
};

uint32_t VendorClass(const CpuInfo& info) {
    for (const VendorEntry& entry : kVendors) {
        if (std::strncmp(info.vendor, entry.name, 12) != 0) continue;
        return entry.classify ? entry.classify(info) : entry.familyClass;
    }
    return 0;
}

const char* SynthesisedBrand(const CpuInfo& info) {
    const uint32_t low12 = info.signature & 0xFFF;
    const uint32_t index = BrandIndex(info);
    if (low12 >= 0xF20 && low12 <= 0xF2F && (index & ~1u) == 14)
        return "Mobile Intel(r) Pentium(r) 4 Processor-M";
    if (low12 == 0x6B1) return "Intel(R) Celeron(R) Processor";
    if (index < kBrandTableSize) return kBrandTable[index];
    return "Future Processor";
}

void IntelFamilyAndLine(CpuInfo* info) {
    const uint32_t family = Family(info->signature);
    const uint32_t model = Model(info->signature);
    const uint32_t index = BrandIndex(*info);
    if (family == 15) {
        if (ExtendedFamily(info->signature) == 0) info->familyClass |= kCpuClassIntelNetBurst;
        info->line = model == 2 ? 2 : 1;
    } else if (family == 6) {
        if (model >= 3 && model <= 6) info->familyClass |= kCpuClassIntelP6Early;
        if (model >= 7) info->familyClass |= kCpuClassIntelP6Late;
        info->line = index == 22 ? 4 : (index == 6 || index == 7) ? 2 : 1;
    }
}

void IdentifyIntel(CpuInfo* info) {
    if (BrandIndex(*info) != 0 && info->brand[0] == '\0') {
        std::strncpy(info->brand, SynthesisedBrand(*info), sizeof(info->brand) - 1);
    }
    if (info->maxLeaf != 0) IntelFamilyAndLine(info);
}

}  // namespace

void IdentifyCpu(CpuInfo* info, const CpuProbe& probe) {
    // Every field, leaf 1 ECX and the features included, so that nothing of an
    // earlier identification survives on a processor that reports less.
    std::memset(info, 0, sizeof(*info));
    if (!probe.HasCpuid()) return;
    ReadLeaves(info, probe);
    info->familyClass = VendorClass(*info);
    if (info->familyClass & kCpuClassIntel) IdentifyIntel(info);
}

void IdentifyCpu(CpuInfo* info) {
    IdentifyCpu(info, CurrentCpuProbe());
}
