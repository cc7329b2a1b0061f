// The planar kind through its interface: neutral conversion, colour controls,
// overlay, parameters, kernel choice, odd sizes and refusals.
#include "video/kernels/processor_yv12.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/video/kernels/processor_fixture.h"
#include "tests/video/kernels/random_frames.h"
#include "video/kernels/processor_yv12_basic.h"

namespace {

class ProcessorYV12 : public ::testing::TestWithParam<int> {
  protected:
    ProcessorYV12() : processor_(TestCpu(GetParam(), true)) { SetColours({}); }
    void SetColours(const CVRLNColourRecord& c) { processor_.SetColourControls(&c); }
    LibraryStateGuard guard_;
    CVRLNProcessorYV12 processor_;
};

TEST_P(ProcessorYV12, NeutralColoursReproduceLumaAndSplitChroma) {
    RandomFrames rnd(7);
    TestPicture t(37, 21, 40);
    rnd.Fill(t.picture.plane[0], size_t(37) * 21);
    rnd.Fill(t.picture.plane[1], size_t(38) * 11);
    SetColours({});
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 37; ++x) ASSERT_EQ(t.OutY(x, y), t.Y(x, y)) << x << "," << y;
    }
    for (int line = 0; line < 11; ++line) {
        for (int p = 0; p < 19; ++p) {
            ASSERT_EQ(t.OutU(p, line), t.UV(2 * p, line));
            ASSERT_EQ(t.OutV(p, line), t.UV(2 * p + 1, line));
        }
    }
    EXPECT_EQ(processor_.ProgressLine(), 21);
    EXPECT_STREQ(processor_.LastKernel(), "A0");
}

// Planes whose lines lie back to back run through the kernels as one long
// line; the result must be what the same picture gives line by line.
TEST_P(ProcessorYV12, BackToBackPlanesGiveTheLineByLineResult) {
    const CVRLNColourRecord records[] = {
        {}, {4, 6, 0, -3, 0, 2, -2}, {4, 6, 9, -3, 3, 2, -2}, {-7, 0, 0, 0, 0, 0, 0}};
    for (uint32_t word : {0u, 0x402u}) {
        for (const CVRLNColourRecord& colours : records) {
            RandomFrames rnd(11);
            TestPicture whole(38, 21, 38), lines(38, 21, 41);
            rnd.Fill(whole.picture.plane[0], size_t(38) * 21);
            rnd.Fill(whole.picture.plane[1], size_t(38) * 11);
            std::memcpy(lines.picture.plane[0], whole.picture.plane[0], size_t(38) * 21);
            std::memcpy(lines.picture.plane[1], whole.picture.plane[1], size_t(38) * 11);
            SetColours(colours);
            SetDeinterlaceModeWord(word);
            ASSERT_EQ(processor_.Process(&whole.picture, 0), 0);
            ASSERT_EQ(processor_.ProgressLine(), 21);
            ASSERT_EQ(processor_.Process(&lines.picture, 0), 0);
            for (int y = 0; y < 21; ++y) {
                for (int x = 0; x < 38; ++x) ASSERT_EQ(whole.OutY(x, y), lines.OutY(x, y));
            }
            for (int line = 0; line < 11; ++line) {
                for (int p = 0; p < 19; ++p) {
                    ASSERT_EQ(whole.OutU(p, line), lines.OutU(p, line)) << p << "," << line;
                    ASSERT_EQ(whole.OutV(p, line), lines.OutV(p, line)) << p << "," << line;
                }
            }
        }
    }
}

