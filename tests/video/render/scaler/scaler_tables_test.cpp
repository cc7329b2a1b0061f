// The scaler's tables: fitted sizes with their rounding in steps of 4, the
// incremental nearest-neighbour index tables and the linear filter's pairs,
// each beside the rule computed by division.
#include <gmock/gmock.h>

#include "tests/video/render/scaler/scaler_reference.h"
#include "video/render/scaler/scaler_plane.h"
#include "video/render/scaler/scaler_tables.h"

namespace {

using ::testing::ElementsAre;

TEST(ScalerFit, A720By480BoxHolds720By404At16To9And640By480At4To3) {
    const ScalerFit wide = FitInBox(16.0f / 9.0f, 720, 480);
    EXPECT_EQ(wide.width, 720);
    EXPECT_EQ(wide.height, 404) << "405 - 480 = -75 rounds down to -76";
    const ScalerFit narrow = FitInBox(4.0f / 3.0f, 720, 480);
    EXPECT_EQ(narrow.width, 640);
    EXPECT_EQ(narrow.height, 480);
}

TEST(ScalerFit, DifferencesAreMultiplesOfFourAndNeverLeaveTheBox) {
    for (float aspect : {0.3f, 0.75f, 1.0f, 1.2f, 4.0f / 3.0f, 1.5f, 16.0f / 9.0f, 2.35f, 7.0f}) {
        for (int bw : {2, 7, 64, 333, 720, 1920}) {
            for (int bh : {2, 9, 48, 480, 577}) {
                const ScalerFit f = FitInBox(aspect, bw, bh);
                const scalertest::Fit r = scalertest::ReferenceFit(aspect, bw, bh);
                EXPECT_EQ(f.width, r.width) << aspect << " " << bw << "x" << bh;
                EXPECT_EQ(f.height, r.height) << aspect << " " << bw << "x" << bh;
                EXPECT_LE(f.width, bw);
                EXPECT_LE(f.height, bh);
                EXPECT_EQ((bw - f.width) % 4, 0);
                EXPECT_EQ((bh - f.height) % 4, 0);
            }
        }
    }
}

TEST(ScalerFit, AnExtremeRatioCanLeaveNothing) {
    EXPECT_LE(FitInBox(1000.0f, 8, 2).height, 0);
    EXPECT_LE(FitInBox(0.001f, 2, 8).width, 0);
}

TEST(ScalerIndexTable, FourSourcesIntoSevenRoundHalvesDown) {
    EXPECT_THAT(BuildIndexTable(7, 4), ElementsAre(0, 0, 1, 1, 2, 2, 3));
}

TEST(ScalerIndexTable, AnOutputOfOneIsTheSingleEntryZero) {
    EXPECT_THAT(BuildIndexTable(1, 640), ElementsAre(0));
    EXPECT_TRUE(BuildIndexTable(0, 640).empty());
}

TEST(ScalerIndexTable, IncrementalTablesEqualTheDivisionRule) {
    for (int n : {2, 3, 5, 16, 359, 360, 404, 720, 1281}) {
        for (int m : {1, 2, 3, 7, 240, 320, 480, 640, 720, 4000}) {
            const std::vector<int32_t> table = BuildIndexTable(n, m);
            ASSERT_EQ(table.size(), size_t(n));
            for (int k = 0; k < n; ++k)
                ASSERT_EQ(table[size_t(k)], scalertest::NearestIndex(k, n, m))
                    << n << " from " << m << " at " << k;
            EXPECT_EQ(table.front(), 0);
            EXPECT_EQ(table.back(), m - 1) << "the ends meet";
        }
    }
}

TEST(ScalerWeights, FourIntoSevenBlendHalfwayWhereTheIndexRepeats) {
    const std::vector<ScalerWeight> w = BuildWeightTable(7, 4);
    ASSERT_EQ(w.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(w[size_t(i)].position, 2 * i + 1);
        EXPECT_EQ(w[size_t(i)].base, i);
        EXPECT_EQ(w[size_t(i)].first, 32768);
        EXPECT_EQ(w[size_t(i)].second, 32768);
    }
}

TEST(ScalerWeights, ARepeatAfterRoundingUpBlendsFromTheLowerSource) {
    // 2 into 6: position 4 has index 1 like position 3, but lies at 0.8.
    const std::vector<ScalerWeight> w = BuildWeightTable(6, 2);
    ASSERT_EQ(w.size(), 4u) << "positions 1, 2, 4 and 5 repeat their neighbour's index";
    EXPECT_EQ(w[2].position, 4);
    EXPECT_EQ(w[2].base, 0);
    EXPECT_EQ(w[2].first, 13107) << "(1 - 4/5) x 65536 truncated";
    EXPECT_EQ(w[2].second, 65536 - 13107);
    EXPECT_EQ(w[3].position, 5);
    EXPECT_EQ(w[3].base, 1) << "the last source, whole";
    EXPECT_EQ(w[3].first, 65536);
    EXPECT_EQ(w[3].second, 0);
}

TEST(ScalerWeights, PairsFollowTheRuleAndOnlyWhenTheOutputIsNotShorter) {
    for (int n : {2, 7, 64, 360, 720, 1000}) {
        for (int m : {1, 2, 5, 63, 320, 640, 720}) {
            const std::vector<ScalerWeight> w = BuildWeightTable(n, m);
            if (n < m) {
                EXPECT_TRUE(w.empty()) << n << " from " << m;
                continue;
            }
            size_t next = 0;
            for (int k = 0; k < n; ++k) {
                const scalertest::Pair p = scalertest::PairAt(k, n, m);
                if (!p.has) continue;
                ASSERT_LT(next, w.size());
                EXPECT_EQ(w[next].position, k);
                EXPECT_EQ(w[next].base, p.base);
                EXPECT_EQ(w[next].first, p.first) << n << " from " << m << " at " << k;
                EXPECT_EQ(w[next].second, p.second);
                ++next;
            }
            EXPECT_EQ(next, w.size());
        }
    }
}

TEST(ScalerWeights, EqualLengthsNeedNone) {
    EXPECT_TRUE(BuildWeightTable(640, 640).empty());
    EXPECT_TRUE(BuildWeightTable(1, 1).empty());
}

}  // namespace

