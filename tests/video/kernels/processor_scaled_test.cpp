// The scaled kind: steps, weight table, parameters and reduced output.
#include "video/kernels/processor_scaled.h"

#include <gtest/gtest.h>

#include "tests/video/kernels/processor_fixture.h"

namespace {

TEST(ScaledStep, ReducesOnly) {
    EXPECT_EQ(ScaledStep(576, 288, 1000), (576 * 256 - 256) / 288);
    EXPECT_EQ(ScaledStep(576, 576, 1000), 0);
    EXPECT_EQ(ScaledStep(576, 800, 1000), 0);
    EXPECT_EQ(ScaledStep(576, 0, 1000), 0);
    EXPECT_EQ(ScaledStep(720, 359, 1000), (720 * 256 - 256) / 360);  // rounded up to even
}

TEST(ProcessorScaled, StepsFollowTheCurrentFrameSize) {
    LibraryStateGuard guard;
    CVRLNProcessorScaled scaled(TestCpu(0, true));
    EXPECT_EQ(scaled.GetParameter(kParamFlags), 2);
    SetCurrentFrameSize(720, 576);
    EXPECT_EQ(scaled.SetOutputHeight(288, 1000), (576 * 256 - 256) / 288);
    EXPECT_EQ(scaled.GetParameter(kParamFlags), 0);
    EXPECT_EQ(scaled.SetOutputWidth(360, 1000), (720 * 256 - 256) / 360);
    ASSERT_EQ(scaled.Taps().size(), 360u);
    EXPECT_EQ(scaled.Taps()[0].index, 0);
    EXPECT_EQ(scaled.Taps()[0].weight, 255);  // exactly on a pixel
    EXPECT_EQ(scaled.Taps()[0].leftWeight, 1);
    const ScaledTap& t = scaled.Taps()[1];
    const int step = scaled.HorizontalStep();
    EXPECT_EQ(t.index, (step + 255) / 256);
    EXPECT_EQ(t.weight, step % 256);
    EXPECT_EQ(t.weight + t.leftWeight, 256);
    EXPECT_EQ(scaled.GetParameter(kParamCapabilities), -1);
    scaled.SetOutputWidth(720, 1000);
    scaled.SetOutputHeight(0, 1000);
    EXPECT_EQ(scaled.GetParameter(kParamFlags), 2);
}

TEST(ProcessorScaled, ConstantsUseTheirOwnGains) {
    CVRLNProcessorScaled scaled(TestCpu(0, true));
    const CVRLNColourRecord c{-5, 4, 0, -3, 0, 2, -2};
    scaled.SetColourControls(&c);
    EXPECT_EQ(scaled.Constants().lumaSubtract, 5);
    EXPECT_EQ(scaled.Constants().lumaCentre, 123);
    EXPECT_EQ(scaled.Constants().contrastGain, (4 * 480 + 15360) / 64);
    EXPECT_EQ(scaled.Constants().saturationGain, (-3 * 480 + 15360) / 64);
    EXPECT_EQ(scaled.Constants().uAdd, 2);
    EXPECT_EQ(scaled.Constants().vSubtract, 2);
}

TEST(ProcessorScaled, HalvesAPictureInBothDirections) {
    LibraryStateGuard guard;
    CVRLNProcessorScaled scaled(TestCpu(0, true));
    TestPicture t(16, 8, 32);
    t.Fill(100, 30, 40);
    SetCurrentFrameSize(16, 8);
    scaled.SetOutputWidth(8, 1000);
    scaled.SetOutputHeight(4, 1000);
    ASSERT_EQ(scaled.Process(&t.picture, 0), 0);
    EXPECT_STREQ(scaled.LastKernel(), "S-v");
    for (int line = 0; line < 4; ++line) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_NEAR(t.output[line * 32 + 2 * x], 100, 1);
            ASSERT_EQ(t.output[line * 32 + 2 * x + 1], x % 2 == 0 ? 30 : 40);
        }
    }
    EXPECT_EQ(t.output[4 * 32], 0xEE);
}

TEST(ProcessorScaled, PlainAndDeinterlacingMembersKeepTheSize) {
    LibraryStateGuard guard;
    CVRLNProcessorScaled scaled(TestCpu(0, true));
    TestPicture t(8, 2, 16);
    t.Fill(0, 128, 128);
    for (int x = 0; x < 8; ++x) t.Y(x, 1) = 99;
    ASSERT_EQ(scaled.Process(&t.picture, 0), 0);
    EXPECT_STREQ(scaled.LastKernel(), "S");
    EXPECT_EQ(t.output[16], 99);
    SetDeinterlaceModeWord(0x402);
    ASSERT_EQ(scaled.Process(&t.picture, 0), 0);
    EXPECT_STREQ(scaled.LastKernel(), "S-d");
    EXPECT_EQ(t.output[16], 50);
    TestPicture narrow(8, 2, 15);
    EXPECT_EQ(scaled.Process(&narrow.picture, 0), kProcessRefused);
}

}  // namespace