TEST_P(ProcessorYV12, BrightnessSaturatesAtBothEnds) {
    TestPicture t(32, 4, 32);
    t.Fill(250, 128, 128);
    t.Y(0, 0) = 5;
    SetColours({10, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(processor_.ColourMode(), 0);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.OutY(1, 1), 255);
    EXPECT_EQ(t.OutY(0, 0), 15);
    SetColours({-10, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.OutY(1, 1), 240);
    EXPECT_EQ(t.OutY(0, 0), 0);
}

TEST_P(ProcessorYV12, ChromaOffsetsMoveUAndVApart) {
    TestPicture t(16, 2, 16);
    t.Fill(100, 250, 5);
    SetColours({0, 0, 0, 0, 0, 10, -10});
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.OutU(3, 0), 255);
    EXPECT_EQ(t.OutV(3, 0), 0);
    EXPECT_EQ(t.OutY(3, 0), 100);
}

TEST_P(ProcessorYV12, GainModeKeepsNeutralSamplesAndStretchesOthers) {
    TestPicture t(16, 2, 16);
    t.Fill(128, 128, 128);
    t.Y(1, 0) = 228;
    SetColours({0, 32, 0, 0, 0, 0, 0});
    EXPECT_EQ(processor_.ColourMode(), 1);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_STREQ(processor_.LastKernel(), "A1");
    EXPECT_NEAR(t.OutY(0, 0), 128, 1);
    EXPECT_EQ(t.OutY(1, 0), 255);
}

TEST_P(ProcessorYV12, OverlayAlphaReplacesKeepsOrAverages) {
    TestPicture t(32, 4, 32);
    t.Fill(200, 100, 60);
    // Alpha 15, 0 and 8 side by side, palette entry 1 = (40, 180, 20).
    const uint8_t pixels[3] = {0xF1, 0x01, 0x81};
    CVRLNSubpicture sub{};
    sub.pixels = pixels;
    sub.pitch = 3;
    sub.x = 8;
    sub.y = 0;
    sub.width = 3;
    sub.height = 1;
    sub.palette[1][0] = 40;
    sub.palette[1][1] = 180;
    sub.palette[1][2] = 20;
    t.picture.subpicture = &sub;
    processor_.SetSubpicture(&t.picture);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.OutY(8, 0), 40);
    EXPECT_EQ(t.OutY(9, 0), 200);
    EXPECT_EQ(t.OutY(10, 0), 200 / 2 + 40 / 2);
    EXPECT_EQ(t.OutY(8, 1), 200);
    EXPECT_EQ(t.OutU(4, 0), 180);  // the pair at columns 8, 9 takes the opaque pixel
    EXPECT_EQ(t.OutV(4, 0), 20);
    EXPECT_EQ(t.OutU(5, 0), 100 / 2 + 180 / 2);
    EXPECT_EQ(processor_.GetSubpictureState(), 0);
    const CVRLNSubpicture* got = nullptr;
    VRLNRect rect{};
    EXPECT_NE(processor_.GetSubpicture(&got, &rect), 0);
    EXPECT_EQ(got, &sub);
    EXPECT_EQ(rect.right, 11);
    EXPECT_EQ(processor_.GetSubpicture(&got, &rect), 0);
}

TEST_P(ProcessorYV12, OverlayStaysUntilRemoved) {
    TestPicture t(16, 2, 16);
    t.Fill(200, 128, 128);
    const uint8_t pixel = 0xF0;
    CVRLNSubpicture sub{};
    sub.pixels = &pixel;
    sub.pitch = sub.width = sub.height = 1;
    t.picture.subpicture = &sub;
    processor_.SetSubpicture(&t.picture);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.OutY(0, 0), 0);
    t.picture.subpicture = nullptr;
    processor_.SetSubpicture(&t.picture);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.OutY(0, 0), 200);
    EXPECT_LT(processor_.GetSubpictureState(), 0);
}

TEST_P(ProcessorYV12, ComposeOnceKeepsTheSpansAsideAndClearsThem) {
    TestPicture t(16, 2, 16);
    t.Fill(200, 128, 128);
    const uint8_t pixel = 0xF0;
    CVRLNSubpicture sub{};
    sub.pixels = &pixel;
    sub.pitch = sub.width = sub.height = 1;
    t.picture.subpicture = &sub;
    processor_.SetSubpicture(&t.picture);
    ASSERT_EQ(processor_.Process(&t.picture, kProcessComposeOnce), 0);
    EXPECT_EQ(t.OutY(0, 0), 0);
    EXPECT_EQ(processor_.Overlay().SpanWord(0), 0u);
    EXPECT_EQ(processor_.Overlay().SavedSpanWord(0), 7u << 16);
}