namespace {

// The byte plan of a packed 4:2:2 line, as the scaler makes it.
ScalerGatherPlan PackedPlan(int outputWidth, int sourceWidth) {
    const std::vector<int32_t> columns = BuildIndexTable(outputWidth, sourceWidth);
    const std::vector<int32_t> pairs = BuildIndexTable(outputWidth / 2, sourceWidth / 2);
    std::vector<int32_t> bytes;
    for (int p = 0; p < outputWidth / 2; ++p)
        for (int32_t b : {columns[size_t(2 * p)] * 2, pairs[size_t(p)] * 4 + 1,
                          columns[size_t(2 * p + 1)] * 2, pairs[size_t(p)] * 4 + 3})
            bytes.push_back(b);
    return BuildGatherPlan(bytes, sourceWidth * 2);
}

int CountKind(const ScalerGatherPlan& plan, int kind) {
    int n = 0;
    for (const ScalerGatherChunk& c : plan.chunks) n += c.kind == kind ? 1 : 0;
    return n;
}

TEST(ScalerGather, TheZoomTakesOneWindowPerChunkAndReductionsMore) {
    const ScalerGatherPlan zoom = PackedPlan(720, 640);
    EXPECT_EQ(zoom.chunks.size(), 90u);
    EXPECT_TRUE(zoom.oneWindowEach);
    const ScalerGatherPlan reduced = PackedPlan(720, 1280);
    EXPECT_GT(CountKind(reduced, kGatherTwoWindows), 0);
    EXPECT_FALSE(reduced.oneWindowEach);
    const ScalerGatherPlan strong = PackedPlan(34, 256);
    EXPECT_EQ(CountKind(strong, kGatherBytes), int(strong.chunks.size()));
}

TEST(ScalerGather, WindowsStayInsideTheSourceLineAndPointAtTheirBytes) {
    for (const ScalerGatherPlan& plan : {PackedPlan(720, 640), PackedPlan(720, 1280)}) {
        const int line = plan.bytes.back() + 1;
        for (size_t c = 0; c < plan.chunks.size(); ++c) {
            const ScalerGatherChunk& chunk = plan.chunks[c];
            if (chunk.kind == kGatherBytes) continue;
            const int window = chunk.kind == kGatherWindow ? 16 : 32;
            EXPECT_GE(chunk.base, 0);
            EXPECT_LE(chunk.base + window, line) << "chunk " << c;
            for (int i = 0; i < 16; ++i) {
                const int from = chunk.low[i] != 0x80 ? chunk.low[i] : 16 + chunk.high[i];
                EXPECT_EQ(chunk.base + from, plan.bytes[c * 16 + size_t(i)]) << c << " " << i;
            }
        }
    }
}

}  // namespace
