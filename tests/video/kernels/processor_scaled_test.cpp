// The scaled kind: steps, weight table, parameters and reduced output.
#include "video/kernels/processor_scaled.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/video/kernels/processor_fixture.h"
#include "tests/video/kernels/random_frames.h"
#include "video/kernels/scale_taps.h"

namespace {

TEST(ScaledStep, ReducesOnly) {
    EXPECT_EQ(ScaledStep(576, 288, 1000), (576 * 256 - 256) / 288);
    EXPECT_EQ(ScaledStep(576, 576, 1000), 0);
    EXPECT_EQ(ScaledStep(576, 800, 1000), 0);
    EXPECT_EQ(ScaledStep(576, 0, 1000), 0);
    EXPECT_EQ(ScaledStep(720, 359, 1000), (720 * 256 - 256) / 360);  // rounded up to even
}

TEST(ProcessorScaled, ColumnsUseTheLibrarysScaleTaps) {
    CVRLNProcessorScaled scaled;
    SetCurrentFrameSize(720, 576);
    for (const int width : {90, 359, 500, 718}) {
        const int step = scaled.SetOutputWidth(width, 1000);
        const std::vector<ScaleTap> taps = BuildScaleTaps(720, width, step);
        ASSERT_EQ(scaled.Taps().size(), taps.size()) << width;
        for (size_t x = 0; x < taps.size(); ++x) {
            EXPECT_EQ(scaled.Taps()[x].index, taps[x].right) << width << " " << x;
            EXPECT_EQ(scaled.Taps()[x].weight, taps[x].weight) << width << " " << x;
            EXPECT_EQ(scaled.Taps()[x].leftWeight, 256 - taps[x].weight) << width << " " << x;
        }
    }
    scaled.SetOutputWidth(720, 1000);
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

TEST(ProcessorScaled, ContrastAndSaturationGainsReachTheOutput) {
    LibraryStateGuard guard;
    CVRLNProcessorScaled scaled(TestCpu(0, true));
    TestPicture t(8, 2, 16);
    t.Fill(200, 30, 160);
    for (int x = 0; x < 8; x += 2) t.Y(x, 1) = 50;
    // Gain 360 against the neutral 240: one and a half times the distance from 128.
    const CVRLNColourRecord more{0, 16, 0, 16, 0, 0, 0};
    scaled.SetColourControls(&more);
    ASSERT_EQ(scaled.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.output[0], 236);       // 128 + 72 x 1.5
    EXPECT_EQ(t.output[1], 0);         // U 30: 128 - 147, held at 0
    EXPECT_EQ(t.output[3], 176);       // V 160: 128 + 48
    EXPECT_EQ(t.output[16], 11);       // 128 - 117
    EXPECT_EQ(t.output[16 + 2], 236);  // the odd pixels of line 1 kept 200
    // The lowest contrast and saturation leave flat grey, moved by brightness and
    // the chroma offsets alone.
    const CVRLNColourRecord flat{5, -32, 0, -32, 0, -3, 4};
    scaled.SetColourControls(&flat);
    ASSERT_EQ(scaled.Process(&t.picture, 0), 0);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(t.output[2 * x], 133) << x;
        EXPECT_EQ(t.output[2 * x + 1], x % 2 == 0 ? 125 : 132) << x;
    }
    // Back to neutral: the picture as it is.
    const CVRLNColourRecord neutral{};
    scaled.SetColourControls(&neutral);
    ASSERT_EQ(scaled.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.output[0], 200);
    EXPECT_EQ(t.output[1], 30);
    EXPECT_EQ(t.output[3], 160);
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

// Output of one configuration on one path: (width, height) reduced to
// (outWidth, outHeight), 0 for no reduction.
struct ScaledRun {
    int outWidth;
    int outHeight;
    uint32_t deinterlaceWord;
};

// Paths of the scaled kind: 0 the reference, 1 SSE2, 2 with SSSE3 shuffles,
// 3 AVX2 (SSSE3 where the processor has no AVX2).
KernelCpu ScaledCpu(int path) {
    KernelCpu cpu = TestCpu(path >= 1 ? 1 : 0, true);
    cpu.ssse3 = path >= 2;
    cpu.avx2 = path >= 3 && HostSupportsAvx2();
    return cpu;
}

std::vector<uint8_t> RunScaled(int path, const ScaledRun& run, const CVRLNColourRecord& colours,
                               uint32_t seed, std::string* label) {
    LibraryStateGuard guard;
    constexpr int kWidth = 94, kHeight = 22;  // tails on every path
    CVRLNProcessorScaled scaled(ScaledCpu(path));
    TestPicture t(kWidth, kHeight, 2 * kWidth + 6);
    RandomFrames random(seed);
    random.Fill(t.picture.plane[0], size_t(kWidth) * kHeight);
    random.Fill(t.picture.plane[1], size_t(kWidth) * kHeight / 2);
    SetCurrentFrameSize(kWidth, kHeight);
    scaled.SetOutputWidth(run.outWidth, 1000);
    scaled.SetOutputHeight(run.outHeight, 1000);
    scaled.SetColourControls(&colours);
    SetDeinterlaceModeWord(run.deinterlaceWord);
    EXPECT_EQ(scaled.Process(&t.picture, 0), 0);
    *label = std::string(scaled.LastKernel()) + " on " + scaled.Lines().name;
    return t.output;
}

// Every fast path against the reference, on reductions whose column blocks
// all shuffle (down to half), some (a third) or none (a quarter and less).
TEST(ProcessorScaled, EveryFastPathGivesTheReferenceBytes) {
    CVRLNProcessorScaled probe(ScaledCpu(1));
    if (&probe.Lines() == &ScaledReferenceLines()) GTEST_SKIP() << "no SSE2 path here";
    EXPECT_STREQ(CVRLNProcessorScaled(ScaledCpu(0)).Lines().name, "reference");
    EXPECT_STREQ(CVRLNProcessorScaled(ScaledCpu(2)).Lines().name, "ssse3");
    const ScaledRun runs[] = {
        {0, 0, 0},      {0, 0, 0x402}, {0, 11, 0},  {47, 0, 0}, {47, 11, 0},
        {31, 7, 0x406}, {80, 0, 0},    {64, 20, 0}, {23, 5, 0}, {9, 3, 0},
    };
    RandomFrames random(19);
    for (int path = 1; path <= 3; ++path) {
        for (const ScaledRun& run : runs) {
            for (int trial = 0; trial < 8; ++trial) {
                const CVRLNColourRecord colours =
                    trial == 0 ? CVRLNColourRecord{} : random.Colours();
                const uint32_t seed = uint32_t(100 + trial);
                std::string referenceLabel, fastLabel;
                const auto reference = RunScaled(0, run, colours, seed, &referenceLabel);
                const auto fast = RunScaled(path, run, colours, seed, &fastLabel);
                EXPECT_EQ(fastLabel.substr(0, fastLabel.find(' ')),
                          referenceLabel.substr(0, referenceLabel.find(' ')));
                EXPECT_NE(fastLabel, referenceLabel);
                ASSERT_EQ(reference, fast) << fastLabel << " to " << run.outWidth << " x "
                                           << run.outHeight << ", trial " << trial;
            }
        }
    }
}

}  // namespace

namespace {

// The column tables are kept between pictures; a picture of another width
// (same taps) must still give what a fresh processor gives it.
TEST(ProcessorScaled, KeptColumnTablesFollowThePictureWidth) {
    LibraryStateGuard guard;
    const auto run = [](CVRLNProcessorScaled& scaled, int width, uint32_t seed) {
        TestPicture t(width, 12, 2 * 94);
        RandomFrames random(seed);
        random.Fill(t.picture.plane[0], size_t(width) * 12);
        random.Fill(t.picture.plane[1], size_t(width) * 6);
        EXPECT_EQ(scaled.Process(&t.picture, 0), 0);
        return t.output;
    };
    for (int path = 0; path <= 3; ++path) {
        SetCurrentFrameSize(94, 12);
        CVRLNProcessorScaled kept(ScaledCpu(path)), fresh(ScaledCpu(path));
        for (CVRLNProcessorScaled* p : {&kept, &fresh}) p->SetOutputWidth(40, 1000);
        run(kept, 94, 1);
        ASSERT_EQ(run(kept, 93, 2), run(fresh, 93, 2)) << "path " << path;
        kept.SetOutputWidth(60, 1000);
        CVRLNProcessorScaled again(ScaledCpu(path));
        again.SetOutputWidth(60, 1000);
        ASSERT_EQ(run(kept, 94, 3), run(again, 94, 3)) << "path " << path;
    }
}

}  // namespace