TEST_P(ProcessorYV12, DeinterlaceBitSelectsTheBlendingMembers) {
    TestPicture t(16, 4, 16);
    t.Fill(0, 128, 128);
    for (int x = 0; x < 16; ++x) t.Y(x, 1) = 101;
    SetColours({});
    SetDeinterlaceModeWord(0x402);
    processor_.SetParameter(kParamDeinterlaceMethod, 2);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_STREQ(processor_.LastKernel(), "A0-x");
    EXPECT_EQ(t.OutY(0, 0), 0);
    EXPECT_EQ(t.OutY(0, 1), 51);  // rounded mean
    EXPECT_EQ(t.OutY(0, 2), 51);
    processor_.SetParameter(kParamDeinterlaceMethod, 1);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_STREQ(processor_.LastKernel(), "A0");
    processor_.SetParameter(kParamDeinterlaceMethod, 3);
    EXPECT_EQ(processor_.GetParameter(kParamFlags), 8);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_STREQ(processor_.LastKernel(), "A0-3");
    EXPECT_EQ(t.OutY(0, 0), 0);
    EXPECT_EQ(t.OutY(0, 1), 0);  // odd line rebuilt from lines 0 and 2
    EXPECT_EQ(t.OutY(0, 3), 0);  // last line: its only neighbour twice
}

TEST_P(ProcessorYV12, RectangleChoosesAndClipsTheArea) {
    TestPicture t(16, 8, 16);
    t.Fill(9, 128, 128);
    const int32_t rect[4] = {0, 0, 8, 4};
    ASSERT_EQ(processor_.SetParameter(kParamRectangle, reinterpret_cast<intptr_t>(rect)), 0);
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.OutY(7, 3), 9);
    EXPECT_EQ(t.OutY(8, 0), 0xEE);
    EXPECT_EQ(processor_.ProgressLine(), 4);
    const int32_t huge[4] = {0, 0, 4000, 4000};
    processor_.SetParameter(kParamRectangle, reinterpret_cast<intptr_t>(huge));
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(processor_.ProgressLine(), 8);
    EXPECT_EQ(processor_.SetParameter(kParamRectangle, 0), -1);
}

TEST_P(ProcessorYV12, RefusesWhatItCannotWrite) {
    TestPicture t(16, 4, 8);  // pitch below the line
    EXPECT_EQ(processor_.Process(&t.picture, 0), kProcessRefused);
    EXPECT_EQ(processor_.Process(nullptr, 0), kProcessRefused);
    TestPicture noOutput(16, 4, 16);
    noOutput.picture.output = nullptr;
    EXPECT_EQ(processor_.Process(&noOutput.picture, 0), kProcessRefused);
    EXPECT_EQ(processor_.Process(&noOutput.picture, kProcessAltOutputs), kProcessRefused);
}

TEST_P(ProcessorYV12, AlternativeOutputsTakeThePlanes) {
    TestPicture t(16, 2, 16);
    t.Fill(70, 80, 90);
    std::vector<uint8_t> y(32), v(8), u(8);
    t.picture.altOutput[0] = y.data();
    t.picture.altOutput[1] = v.data();
    t.picture.altOutput[2] = u.data();
    ASSERT_EQ(processor_.Process(&t.picture, kProcessAltOutputs), 0);
    EXPECT_EQ(y[31], 70);
    EXPECT_EQ(u[7], 80);
    EXPECT_EQ(v[7], 90);
}

TEST_P(ProcessorYV12, PackedSourceIsCopiedAsOneBlock) {
    TestPicture t(8, 4, 16);
    RandomFrames rnd(3);
    rnd.Fill(t.picture.plane[0], 8 * 4 * 2);
    t.picture.packed = 1;
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(0, std::memcmp(t.output.data(), t.picture.plane[0], 8 * 4 * 3 / 2));
    EXPECT_EQ(t.output[8 * 4 * 3 / 2], 0xEE);
}

TEST_P(ProcessorYV12, SpareLineOfOwnedPlanesRepeatsTheLastLine) {
    TestPicture t(16, 4, 16);
    t.Fill(1, 2, 3);
    for (int x = 0; x < 16; ++x) t.Y(x, 3) = 77;
    ASSERT_EQ(processor_.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.Y(5, 4), 77);
}

TEST_P(ProcessorYV12, BorrowedFrameIsNeverWrittenBeyondItsLines) {
    std::vector<uint8_t> frame(16 * 4 + 16 * 2, 50);
    CVRLNPicture picture;
    picture.width = 16;
    picture.height = 4;
    picture.planeSize = 16 * 4;
    picture.plane[0] = frame.data();
    picture.plane[1] = frame.data() + 16 * 4;
    std::vector<uint8_t> out(16 * 6, 0);
    picture.output = out.data();
    picture.outputPitch = 16;
    const std::vector<uint8_t> before = frame;
    ASSERT_EQ(processor_.Process(&picture, 0), 0);
    EXPECT_EQ(frame, before);
    picture.plane[0] = picture.plane[1] = nullptr;
}

