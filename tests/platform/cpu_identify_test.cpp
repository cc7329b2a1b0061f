// IdentifyCpu on made-up processors: vendors, family classes, lines and brands.
#include <gtest/gtest.h>

#include <cstring>

#include "fake_cpu_probe.h"
#include "platform/cpu_info.h"

namespace {

CpuInfo Identify(const FakeCpuProbe& probe) {
    CpuInfo info;
    std::memset(&info, 0xAB, sizeof(info));
    IdentifyCpu(&info, probe);
    return info;
}

FakeCpuProbe Intel(uint32_t signature, uint32_t brandIndex) {
    FakeCpuProbe probe;
    probe.SetVendor("GenuineIntel");
    probe.SetLeaf1(signature, brandIndex, 0, 0);
    return probe;
}

FakeCpuProbe Amd(uint32_t signature, uint32_t extendedSignature) {
    FakeCpuProbe probe;
    probe.SetVendor("AuthenticAMD");
    probe.SetLeaf1(signature, 0, 0, 0);
    probe.SetExtended(0x80000001u, extendedSignature, 0);
    return probe;
}

TEST(IdentifyCpu, ProcessorWithoutCpuidLeavesEveryFieldZero) {
    FakeCpuProbe probe;
    probe.hasCpuid = false;
    const CpuInfo info = Identify(probe);
    const CpuInfo zero{};
    EXPECT_EQ(std::memcmp(&info, &zero, sizeof(info)), 0);
}

TEST(IdentifyCpu, ProcessorWithoutLeafOneKeepsNoStaleSse3Bit) {
    CpuInfo info{};
    FakeCpuProbe sse3 = Intel(0xF29, 0);
    sse3.SetLeaf1(0xF29, 0, 1, 0);
    IdentifyCpu(&info, sse3);
    ASSERT_EQ(info.leaf1Ecx, 1u);

    FakeCpuProbe noLeafOne;
    noLeafOne.SetVendor("GenuineIntel", 0);
    IdentifyCpu(&info, noLeafOne);
    EXPECT_EQ(info.leaf1Ecx, 0u);
    EXPECT_EQ(info.features, 0u);
    EXPECT_EQ(info.maxLeaf, 0u);
    EXPECT_STREQ(info.vendor, "GenuineIntel");
}

TEST(IdentifyCpu, ReadsTheLeaves) {
    FakeCpuProbe probe = Intel(0x6B1, 0x0101);
    probe.leaves[0].eax = 2;
    probe.SetLeaf1(0x6B1, 0x0101, 0x5, 0x0383FBFF);
    probe.SetExtended(0x80000004u, 0x123, 0x456);
    probe.SetBrand("Pentium Test Brand");
    const CpuInfo info = Identify(probe);
    EXPECT_EQ(info.maxLeaf, 2u);
    EXPECT_EQ(info.signature, 0x6B1u);
    EXPECT_EQ(info.leaf1Ebx, 0x0101u);
    EXPECT_EQ(info.leaf1Ecx, 0x5u);
    EXPECT_EQ(info.leaf1Edx, 0x0383FBFFu);
    EXPECT_EQ(info.maxExtendedLeaf, 0x80000004u);
    EXPECT_EQ(info.extendedSignature, 0x123u);
    EXPECT_EQ(info.extendedFeatures, 0x456u);
    EXPECT_STREQ(info.brand, "Pentium Test Brand");
}

TEST(IdentifyCpu, ExtendedLeafOnlyWhenReported) {
    FakeCpuProbe probe = Amd(0x560, 0x660);
    probe.leaves[0x80000000u].eax = 0x80000000u;
    const CpuInfo info = Identify(probe);
    EXPECT_EQ(info.extendedSignature, 0u);
    EXPECT_EQ(info.familyClass, kCpuClassAmd);
    EXPECT_STREQ(info.brand, "");
}

struct BrandCase {
    uint32_t signature;
    uint32_t brandIndex;
    const char* brand;
    uint32_t familyClass;
    uint32_t line;
};

class IntelBrands : public ::testing::TestWithParam<BrandCase> {};

TEST_P(IntelBrands, NamesFamilyClassAndLine) {
    const BrandCase& c = GetParam();
    const CpuInfo info = Identify(Intel(c.signature, c.brandIndex));
    EXPECT_STREQ(info.brand, c.brand);
    EXPECT_EQ(info.familyClass, c.familyClass);
    EXPECT_EQ(info.line, c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntelBrands,
    ::testing::Values(BrandCase{0xF27, 14, "Mobile Intel(r) Pentium(r) 4 Processor-M", 0x11, 2},
                      BrandCase{0xF24, 15, "Mobile Intel(r) Pentium(r) 4 Processor-M", 0x11, 2},
                      BrandCase{0x6B1, 3, "Intel(R) Celeron(R) Processor", 0x9, 1},
                      BrandCase{0x681, 6, "Mobile Intel(R) Pentium(R) III Processor-M", 0x9, 2},
                      BrandCase{0x681, 7, "Mobile Intel(R) Celeron(R) Processor", 0x9, 2},
                      BrandCase{0x695, 22, "Banias Mobile Processor", 0x9, 4},
                      BrandCase{0x652, 0, "", 0x3, 1},
                      BrandCase{0x632, 2, "Intel(R) Pentium(R) III Processor", 0x3, 1},
                      BrandCase{0xF12, 9, "Intel(R) Pentium(R) 4 Processor", 0x11, 1},
                      BrandCase{0x100F12, 11, "Intel(R) Xeon(tm) Processor", 0x1, 1},
                      BrandCase{0xF12, 23, "Future Processor", 0x11, 1},
                      BrandCase{0x543, 1, "Intel(R) Celeron(R) Processor", 0x1, 0}));

TEST(IdentifyCpu, BrandStringFromTheProcessorWins) {
    FakeCpuProbe probe = Intel(0xF27, 14);
    probe.SetExtended(0x80000004u, 0, 0);
    probe.SetBrand("Real Brand");
    EXPECT_STREQ(Identify(probe).brand, "Real Brand");
}

struct AmdCase {
    uint32_t signature;
    uint32_t extendedSignature;
    uint32_t familyClass;
};

class AmdClasses : public ::testing::TestWithParam<AmdCase> {};

TEST_P(AmdClasses, FamilyClassAsTabled) {
    const AmdCase& c = GetParam();
    EXPECT_EQ(Identify(Amd(c.signature, c.extendedSignature)).familyClass, c.familyClass);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AmdClasses,
    ::testing::Values(AmdCase{0x560, 0x600, 0x30000}, AmdCase{0x570, 0x600, 0x30000},
                      AmdCase{0x580, 0x600, 0x50000}, AmdCase{0x590, 0x600, 0x90000},
                      AmdCase{0x5A0, 0x600, 0x10000}, AmdCase{0x640, 0x700, 0x110000},
                      AmdCase{0x630, 0x700, 0x210000}, AmdCase{0xF40, 0xF00, 0x410000},
                      AmdCase{0xF50, 0xF00, 0x810000}, AmdCase{0xF20, 0xF00, 0x10000},
                      AmdCase{0x640, 0x600, 0x10000}));

TEST(IdentifyCpu, OtherVendorsGetTheirBit) {
    const std::pair<const char*, uint32_t> vendors[] = {{"GenuineTMx86", kCpuClassTransmeta},
                                                        {"CentaurHauls", kCpuClassCentaur},
                                                        {"CyrixInstead", kCpuClassCyrix},
                                                        {"SomethingNew", 0}};
    for (const auto& [vendor, familyClass] : vendors) {
        FakeCpuProbe probe;
        probe.SetVendor(vendor);
        probe.SetLeaf1(0x540, 5, 0, 0);
        const CpuInfo info = Identify(probe);
        EXPECT_EQ(info.familyClass, familyClass) << vendor;
        EXPECT_STREQ(info.brand, "") << vendor;
        EXPECT_STREQ(info.vendor, vendor);
    }
}

TEST(IdentifyCpu, HostProcessorIdentifiesWithoutFailing) {
    CpuInfo info{};
    IdentifyCpu(&info, HostCpuProbe());
    EXPECT_EQ(std::strlen(info.vendor), HostCpuProbe().HasCpuid() ? 12u : 0u);
}

}  // namespace
