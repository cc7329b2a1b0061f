// A processor and kernel made up by a test: CPUID answers by leaf.
#pragma once

#include <cstring>
#include <map>
#include <string>

#include "platform/cpu_info.h"

class FakeCpuProbe final : public CpuProbe {
  public:
    bool hasCpuid = true;
    std::string release = "2.6.8";
    std::map<uint32_t, CpuidRegs> leaves;

    bool HasCpuid() const override { return hasCpuid; }
    CpuidRegs Cpuid(uint32_t leaf) const override {
        const auto found = leaves.find(leaf);
        return found == leaves.end() ? CpuidRegs{} : found->second;
    }
    std::string KernelRelease() const override { return release; }

    // Leaf 0 with the vendor's twelve characters in EBX, EDX, ECX.
    void SetVendor(const char* vendor, uint32_t maxLeaf = 1) {
        CpuidRegs regs{maxLeaf, 0, 0, 0};
        std::memcpy(&regs.ebx, vendor, 4);
        std::memcpy(&regs.edx, vendor + 4, 4);
        std::memcpy(&regs.ecx, vendor + 8, 4);
        leaves[0] = regs;
    }
    void SetLeaf1(uint32_t signature, uint32_t ebx, uint32_t ecx, uint32_t edx) {
        leaves[1] = CpuidRegs{signature, ebx, ecx, edx};
    }
    void SetExtended(uint32_t maxExtended, uint32_t signature, uint32_t features) {
        leaves[0x80000000u] = CpuidRegs{maxExtended, 0, 0, 0};
        leaves[0x80000001u] = CpuidRegs{signature, 0, 0, features};
    }
    void SetBrand(const char* brand) {
        char text[48] = {};
        std::strncpy(text, brand, sizeof(text));
        for (uint32_t i = 0; i < 3; ++i) {
            CpuidRegs regs{};
            std::memcpy(&regs, text + 16 * i, 16);
            leaves[0x80000002u + i] = regs;
        }
    }
};
