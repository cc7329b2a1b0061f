// DetectCpu: feature bits from made-up processors, the kernel's SSE veto and
// the "CPUCHECK" override, also read from the settings.
#include <gtest/gtest.h>

#include "fake_cpu_probe.h"
#include "platform/cpu_info.h"
#include "platform/settings.h"
#include "temp_registry.h"

USE_TEMP_REGISTRY();

namespace {

constexpr uint32_t kEdxTsc = 1u << 4, kEdxCmov = 1u << 15, kEdxMmx = 1u << 23, kEdxSse = 1u << 25,
                   kEdxSse2 = 1u << 26, kEdxHtt = 1u << 28;
constexpr uint32_t kExtCmov = 1u << 15, kExtMmxExt = 1u << 22, kExt3DNowExt = 1u << 30,
                   kExt3DNow = 1u << 31;
constexpr uint32_t kPentium4Edx = kEdxTsc | kEdxCmov | kEdxMmx | kEdxSse | kEdxSse2 | kEdxHtt;

FakeCpuProbe Pentium4() {
    FakeCpuProbe probe;
    probe.SetVendor("GenuineIntel");
    probe.SetLeaf1(0xF29, 0, 1, kPentium4Edx);
    return probe;
}

FakeCpuProbe Athlon(uint32_t edx, uint32_t extended) {
    FakeCpuProbe probe;
    probe.SetVendor("AuthenticAMD");
    probe.SetLeaf1(0x642, 0, 0, edx);
    probe.SetExtended(0x80000001u, 0x700, extended);
    return probe;
}

FakeCpuProbe Unknown(uint32_t edx) {
    FakeCpuProbe probe;
    probe.SetVendor("SomethingNew");
    probe.SetLeaf1(0x600, 0, 1, edx);
    return probe;
}

uint32_t Features(const FakeCpuProbe& probe, uint32_t cpuCheck = 0) {
    CpuInfo info{};
    DetectCpu(&info, probe, cpuCheck);
    return info.features;
}

TEST(DetectCpu, Pentium4GetsIntelFeatures) {
    EXPECT_EQ(Features(Pentium4()), kCpuMmx | kCpuTsc | kCpuHyperThreading | kCpuSse3 | kCpuSse2 |
                                        kCpuSseBoth | kCpuCmov | kCpuCmovP6);
}

TEST(DetectCpu, ProcessorWithoutCpuidHasNoFeatures) {
    FakeCpuProbe probe;
    probe.hasCpuid = false;
    EXPECT_EQ(Features(probe), 0u);
}

TEST(DetectCpu, AthlonGetsAmdExtensions) {
    const uint32_t features =
        Features(Athlon(kEdxMmx | kEdxTsc, kExtCmov | kExtMmxExt | kExt3DNowExt | kExt3DNow));
    EXPECT_EQ(features,
              kCpuMmx | kCpuTsc | kCpuCmov | kCpuMmxExt | kCpu3DNowExt | kCpu3DNow | kCpuAthlon);
}

TEST(DetectCpu, AmdMmxExtensionsWithoutSseAreNotSse) {
    const uint32_t features = Features(Athlon(kEdxMmx, kExtMmxExt));
    EXPECT_TRUE(features & kCpuMmxExt);
    EXPECT_FALSE(features & kCpuSse);
}

TEST(DetectCpu, UnknownVendorGetsOnlyUnconditionalBits) {
    EXPECT_EQ(Features(Unknown(kPentium4Edx)), kCpuMmx | kCpuTsc);
}

TEST(DetectCpu, HyperThreadingOnlyOnNetBurstByDefault) {
    FakeCpuProbe probe = Pentium4();
    probe.SetLeaf1(0x6B1, 0, 0, kEdxHtt);
    EXPECT_EQ(Features(probe) & kCpuHyperThreading, 0u);
    EXPECT_NE(Features(probe, 1u << 22) & kCpuHyperThreading, 0u);
}

TEST(DetectCpuOverride, ValueTwoRemovesSse) {
    const uint32_t features = Features(Pentium4(), 0x80000);
    EXPECT_EQ(features & kCpuSseBoth, 0u);
    EXPECT_NE(features & kCpuSse2, 0u);
}

TEST(DetectCpuOverride, ValueOneGrantsSseToAnyVendorThatReportsIt) {
    EXPECT_EQ(Features(Unknown(kEdxSse), 0x40000) & kCpuSseBoth, kCpuSseBoth);
    EXPECT_EQ(Features(Unknown(0), 0x40000) & kCpuSseBoth, 0u);
}

TEST(DetectCpuOverride, ValueThreeActsAsAutomatic) {
    EXPECT_EQ(Features(Pentium4(), 0xC0000), Features(Pentium4()));
    EXPECT_EQ(Features(Unknown(kEdxSse), 0xC0000) & kCpuSseBoth, 0u);
}

TEST(DetectCpuOverride, EachStepHasItsOwnBits) {
    const uint32_t all =
        Features(Athlon(kPentium4Edx, kExtCmov | kExtMmxExt | kExt3DNowExt | kExt3DNow));
    EXPECT_EQ(Features(Pentium4(), 2u << 22) & kCpuHyperThreading, 0u);
    EXPECT_EQ(Features(Pentium4(), 2u << 20) & kCpuSse2, 0u);
    EXPECT_EQ(Features(Pentium4(), 2u << 16) & (kCpuCmov | kCpuCmovP6), 0u);
    const FakeCpuProbe athlon =
        Athlon(kPentium4Edx, kExtCmov | kExtMmxExt | kExt3DNowExt | kExt3DNow);
    EXPECT_EQ(Features(athlon, 2u << 10), all & ~kCpu3DNowExt);
    EXPECT_EQ(Features(athlon, 2u << 8), all & ~kCpu3DNow);
    // A later step sets bits an earlier step cleared.
    EXPECT_EQ(Features(athlon, 2u << 16) & kCpuCmov, kCpuCmov);
    EXPECT_EQ(Features(athlon, 2u << 18) & kCpuMmxExt, kCpuMmxExt);
}

class KernelVeto : public ::testing::TestWithParam<std::pair<const char*, bool>> {};

TEST_P(KernelVeto, OldKernelsLoseSseAndSse2) {
    FakeCpuProbe probe = Pentium4();
    probe.release = GetParam().first;
    const bool keeps = GetParam().second;
    CpuInfo info{};
    DetectCpu(&info, probe, 0);
    EXPECT_EQ((info.features & kCpuSseBoth) == kCpuSseBoth, keeps);
    EXPECT_EQ((info.features & kCpuSse2) != 0, keeps);
    EXPECT_EQ((info.leaf1Edx & (kEdxSse | kEdxSse2)) != 0, keeps);
    EXPECT_NE(info.leaf1Edx & kEdxMmx, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Releases, KernelVeto,
    ::testing::Values(std::make_pair("2.2.19", false), std::make_pair("2.4.0-test9", false),
                      std::make_pair("10.0", false), std::make_pair("", false),
                      std::make_pair("2.4.0", true), std::make_pair("2.4.20", true),
                      std::make_pair("2.6.8", true), std::make_pair("6.1.0-13-amd64", true)));

// A scope that presents a made-up processor to DetectCpu(CpuInfo*).
class InstalledProbe {
  public:
    explicit InstalledProbe(const CpuProbe* probe) : previous_(InstallCpuProbe(probe)) {}
    ~InstalledProbe() { InstallCpuProbe(previous_); }

  private:
    const CpuProbe* previous_;
};

TEST(DetectCpuSetting, CpuCheckIsReadFromTheSettings) {
    const FakeCpuProbe probe = Pentium4();
    InstalledProbe installed(&probe);
    CpuInfo info{};
    DetectCpu(&info);
    EXPECT_EQ(info.features & kCpuSseBoth, kCpuSseBoth);

    ASSERT_EQ(SettingSetInt("CPUCHECK", 0x80000), 0);
    DetectCpu(&info);
    EXPECT_EQ(info.features & kCpuSseBoth, 0u);
    EXPECT_EQ(SettingDeleteValue("CPUCHECK"), 0);
}

TEST(DetectCpuSetting, InstalledProbeIsUsedByIdentifyCpu) {
    FakeCpuProbe probe;
    probe.SetVendor("CyrixInstead");
    InstalledProbe installed(&probe);
    CpuInfo info{};
    IdentifyCpu(&info);
    EXPECT_EQ(info.familyClass, kCpuClassCyrix);
}

}  // namespace
