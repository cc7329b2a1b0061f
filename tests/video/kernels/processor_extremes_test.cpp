// Every processor kind with hostile geometry: rectangles at the ends of the 32-bit
// range, and outputs too narrow for what a packed source would copy. Nothing may
// overflow, and nothing may be written outside the output the picture describes.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "tests/support/guarded_buffer.h"
#include "tests/video/kernels/processor_fixture.h"
#include "video/kernels/processor_scaled.h"
#include "video/kernels/processor_yuy2.h"
#include "video/kernels/processor_yv12.h"
#include "video/kernels/processor_yv12_basic.h"

namespace {

struct Rect {
    int32_t left, top, right, bottom;
};

void UseRect(CVRLNVideoProcessor& processor, const Rect& r) {
    const int32_t words[4] = {r.left, r.top, r.right, r.bottom};
    ASSERT_EQ(processor.SetParameter(kParamRectangle, reinterpret_cast<intptr_t>(words)), 0);
}

// The planar kinds report how many lines they worked through.
class PlanarExtremes : public ::testing::TestWithParam<int> {
  protected:
    PlanarExtremes() {
        const KernelCpu cpu = TestCpu(0, true);
        switch (GetParam()) {
            case 0:
                processor_ = std::make_unique<CVRLNProcessorYV12>(cpu);
                break;
            case 1:
                processor_ = std::make_unique<CVRLNProcessorYUY2>(cpu);
                break;
            default:
                processor_ = std::make_unique<CVRLNProcessorYV12Basic>(cpu);
                break;
        }
        const CVRLNColourRecord neutral{};
        processor_->SetColourControls(&neutral);
    }
    // Lines processed for a 16 x 8 picture under this rectangle, or -1 when refused.
    int LinesFor(const Rect& r) {
        TestPicture t(16, 8, 32);
        t.Fill(60, 128, 128);
        UseRect(*processor_, r);
        if (processor_->Process(&t.picture, 0) != kProcessDone) return -1;
        return processor_->ProgressLine();
    }
    LibraryStateGuard guard_;
    std::unique_ptr<CVRLNVideoProcessor> processor_;
};

TEST_P(PlanarExtremes, RectanglesSpanningTheWholeRangeAreClippedToThePicture) {
    EXPECT_EQ(LinesFor({INT_MIN, INT_MIN, INT_MAX, INT_MAX}), 8);
    EXPECT_EQ(LinesFor({0, INT_MIN, 16, INT_MAX}), 8);
    EXPECT_EQ(LinesFor({0, INT_MAX, 16, INT_MIN}), 8);
    // The width spans the range and the four lines are taken as given.
    EXPECT_EQ(LinesFor({INT_MIN, 0, INT_MAX, 4}), 4);
    EXPECT_EQ(LinesFor({0, 2, INT_MAX, 6}), 4);
}

TEST_P(PlanarExtremes, RectanglesOutsideThePictureAreRefused) {
    EXPECT_EQ(LinesFor({INT_MAX - 1, 0, INT_MAX, 4}), -1);
    EXPECT_EQ(LinesFor({0, INT_MAX - 4, 16, INT_MAX}), -1);
    EXPECT_EQ(LinesFor({16, 0, 32, 8}), -1);
}

TEST_P(PlanarExtremes, EmptyOrInvertedWidthsMeanTheWholePicture) {
    EXPECT_EQ(LinesFor({INT_MAX, 0, INT_MIN, 4}), 8);
    EXPECT_EQ(LinesFor({0, 0, INT_MIN, 4}), 8);
    EXPECT_EQ(LinesFor({5, 5, 5, 5}), 8);
}

std::string PlanarKindName(const ::testing::TestParamInfo<int>& info) {
    const char* names[] = {"YV12", "YUY2", "Basic"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Kinds, PlanarExtremes, ::testing::Values(0, 1, 2), PlanarKindName);

TEST(ScaledExtremes, RectanglesSpanningTheWholeRangeWriteEveryLineOnce) {
    LibraryStateGuard guard;
    CVRLNProcessorScaled scaled(TestCpu(0, true));
    const CVRLNColourRecord neutral{};
    scaled.SetColourControls(&neutral);
    for (const Rect& r : {Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, Rect{0, INT_MIN, 16, INT_MAX},
                          Rect{INT_MIN, 0, INT_MAX, 8}}) {
        // Exactly 8 lines of 32 bytes: a line more, or a wider line, faults.
        GuardedBuffer output(32 * 8);
        ASSERT_NE(output.data(), nullptr);
        TestPicture t(16, 8, 32);
        t.Fill(60, 128, 128);
        t.picture.output = output.data();
        UseRect(scaled, r);
        ASSERT_EQ(scaled.Process(&t.picture, 0), kProcessDone);
        EXPECT_EQ(output.data()[32 * 7], 60);
    }
}

TEST(ScaledExtremes, ColourValuesBeyondTheirRangeActAsItsEnds) {
    CVRLNProcessorScaled scaled(TestCpu(0, true));
    const CVRLNColourRecord hostile{INT_MIN, INT_MAX, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MIN};
    scaled.SetColourControls(&hostile);
    const ScaledConstants k = scaled.Constants();
    const CVRLNColourRecord ends{-32, 32, -32, -32, 32, 32, -32};
    scaled.SetColourControls(&ends);
    EXPECT_EQ(k.lumaSubtract, 32);
    EXPECT_EQ(k.lumaCentre, 96);
    EXPECT_EQ(k.contrastGain, scaled.Constants().contrastGain);
    EXPECT_EQ(k.saturationGain, scaled.Constants().saturationGain);
    EXPECT_EQ(k.uAdd, 32);
    EXPECT_EQ(k.vSubtract, 32);
}

// A packed source goes to a planar output in one block of width x height x 3 / 2
// bytes; an output pitch narrower than the picture has less room than that.
class PackedIntoPlanar : public ::testing::TestWithParam<int> {
  protected:
    std::unique_ptr<CVRLNVideoProcessor> Make() {
        const KernelCpu cpu = TestCpu(0, true);
        if (GetParam() == 0) return std::make_unique<CVRLNProcessorYV12>(cpu);
        return std::make_unique<CVRLNProcessorYV12Basic>(cpu);
    }
    LibraryStateGuard guard_;
};

TEST_P(PackedIntoPlanar, AnOutputNarrowerThanThePictureIsRefused) {
    auto processor = Make();
    TestPicture t(16, 8, 8);
    t.picture.packed = 1;
    // The room a planar output of pitch 8 and 8 lines has: 8 x 8 x 3 / 2 bytes.
    GuardedBuffer output(8 * 8 * 3 / 2);
    ASSERT_NE(output.data(), nullptr);
    t.picture.output = output.data();
    EXPECT_EQ(processor->Process(&t.picture, 0), kProcessRefused);
}

TEST_P(PackedIntoPlanar, AnOutputAsWideAsThePictureTakesTheBlock) {
    auto processor = Make();
    TestPicture t(16, 8, 16);
    for (int i = 0; i < 16 * 8 * 2; ++i) t.picture.plane[0][i] = uint8_t(i);
    t.picture.packed = 1;
    GuardedBuffer output(16 * 8 * 3 / 2);
    ASSERT_NE(output.data(), nullptr);
    t.picture.output = output.data();
    ASSERT_EQ(processor->Process(&t.picture, 0), kProcessDone);
    EXPECT_EQ(0, std::memcmp(output.data(), t.picture.plane[0], 16 * 8 * 3 / 2));
}

std::string PackedKindName(const ::testing::TestParamInfo<int>& info) {
    return info.param == 0 ? "YV12" : "Basic";
}

INSTANTIATE_TEST_SUITE_P(Kinds, PackedIntoPlanar, ::testing::Values(0, 1), PackedKindName);

}  // namespace
