// Code paths follow the processor record, with the scalar reference as the
// floor: a processor without SSE2 (or one whose SSE2 the "CPUCHECK" override
// removes) gets the reference kernels, line routines and plain copies
// everywhere, whatever the machine running the test can do.
#include <gtest/gtest.h>

#include <memory>

#include "platform/cpu_info.h"
#include "tests/platform/fake_cpu_probe.h"
#include "video/kernels/kernel_cpu.h"
#include "video/kernels/kernel_set.h"
#include "video/kernels/processor_scaled.h"
#include "video/kernels/processor_yuy2.h"
#include "video/kernels/processor_yv12.h"
#include "video/kernels/processor_yv12_basic.h"
#include "video/render/block_copy.h"
#include "video/render/rgb_converter.h"
#include "video/render/rgb_rows.h"

namespace {

constexpr uint32_t kEdxTsc = 1u << 4, kEdxCmov = 1u << 15, kEdxMmx = 1u << 23, kEdxSse = 1u << 25,
                   kEdxSse2 = 1u << 26;
constexpr uint32_t kEcxSse3 = 1u << 0, kEcxSsse3 = 1u << 9;
constexpr int kRgb32Format = 5;

FakeCpuProbe Intel(uint32_t signature, uint32_t ecx, uint32_t edx) {
    FakeCpuProbe probe;
    probe.SetVendor("GenuineIntel");
    probe.SetLeaf1(signature, 0, ecx, edx);
    return probe;
}

// A Pentium II: MMX only.
FakeCpuProbe PentiumII() {
    return Intel(0x633, 0, kEdxTsc | kEdxCmov | kEdxMmx);
}

// A Pentium 4: SSE and SSE2, no SSSE3.
FakeCpuProbe Pentium4() {
    return Intel(0xF29, kEcxSse3, kEdxTsc | kEdxCmov | kEdxMmx | kEdxSse | kEdxSse2);
}

// A Core 2: SSE2 and SSSE3.
FakeCpuProbe Core2() {
    return Intel(0x6F6, kEcxSse3 | kEcxSsse3, kEdxTsc | kEdxCmov | kEdxMmx | kEdxSse | kEdxSse2);
}

// Installs a probe for one test; the host probe comes back afterwards.
class ProbeInstalled {
  public:
    explicit ProbeInstalled(const CpuProbe& probe) : previous_(InstallCpuProbe(&probe)) {}
    ~ProbeInstalled() { InstallCpuProbe(previous_); }
    ProbeInstalled(const ProbeInstalled&) = delete;
    ProbeInstalled& operator=(const ProbeInstalled&) = delete;

  private:
    const CpuProbe* previous_;
};

KernelCpu FromProbe(const CpuProbe& probe, uint32_t cpuCheck) {
    CpuInfo info{};
    DetectCpu(&info, probe, cpuCheck);
    return KernelCpuFromRecord(info);
}

TEST(MaskedCpu, WithoutSse2EveryObjectRunsTheScalarFloor) {
    const FakeCpuProbe probe = PentiumII();
    ProbeInstalled installed(probe);
    const KernelCpu cpu = DetectKernelCpu();
    EXPECT_FALSE(cpu.sse2 || cpu.ssse3 || cpu.avx2 || cpu.sse || cpu.extendedMmx);

    EXPECT_EQ(&CVRLNProcessorYV12().Kernels(), &ReferenceKernels());
    EXPECT_EQ(&CVRLNProcessorYUY2().Kernels(), &ReferenceKernels());
    EXPECT_EQ(&CVRLNProcessorScaled().Kernels(), &ReferenceKernels());
    EXPECT_EQ(&CVRLNProcessorYV12Basic().Kernels(), &ReferenceKernels());
    std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(kRgb32Format);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(&rgb->Rows(), &ReferenceRgbRows());
    CVRLNBlockCopy copier;
    EXPECT_FALSE(copier.SseClass());
    EXPECT_TRUE(copier.MmxClass());
}

TEST(MaskedCpu, Sse2WithoutSsse3KeepsTheConverterOnItsReferenceRoutines) {
    const FakeCpuProbe probe = Pentium4();
    ProbeInstalled installed(probe);
    const KernelCpu cpu = DetectKernelCpu();
    EXPECT_TRUE(cpu.sse2);
    EXPECT_FALSE(cpu.ssse3);
    if (Sse2Kernels() != nullptr) {
        EXPECT_NE(&CVRLNProcessorYV12().Kernels(), &ReferenceKernels());
    }
    std::unique_ptr<CVRLNProcessorRGB> rgb = CVRLNProcessorRGB::Create(kRgb32Format);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(&rgb->Rows(), &ReferenceRgbRows());
    EXPECT_TRUE(CVRLNBlockCopy().SseClass());
}

TEST(MaskedCpu, Ssse3ReachesTheConverterOnlyWithSse2Allowed) {
    const FakeCpuProbe probe = Core2();
    const KernelCpu full = FromProbe(probe, 0);
    EXPECT_TRUE(full.sse2);
    EXPECT_TRUE(full.ssse3);
    if (Ssse3RgbRows() != nullptr) {
        EXPECT_NE(&RgbRowsFor(full), &ReferenceRgbRows());
    }
    // "CPUCHECK" bits 20-21 = 2 remove SSE2, and with it every fast path.
    const KernelCpu masked = FromProbe(probe, 2u << 20);
    EXPECT_FALSE(masked.sse2 || masked.ssse3 || masked.avx2);
    EXPECT_EQ(&KernelsFor(masked), &ReferenceKernels());
    EXPECT_EQ(&RgbRowsFor(masked), &ReferenceRgbRows());
    EXPECT_EQ(&CVRLNProcessorYUY2(masked).Kernels(), &ReferenceKernels());
    EXPECT_TRUE(masked.extendedMmx) << "SSE itself stays";
}

}  // namespace
