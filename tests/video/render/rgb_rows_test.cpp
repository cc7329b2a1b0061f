// The converter's line routines: the fast path gives the reference's bytes for
// every routine, odd widths and padded outputs, and the reference follows the
// stated matrix.
#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

#include "video/render/rgb_rows.h"

namespace {

std::vector<uint8_t> Random(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n + kRowPadding);
    for (auto& b : v) b = uint8_t(rng());
    return v;
}

// Every fast path this processor runs, against the reference, per width.
class FastRows : public ::testing::TestWithParam<std::tuple<int, int>> {
  protected:
    void SetUp() override {
        const RgbRows* paths[] = {Ssse3RgbRows(), Avx2RgbRows(), Avx512RgbRows()};
        fast_ = paths[std::get<0>(GetParam())];
        if (fast_ == nullptr) GTEST_SKIP() << "path not available on this processor";
    }
    static int Width() { return std::get<1>(GetParam()); }
    const RgbRows& ref_ = ReferenceRgbRows();
    const RgbRows* fast_ = nullptr;
};

TEST_P(FastRows, SplitMatchesTheReference) {
    const int width = Width();
    auto luma = Random(size_t(width) * 2, 1), chroma = Random(size_t(width) * 2, 2);
    std::vector<uint8_t> y1(width + 64, 0xAA), u1(width + 64, 0xAA), v1(width + 64, 0xAA);
    std::vector<uint8_t> y2(width + 64, 0x55), u2(width + 64, 0x55), v2(width + 64, 0x55);
    ref_.splitPacked(luma.data(), chroma.data(), width, y1.data(), u1.data(), v1.data());
    fast_->splitPacked(luma.data(), chroma.data(), width, y2.data(), u2.data(), v2.data());
    const int pairs = (width + 1) / 2;
    EXPECT_TRUE(std::equal(y1.begin(), y1.begin() + width, y2.begin()));
    EXPECT_TRUE(std::equal(u1.begin(), u1.begin() + pairs, u2.begin()));
    EXPECT_TRUE(std::equal(v1.begin(), v1.begin() + pairs, v2.begin()));
}

TEST_P(FastRows, ScaleMatchesTheReferenceUpAndDown) {
    const int width = Width();
    auto src = Random(size_t(width), 3);
    for (int out : {width * 3 / 2 + 1, width / 2 + 1, 1024, 17}) {
        const ScalePlan plan = BuildScalePlan(width, out, HorizontalStep(width, out, 1000));
        std::vector<uint8_t> a(plan.chunks.size() * 16 + 16, 0xAA), b(a.size(), 0x55);
        ref_.scale(src.data(), plan, a.data());
        fast_->scale(src.data(), plan, b.data());
        EXPECT_TRUE(std::equal(a.begin(), a.begin() + out, b.begin())) << width << " to " << out;
    }
}

TEST_P(FastRows, AverageAndConvertMatchTheReference) {
    const int width = Width();
    auto y = Random(size_t(width), 4), u = Random(size_t(width), 5), v = Random(size_t(width), 6);
    std::vector<uint8_t> a(size_t(width) + 64, 0xAA), b(a.size(), 0x55);
    ref_.average(y.data(), u.data(), width, a.data());
    fast_->average(y.data(), u.data(), width, b.data());
    EXPECT_TRUE(std::equal(a.begin(), a.begin() + width, b.begin()));
    const int bytes[kRgbDepthCount] = {2, 2, 3, 4};
    for (int d = 0; d < kRgbDepthCount; ++d) {
        std::vector<uint8_t> p(size_t(width) * 4 + 64, 0xAA), q(p.size(), 0x55);
        ref_.convert[d](y.data(), u.data(), v.data(), width, p.data());
        fast_->convert[d](y.data(), u.data(), v.data(), width, q.data());
        EXPECT_TRUE(std::equal(p.begin(), p.begin() + width * bytes[d], q.begin()))
            << "depth " << d;
    }
}

TEST_P(FastRows, ConvertOfTwoLinesMatchesAverageThenConvert) {
    const int width = Width();
    const int pairs = (width + 1) / 2;
    auto y0 = Random(size_t(width), 7), u0 = Random(size_t(pairs), 8),
         v0 = Random(size_t(pairs), 9);
    auto y1 = Random(size_t(width), 10), u1 = Random(size_t(pairs), 11),
         v1 = Random(size_t(pairs), 12);
    std::vector<uint8_t> y(y0.size()), u(u0.size()), v(v0.size());
    ref_.average(y0.data(), y1.data(), width, y.data());
    ref_.average(u0.data(), u1.data(), pairs, u.data());
    ref_.average(v0.data(), v1.data(), pairs, v.data());
    const int bytes[kRgbDepthCount] = {2, 2, 3, 4};
    for (int d = 0; d < kRgbDepthCount; ++d) {
        std::vector<uint8_t> p(size_t(width) * 4 + 64, 0xAA), q(p.size(), 0x55);
        ref_.convert[d](y.data(), u.data(), v.data(), width, p.data());
        fast_->convertAverage[d]({y0.data(), u0.data(), v0.data()},
                                 {y1.data(), u1.data(), v1.data()}, width, q.data());
        EXPECT_TRUE(std::equal(p.begin(), p.begin() + width * bytes[d], q.begin()))
            << "depth " << d;
        EXPECT_EQ(q[size_t(width) * bytes[d]], 0x55) << "written past the line, depth " << d;
        std::vector<uint8_t> r(p.size(), 0x33);
        ref_.convertAverage[d]({y0.data(), u0.data(), v0.data()}, {y1.data(), u1.data(), v1.data()},
                               width, r.data());
        EXPECT_TRUE(std::equal(p.begin(), p.begin() + width * bytes[d], r.begin()))
            << "reference by pieces, depth " << d;
    }
}