TEST_P(ProcessorYV12, ParametersAnswerAsDocumented) {
    EXPECT_EQ(processor_.OverlayLineMode(), kOverlayPerLine);
    processor_.SetParameter(kParamOverlayPaired, 1);
    EXPECT_EQ(processor_.OverlayLineMode(), kOverlayPairedLines);
    processor_.SetParameter(kParamOverlayPaired, 0);
    EXPECT_EQ(processor_.OverlayLineMode(), kOverlayWholeRect);
    processor_.SetParameter(kParamSubpictureSource, 1234);
    EXPECT_EQ(processor_.GetParameter(kParamSubpictureSource), 1234);
    EXPECT_EQ(processor_.GetParameter(kParamReserved7), 0);
    EXPECT_EQ(processor_.GetParameter(kParamCapabilities), 127);
    EXPECT_EQ(processor_.GetParameter(42), -1);
    EXPECT_EQ(processor_.SetParameter(42, 1), -1);
    EXPECT_EQ(processor_.SetOutputWidth(100, 1000), 0);
    EXPECT_EQ(CVRLNProcessorYV12(TestCpu(0, false)).GetParameter(kParamCapabilities), 235);
}

TEST_P(ProcessorYV12, ProgressCanBeWatchedFromAnotherThread) {
    TestPicture t(64, 64, 64);
    t.Fill(1, 2, 3);
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        while (!done) EXPECT_LE(processor_.ProgressLine(), 64);
    });
    EXPECT_EQ(processor_.Process(&t.picture, 0), 0);
    done = true;
    watcher.join();
    EXPECT_EQ(processor_.ProgressLine(), 64);
}

INSTANTIATE_TEST_SUITE_P(Paths, ProcessorYV12, ::testing::Values(0, 1, 2, 3),
                         [](const auto& info) { return PathName(info.param); });

TEST(ClampTable, ClampsOffsetValues) {
    uint8_t table[256];
    CVRLNProcessorYV12::BuildClampTable(table, -10);
    EXPECT_EQ(table[5], 0);
    EXPECT_EQ(table[20], 10);
    CVRLNProcessorYV12::BuildClampTable(table, 10);
    EXPECT_EQ(table[250], 255);
    CVRLNProcessorYV12 processor(TestCpu(0, true));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(processor.LookupTable(2)[i], i);
}

TEST(ProcessorYV12Basic, ConvertsWithoutColourAndDeinterlacesByFeatures) {
    LibraryStateGuard guard;
    KernelCpu sse = TestCpu(1, true);
    sse.sse = true;
    CVRLNProcessorYV12Basic basic(sse);
    EXPECT_EQ(basic.GetParameter(kParamCapabilities), 97);
    EXPECT_EQ(basic.GetParameter(kParamFlags), 0);
    EXPECT_EQ(basic.OverlayLineMode(), kOverlayPerLine);
    const CVRLNColourRecord bright{20, 5, 0, 0, 0, 0, 0};
    basic.SetColourControls(&bright);
    TestPicture t(16, 2, 16);
    t.Fill(100, 50, 60);
    for (int x = 0; x < 16; ++x) t.Y(x, 1) = 201;
    ASSERT_EQ(basic.Process(&t.picture, 0), 0);
    EXPECT_EQ(t.OutY(0, 0), 100);
    EXPECT_EQ(t.OutU(0, 0), 50);
    EXPECT_STREQ(basic.LastKernel(), "basic");
    SetDeinterlaceModeWord(0x406);
    ASSERT_EQ(basic.Process(&t.picture, 0), 0);
    EXPECT_STREQ(basic.LastKernel(), "basic-sse");
    EXPECT_EQ(t.OutY(0, 1), 151);
    CVRLNProcessorYV12Basic mmx(TestCpu(0, false));
    ASSERT_EQ(mmx.Process(&t.picture, 0), 0);
    EXPECT_STREQ(mmx.LastKernel(), "basic-mmx");
    EXPECT_EQ(t.OutY(0, 1), 150);  // halved sum: 50 + 100
    KernelCpu amd;
    amd.amd3DNow = true;
    CVRLNProcessorYV12Basic k6(amd);
    ASSERT_EQ(k6.Process(&t.picture, 0), 0);
    EXPECT_STREQ(k6.LastKernel(), "basic-3dnow");
}

}  // namespace
