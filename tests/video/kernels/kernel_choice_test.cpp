// Kernel selection by colour mode, deinterlace bit, capability and method.
#include "video/kernels/kernel_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(PlanarChoice, FollowsTheSelectionTable) {
    for (int mode = 0; mode < 3; ++mode) {
        EXPECT_EQ(ChoosePlanarMember(mode, false, true, 2), kA0 + mode);
        EXPECT_EQ(ChoosePlanarMember(mode, true, true, 1), kA0 + mode);
        EXPECT_EQ(ChoosePlanarMember(mode, true, true, 3), kA03 + mode);
        EXPECT_EQ(ChoosePlanarMember(mode, true, true, 0), kA0x + mode);
        EXPECT_EQ(ChoosePlanarMember(mode, true, true, 7), kA0x + mode);
    }
    EXPECT_EQ(ChoosePlanarMember(0, true, false, 3), kA0d);
    EXPECT_EQ(ChoosePlanarMember(1, true, false, 1), kA1d);
    EXPECT_EQ(ChoosePlanarMember(1, false, false, 1), kA1);
}

TEST(PackedChoice, FollowsTheSelectionTable) {
    EXPECT_EQ(ChoosePackedMember(0, false, true, 0, false, false), kB0);
    EXPECT_EQ(ChoosePackedMember(1, true, true, 1, false, false), kB1);
    EXPECT_EQ(ChoosePackedMember(0, false, false, 0, false, false), kB0n);
    EXPECT_EQ(ChoosePackedMember(1, false, false, 0, false, false), kB1n);
    EXPECT_EQ(ChoosePackedMember(2, false, false, 0, false, false), kB2);
    EXPECT_EQ(ChoosePackedMember(2, true, true, 3, true, false), kB23f);
    EXPECT_EQ(ChoosePackedMember(0, true, true, 3, false, false), kB03);
    EXPECT_EQ(ChoosePackedMember(1, true, true, 2, false, false), kB1x);
    EXPECT_EQ(ChoosePackedMember(0, true, false, 3, false, false), kB0d);
    EXPECT_EQ(ChoosePackedMember(1, true, false, 2, false, false), kB1d);
    EXPECT_EQ(ChoosePackedMember(2, true, false, 2, false, false), kB2x);
}

TEST(PackedChoice, SecondVariantIgnoresDeinterlacing) {
    EXPECT_EQ(ChoosePackedMember(0, true, true, 3, true, true), kB0v);
    EXPECT_EQ(ChoosePackedMember(1, true, false, 2, false, true), kB1vn);
    EXPECT_EQ(ChoosePackedMember(2, false, false, 0, false, true), kB2v);
}

TEST(BasicChoice, PrefersSseThen3DNowThenMmx) {
    KernelCpu cpu;
    EXPECT_EQ(ChooseBasicDeinterlacer(cpu), kBasicMmx);
    cpu.amd3DNow = true;
    EXPECT_EQ(ChooseBasicDeinterlacer(cpu), kBasic3DNow);
    cpu.sse = true;
    EXPECT_EQ(ChooseBasicDeinterlacer(cpu), kBasicSse);
}

TEST(KernelCpu, FeatureBitsMapOntoPaths) {
    const KernelCpu none = KernelCpuFromFeatures(0);
    EXPECT_FALSE(none.sse2 || none.extendedMmx || none.sse || none.amd3DNow);
    const KernelCpu amd = KernelCpuFromFeatures(0x2 | 0x100);
    EXPECT_TRUE(amd.extendedMmx);
    EXPECT_FALSE(amd.sse);  // extended MMX alone is not SSE
    EXPECT_TRUE(amd.amd3DNow);
    const KernelCpu intel = KernelCpuFromFeatures(0x2 | 0x4 | 0x8);
    EXPECT_TRUE(intel.sse);
#if defined(__x86_64__)
    EXPECT_TRUE(intel.sse2);
#endif
}

}  // namespace