// Every Y, U, V triple once: lines of 256 pairs, pair p with V = p and U = u,
// its two pixels Y = 2k and 2k + 1. The fast paths' shortcuts around the
// reference's saturation hold for every colour, not only for random ones.
int ColoursUnlike(const RgbRows& fast, int depth) {
    constexpr int kPairs = 256;
    const int bytes[kRgbDepthCount] = {2, 2, 3, 4};
    std::vector<uint8_t> y(2 * kPairs + kRowPadding), u(kPairs + kRowPadding, 0),
        v(kPairs + kRowPadding);
    for (int p = 0; p < kPairs; ++p) v[size_t(p)] = uint8_t(p);
    std::vector<uint8_t> a(2 * kPairs * 4), b(a.size());
    int mismatches = 0;
    for (int chroma = 0; chroma < 256; ++chroma) {
        std::fill(u.begin(), u.begin() + kPairs, uint8_t(chroma));
        for (int k = 0; k < 128; ++k) {
            for (int p = 0; p < kPairs; ++p) {
                y[size_t(2 * p)] = uint8_t(2 * k);
                y[size_t(2 * p + 1)] = uint8_t(2 * k + 1);
            }
            ReferenceRgbRows().convert[depth](y.data(), u.data(), v.data(), 2 * kPairs, a.data());
            fast.convert[depth](y.data(), u.data(), v.data(), 2 * kPairs, b.data());
            mismatches += !std::equal(a.begin(), a.begin() + 2 * kPairs * bytes[depth], b.begin());
        }
    }
    return mismatches;
}

TEST(FastRowColours, EveryColourConvertsAsTheReference) {
    for (const RgbRows* fast : {Ssse3RgbRows(), Avx2RgbRows(), Avx512RgbRows()}) {
        if (fast == nullptr) continue;
        for (int d = 0; d < kRgbDepthCount; ++d)
            EXPECT_EQ(ColoursUnlike(*fast, d), 0) << fast->name << ", depth " << d;
    }
}

INSTANTIATE_TEST_SUITE_P(PathsAndWidths, FastRows,
                         ::testing::Combine(::testing::Values(0, 1, 2),
                                            ::testing::Values(1, 2, 7, 16, 17, 33, 63, 64, 720,
                                                              1023)));

TEST(RowChoice, TheProcessorRecordPicksTheRoutines) {
    KernelCpu cpu;
    EXPECT_EQ(&RgbRowsFor(cpu), &ReferenceRgbRows()) << "nothing allowed: the reference";
    cpu.sse2 = true;
    cpu.avx2 = true;
    EXPECT_EQ(&RgbRowsFor(cpu), &ReferenceRgbRows()) << "the AVX2 routines build on SSSE3";
    cpu.ssse3 = true;
    const RgbRows* widest = Avx2RgbRows() != nullptr ? Avx2RgbRows() : Ssse3RgbRows();
    EXPECT_EQ(&RgbRowsFor(cpu), widest != nullptr ? widest : &ReferenceRgbRows());
    cpu.avx512bw = true;
    const RgbRows* wider = Avx512RgbRows() != nullptr ? Avx512RgbRows() : widest;
    EXPECT_EQ(&RgbRowsFor(cpu), wider != nullptr ? wider : &ReferenceRgbRows());
    cpu.avx2 = false;
    EXPECT_EQ(&RgbRowsFor(cpu), Ssse3RgbRows() != nullptr ? Ssse3RgbRows() : &ReferenceRgbRows())
        << "the AVX-512 routines build on AVX2";
}

TEST(ReferenceRows, NeutralChromaGivesGrey) {
    uint8_t bgr[3];
    ConvertPixelReference(200, 128, 128, bgr);
    EXPECT_EQ(bgr[0], 200);
    EXPECT_EQ(bgr[1], 200);
    EXPECT_EQ(bgr[2], 200);
}

TEST(ReferenceRows, ChromaFollowsTheMatrixAndSaturates) {
    uint8_t bgr[3];
    ConvertPixelReference(100, 128, 228, bgr);  // red gains 1.402 x 100
    EXPECT_NEAR(bgr[2], 240, 1);
    EXPECT_NEAR(bgr[1], 100 - 68, 1);
    EXPECT_EQ(bgr[0], 100);
    ConvertPixelReference(250, 255, 128, bgr);
    EXPECT_EQ(bgr[0], 255);
    ConvertPixelReference(5, 0, 128, bgr);
    EXPECT_EQ(bgr[0], 0);
}

TEST(ReferenceRows, PacksTheFourDepths) {
    const uint8_t y[2] = {255, 255}, u[1] = {128}, v[1] = {128};
    uint8_t out[8] = {};
    ReferenceRgbRows().convert[kRgb16](y, u, v, 1, out);
    EXPECT_EQ(out[0] | (out[1] << 8), 0xFFFF);
    ReferenceRgbRows().convert[kRgb15](y, u, v, 1, out);
    EXPECT_EQ(out[0] | (out[1] << 8), 0x7FFF);
    ReferenceRgbRows().convert[kRgb32](y, u, v, 1, out);
    EXPECT_EQ(out[0], 255);
    EXPECT_EQ(out[3], 0);
}

}  // namespace
