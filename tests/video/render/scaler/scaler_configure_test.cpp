// Configure of the scaler: the refusal codes, what a refusal leaves behind,
// the no-op repeat, the fitted size and its place in the box, the plain copy.
#include <gmock/gmock.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "video/render/scaler/scaler.h"

namespace {

using ::testing::ElementsAre;

constexpr float k16x9 = 16.0f / 9.0f;
constexpr float k4x3 = 4.0f / 3.0f;

class ScalerConfigure : public ::testing::Test {
  protected:
    int Configure(int format, int filter, float aspect, int bw, int bh, int sw, int sh) {
        return scaler_.Configure(format, filter, aspect, bw, bh, sw, sh);
    }
    CVRLNScaler scaler_;
};

TEST_F(ScalerConfigure, SixteenToNineFromVgaFits720By404Placed38LinesDown) {
    ASSERT_EQ(Configure(4, 0, k16x9, 720, 480, 640, 480), 0);
    EXPECT_TRUE(scaler_.Ready());
    EXPECT_EQ(scaler_.FittedWidth(), 720);
    EXPECT_EQ(scaler_.FittedHeight(), 404);
    EXPECT_EQ(scaler_.Top(), 38);
    EXPECT_EQ(scaler_.Left(), 0);
    EXPECT_FALSE(scaler_.PlainCopy());
    EXPECT_EQ(scaler_.Columns().size(), 720u);
    EXPECT_EQ(scaler_.Lines().size(), 404u);
    EXPECT_EQ(scaler_.ChromaColumns().size(), 360u) << "from the 320 source pairs";
    EXPECT_EQ(scaler_.ChromaColumns().back(), 319);
    EXPECT_TRUE(scaler_.ChromaLines().empty()) << "packed pictures have no chroma lines";
    EXPECT_TRUE(scaler_.ColumnWeights().empty()) << "nearest neighbour";
}

TEST_F(ScalerConfigure, FourToThreeFromVgaIsTheSourceSizeAndCopiedFortyPixelsIn) {
    ASSERT_EQ(Configure(4, 0, k4x3, 720, 480, 640, 480), 0);
    EXPECT_EQ(scaler_.FittedWidth(), 640);
    EXPECT_EQ(scaler_.FittedHeight(), 480);
    EXPECT_TRUE(scaler_.PlainCopy());
    EXPECT_EQ(scaler_.Left(), 40);
    EXPECT_TRUE(scaler_.Columns().empty()) << "a copy needs no tables";
    std::vector<uint8_t> source(640 * 480 * 2), box(720 * 480 * 2, 0xEE);
    for (size_t i = 0; i < source.size(); ++i) source[i] = uint8_t(i * 7 + i / 1280);
    scaler_.Scale(box.data(), source.data());
    for (int y = 0; y < 480; ++y) {
        const uint8_t* line = box.data() + size_t(y) * 1440;
        ASSERT_EQ(line[79], 0xEE) << "left of the picture, line " << y;
        ASSERT_EQ(std::memcmp(line + 80, source.data() + size_t(y) * 1280, 1280), 0) << y;
        ASSERT_EQ(line[80 + 1280], 0xEE) << "right of the picture, line " << y;
    }
}

TEST_F(ScalerConfigure, RangesAreRefusedWithTheirCodes) {
    EXPECT_EQ(Configure(10, 0, k4x3, 720, 480, 640, 480), kScalerBadFormat);
    EXPECT_EQ(Configure(-1, 0, k4x3, 720, 480, 640, 480), kScalerBadFormat);
    EXPECT_EQ(Configure(4, 4, k4x3, 720, 480, 640, 480), kScalerBadFilter);
    EXPECT_EQ(Configure(4, -1, k4x3, 720, 480, 640, 480), kScalerBadFilter);
    EXPECT_EQ(Configure(6, 0, k4x3, 720, 480, 640, 481), kScalerBadHeight);
    EXPECT_EQ(Configure(6, 0, k4x3, 720, 481, 640, 480), kScalerBadHeight);
    EXPECT_EQ(Configure(4, 0, k4x3, 720, 480, 641, 480), kScalerBadWidth);
    EXPECT_EQ(Configure(4, 0, k4x3, 721, 480, 640, 480), kScalerBadWidth);
    EXPECT_EQ(Configure(4, 0, k4x3, 720, 481, 640, 479), 0) << "odd heights are fine when packed";
    EXPECT_EQ(Configure(2, 0, k4x3, 721, 481, 641, 479), 0) << "and odd sizes for pixel formats";
}

TEST_F(ScalerConfigure, SizesOfNothingOrNegativeAreRefusedForEveryFormat) {
    for (int format : {2, 3, 4, 6, 7}) {
        EXPECT_EQ(Configure(format, 0, k4x3, 0, 480, 640, 480), kScalerBadWidth) << format;
        EXPECT_EQ(Configure(format, 0, k4x3, 720, 480, -2, 480), kScalerBadWidth) << format;
        EXPECT_EQ(Configure(format, 0, k4x3, 720, -480, 640, 480), kScalerBadHeight) << format;
        EXPECT_EQ(Configure(format, 0, k4x3, 720, 480, 640, 0), kScalerBadHeight) << format;
        EXPECT_EQ(Configure(format, 0, k4x3, kScalerMaxSide + 2, 480, 640, 480), kScalerBadWidth);
        EXPECT_EQ(Configure(format, 0, k4x3, 720, 480, 640, kScalerMaxSide + 2), kScalerBadHeight);
    }
}

TEST_F(ScalerConfigure, AnAspectThatIsNotAPositiveNumberIsRefused) {
    for (float aspect :
         {0.0f, -1.5f, std::numeric_limits<float>::quiet_NaN(),
          std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()})
        EXPECT_EQ(Configure(4, 0, aspect, 720, 480, 640, 480), kScalerBadAspect) << aspect;
}

TEST_F(ScalerConfigure, AFittedSizeOfNothingIsRefused) {
    EXPECT_EQ(Configure(2, 0, 1000.0f, 8, 2, 4, 4), kScalerNoFit);
    EXPECT_EQ(Configure(3, 0, 0.001f, 2, 8, 4, 4), kScalerNoFit);
}

TEST_F(ScalerConfigure, FormatsAndFiltersWithoutALayoutHereHaveTheirOwnCode) {
    for (int format : {0, 1, 5, 8, 9})
        EXPECT_EQ(Configure(format, 0, k4x3, 720, 480, 640, 480), kScalerNotBuilt) << format;
    for (int filter : {2, 3})
        EXPECT_EQ(Configure(4, filter, k4x3, 720, 480, 640, 480), kScalerNotBuilt) << filter;
    EXPECT_FALSE(scaler_.Ready());
}

TEST_F(ScalerConfigure, ARefusalClearsReadyKeepsTheTablesAndScalesNothing) {
    ASSERT_EQ(Configure(4, 0, k16x9, 720, 480, 640, 480), 0);
    const std::vector<int32_t> lines = scaler_.Lines();
    EXPECT_EQ(Configure(6, 0, k16x9, 720, 480, 640, 481), kScalerBadHeight);
    EXPECT_FALSE(scaler_.Ready());
    EXPECT_EQ(scaler_.Lines(), lines);
    EXPECT_EQ(scaler_.FittedHeight(), 404);
    std::vector<uint8_t> source(640 * 480 * 2, 9), box(720 * 480 * 2, 1);
    scaler_.Scale(box.data(), source.data());
    EXPECT_EQ(box, std::vector<uint8_t>(720 * 480 * 2, 1)) << "not ready: nothing written";
    EXPECT_EQ(Configure(4, 0, k16x9, 720, 480, 640, 480), 0) << "the kept values come back";
    EXPECT_TRUE(scaler_.Ready());
    scaler_.Scale(box.data(), source.data());
    EXPECT_EQ(box[size_t(38) * 1440], 9);
}

TEST_F(ScalerConfigure, TheSameSevenValuesAgainKeepTheTables) {
    ASSERT_EQ(Configure(7, 1, k16x9, 720, 480, 352, 240), 0);
    const int32_t* columns = scaler_.Columns().data();
    const ScalerWeight* weights = scaler_.LineWeights().data();
    ASSERT_NE(weights, nullptr);
    EXPECT_EQ(Configure(7, 1, k16x9, 720, 480, 352, 240), 0);
    EXPECT_EQ(scaler_.Columns().data(), columns) << "not built again";
    EXPECT_EQ(scaler_.LineWeights().data(), weights);
    ASSERT_EQ(Configure(7, 1, k16x9, 720, 480, 352, 288), 0);
    EXPECT_EQ(scaler_.Lines().back(), 287) << "a different source builds new tables";
}

TEST_F(ScalerConfigure, AFreshScalerIsNotReadyAndItsInitialValuesAreNotAConfiguration) {
    EXPECT_FALSE(scaler_.Ready());
    EXPECT_NE(Configure(0, 0, 0.0f, 0, 0, 0, 0), 0);
    EXPECT_FALSE(scaler_.Ready());
    uint8_t byte = 3;
    scaler_.Scale(&byte, &byte);
    EXPECT_EQ(byte, 3);
}

TEST_F(ScalerConfigure, PlanarFormatsHaveChromaColumnAndLineTablesAndLinearWeights) {
    ASSERT_EQ(Configure(6, 1, k4x3, 720, 480, 352, 240), 0);
    EXPECT_EQ(scaler_.FittedWidth(), 640);
    EXPECT_EQ(scaler_.ChromaColumns().size(), 320u);
    EXPECT_EQ(scaler_.ChromaLines().size(), 240u);
    EXPECT_EQ(scaler_.ChromaLines().back(), 119);
    EXPECT_FALSE(scaler_.ColumnWeights().empty());
    EXPECT_FALSE(scaler_.ChromaLineWeights().empty());
    ASSERT_EQ(Configure(3, 1, k4x3, 64, 48, 128, 96), 0);
    EXPECT_TRUE(scaler_.ColumnWeights().empty()) << "a reduction has no pairs";
    EXPECT_TRUE(scaler_.ChromaColumns().empty()) << "pixel formats have no chroma";
}

TEST_F(ScalerConfigure, AnOutputOfOneLineTakesSourceLineZero) {
    ASSERT_EQ(Configure(2, 0, 100.0f, 400, 5, 20, 20), 0);
    EXPECT_EQ(scaler_.FittedHeight(), 1);
    EXPECT_THAT(scaler_.Lines(), ElementsAre(0));
}

}  // namespace
