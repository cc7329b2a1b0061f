// The packed kind through its interface: interleaving, copy-through, output
// variant, field-aware filter and refusals.
#include "video/kernels/processor_yuy2.h"

#include <gtest/gtest.h>

#include "tests/video/kernels/processor_fixture.h"
#include "tests/video/kernels/random_frames.h"

namespace {

class ProcessorYUY2 : public ::testing::TestWithParam<int> {
  protected:
    ProcessorYUY2() : processor_(TestCpu(GetParam(), true)) {
        const CVRLNColourRecord neutral{};
        processor_.SetColourControls(&neutral);
    }
    static uint8_t Out(const TestPicture& t, int byte, int line) {
        return t.output[size_t(line) * t.picture.outputPitch + byte];
    }
    LibraryStateGuard guard_;
    CVRLNProcessorYUY2 processor_;
};

TEST_P(ProcessorYUY2, NeutralColoursInterleaveEveryLineWithItsChroma) {
    RandomFrames rnd(11);
    TestPicture t(23, 9, 50);
    rnd.Fill(t.picture.plane[0], 23 * 9);
    rnd.Fill(t.picture.plane[1], 24 * 5);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_STREQ(processor_.LastKernel(), "B0");
    for (int line = 0; line < 9; ++line) {
        for (int x = 0; x < 23; ++x) {
            ASSERT_EQ(Out(t, 2 * x, line), t.Y(x, line));
            ASSERT_EQ(Out(t, 2 * x + 1, line), t.UV(x, line / 2)) << x << "," << line;
        }
        EXPECT_EQ(Out(t, 46, line), 0xEE);
    }
}

TEST_P(ProcessorYUY2, PackedSourceIsCopiedUnchanged) {
    RandomFrames rnd(12);
    TestPicture t(8, 3, 16);
    rnd.Fill(t.picture.plane[0], 8 * 3 * 2);
    t.picture.packed = 1;
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(0, std::memcmp(t.output.data(), t.picture.plane[0], 8 * 3 * 2));
    TestPicture wide(8, 3, 20);
    std::memcpy(wide.picture.plane[0], t.picture.plane[0], 48);
    wide.picture.packed = 1;
    ASSERT_EQ(processor_.Process(&wide.picture, 0), 0);
    for (int line = 0; line < 3; ++line) {
        EXPECT_EQ(0, std::memcmp(&wide.output[line * 20], &t.picture.plane[0][line * 16], 16));
        EXPECT_EQ(wide.output[line * 20 + 16], 0xEE);
    }
}

TEST_P(ProcessorYUY2, SecondVariantPutsChromaFirst) {
    TestPicture t(16, 2, 32);
    t.Fill(10, 20, 30);
    SetPackedOutputVariant(1);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_STREQ(processor_.LastKernel(), "B0v");
    EXPECT_EQ(Out(t, 0, 0), 20);
    EXPECT_EQ(Out(t, 1, 0), 10);
    EXPECT_EQ(Out(t, 2, 0), 30);
    EXPECT_EQ(Out(t, 3, 0), 10);
}

TEST_P(ProcessorYUY2, FieldAwareFilterKeepsOneFieldAndRebuildsTheOther) {
    TestPicture t(16, 6, 32);
    t.Fill(0, 128, 128);
    for (int line = 1; line < 6; line += 2) {
        for (int x = 0; x < 16; ++x) t.Y(x, line) = 200;
    }
    SetDeinterlaceModeWord(0x402);
    processor_.SetParameter(kParamDeinterlaceMethod, 3);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_STREQ(processor_.LastKernel(), "B0-3");
    EXPECT_EQ(Out(t, 0, 1), 0);
    t.picture.pictureStructure = kPictureBottomField;
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(Out(t, 0, 0), 200);
    EXPECT_EQ(Out(t, 0, 1), 200);
    t.picture.pictureStructure = kPictureFrame;
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_STREQ(processor_.LastKernel(), "B0-3f");
    EXPECT_EQ(Out(t, 0, 1), 100);  // mean of 200 and the mean of its neighbours
    t.picture.repeatFirstField = 1;
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(Out(t, 0, 1), 200);
}

TEST_P(ProcessorYUY2, WithoutCapabilityUsesTheHalvedSum) {
    CVRLNProcessorYUY2 plain(TestCpu(GetParam(), false));
    TestPicture t(16, 2, 32);
    t.Fill(101, 128, 128);
    for (int x = 0; x < 16; ++x) t.Y(x, 1) = 0;
    ASSERT_EQ(plain.Process(&t.picture, 0), 0);
    EXPECT_STREQ(plain.LastKernel(), "B0n");
    SetDeinterlaceModeWord(0x402);
    ASSERT_EQ(plain.Process(&t.picture, 0), 0);
    EXPECT_STREQ(plain.LastKernel(), "B0-d");
    EXPECT_EQ(Out(t, 0, 1), 50);  // the rounded mean would give 51
    EXPECT_EQ(plain.GetParameter(kParamCapabilities), 235);
    EXPECT_EQ(processor_.GetParameter(kParamCapabilities), 511);
}

TEST_P(ProcessorYUY2, HueRotatesChromaAQuarterTurn) {
    TestPicture t(16, 2, 32);
    t.Fill(128, 228, 128);
    const CVRLNColourRecord hue{0, 0, 16, 0, 0, 0, 0};
    processor_.SetColourControls(&hue);
    ASSERT_EQ(processor_.ColourMode(), 2);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_STREQ(processor_.LastKernel(), "B2");
    EXPECT_EQ(Out(t, 1, 0), 128);  // U takes V's (neutral) value
    EXPECT_LT(Out(t, 3, 0), 128);  // V takes minus U's offset
}

TEST_P(ProcessorYUY2, RefusesOutputPitchBelowTheLine) {
    TestPicture t(16, 2, 31);
    EXPECT_EQ(processor_.Process(&t.picture, 0), kProcessRefused);
    t.picture.packed = 1;
    EXPECT_EQ(processor_.Process(&t.picture, 0), kProcessRefused);
}

INSTANTIATE_TEST_SUITE_P(Paths, ProcessorYUY2, ::testing::Values(0, 1, 2, 3),
                         [](const auto& info) { return PathName(info.param); });

}  // namespace
