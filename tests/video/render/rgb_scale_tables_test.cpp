// Scaling steps and tables: the 8.8 steps for the usual sizes, taps that stay
// inside the source, and the line choice by the fraction.
#include <gtest/gtest.h>

#include "video/render/rgb_scale_tables.h"

namespace {

TEST(ScaleSteps, FollowTheFixedPointFormulas) {
    EXPECT_EQ(VerticalStep(576, 768, 1000), (575 * 256) / 768);
    EXPECT_EQ(HorizontalStep(720, 1024, 1000), 180);
    EXPECT_EQ(HorizontalStep(720, 800, 1000), 230);
    EXPECT_EQ(VerticalStep(576, 576, 1000), 0);
    EXPECT_EQ(HorizontalStep(720, 0, 1000), 0);
    EXPECT_EQ(VerticalStep(480, 601, 1000), (479 * 256) / 602);  // output rounded up to even
}

TEST(ScaleTaps, WeightTheFractionAnd255OnWholePixels) {
    const auto taps = BuildScaleTaps(720, 1024, 180);
    EXPECT_EQ(taps[0].right, 0);
    EXPECT_EQ(taps[0].weight, 255);
    EXPECT_EQ(taps[1].left, 0);  // position 180: between pixels 0 and 1
    EXPECT_EQ(taps[1].right, 1);
    EXPECT_EQ(taps[1].weight, 180);
    EXPECT_EQ(taps[64].weight, 255);  // 64 x 180 = 45 x 256
    EXPECT_EQ(taps[64].right, 45);
}

TEST(ScaleTaps, NeverReachPastTheSource) {
    for (int out : {1, 2, 799, 800, 1024, 1920}) {
        const auto taps = BuildScaleTaps(720, out, HorizontalStep(720, out, 1000));
        for (const ScaleTap& t : taps) {
            EXPECT_GE(t.left, 0);
            EXPECT_LT(t.right, 720);
        }
    }
}

TEST(ScaleTaps, ChunksThatFitShuffleWithinSixteenBytes) {
    const ScalePlan plan = BuildScalePlan(720, 1024, 180);
    ASSERT_EQ(plan.chunks.size(), 64u);
    for (const ScaleChunk& c : plan.chunks) EXPECT_TRUE(c.fits);
    const ScalePlan reduce = BuildScalePlan(720, 100, HorizontalStep(720, 100, 1000));
    EXPECT_FALSE(reduce.chunks[0].fits);
}

TEST(LineChoice, FractionPicksUpperAverageOrLower) {
    // Step 64: fractions 0, 64, 128, 192.
    EXPECT_EQ(ChooseLines(0, 64, 100).upper, 1);         // f = 0: (f - 1) is 255, the lower line
    const LineChoice quarter = ChooseLines(1, 64, 100);  // f - 1 = 63: average
    EXPECT_EQ(quarter.upper, 0);
    EXPECT_EQ(quarter.lower, 1);
    const LineChoice late = ChooseLines(3, 64, 100);  // f - 1 = 191: still the average
    EXPECT_EQ(late.upper, 0);
    EXPECT_EQ(late.lower, 1);
    const LineChoice small = ChooseLines(1, 32, 100);  // f - 1 = 31: the upper line
    EXPECT_EQ(small.upper, 0);
    EXPECT_EQ(small.lower, 0);
    const LineChoice high = ChooseLines(1, 250, 100);  // f - 1 = 249: the lower line
    EXPECT_EQ(high.upper, 1);
    EXPECT_EQ(high.lower, 1);
}

TEST(LineChoice, StaysInsideTheSource) {
    for (int n = 0; n < 2000; ++n) {
        const LineChoice c = ChooseLines(n, 300, 10);
        EXPECT_LT(c.lower, 10);
        EXPECT_LT(c.upper, 10);
    }
    EXPECT_EQ(ChooseLines(7, 0, 5).upper, 4);
}

}  // namespace
