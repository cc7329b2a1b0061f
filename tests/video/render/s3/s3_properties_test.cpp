// S3 Twister properties: the packed property word on its own, and the
// colour key, brightness and contrast through the stand-in's journal.
#include <limits>

#include "tests/video/render/s3/s3_fixture.h"
#include "video/render/s3/s3_property_word.h"

namespace {

using s3test::S3RendererTest;
using ::testing::ElementsAre;

TEST(S3PropertyWord, AWordOfZeroStartsFromTheBaseWords) {
    EXPECT_EQ(S3BrightnessWord(0, 0), 0x80089000u | 128u | 0x8000u);
    EXPECT_EQ(S3ContrastWord(0, 0), 0x80088080u | (16u << 8) | 0x8000u);
    EXPECT_EQ(S3BrightnessValue(0), 0);
    EXPECT_EQ(S3ContrastValue(0), 0);
}

TEST(S3PropertyWord, BrightnessFillsTheLowByteAndKeepsTheRest) {
    EXPECT_EQ(S3BrightnessWord(0x12345678u, 32) & 0xFFu, 255u);
    EXPECT_EQ(S3BrightnessWord(0x12345678u, -32) & 0xFFu, 0u);
    EXPECT_EQ(S3BrightnessWord(0x12345678u, 5) & 0xFFu, 148u);
    EXPECT_EQ(S3BrightnessWord(0x12345678u, 5) & ~0xFFu, 0x12345600u | 0x8000u);
    EXPECT_EQ(S3BrightnessValue(0x800890FFu), 31);
    EXPECT_EQ(S3BrightnessValue(0x80089000u), -32);
}

TEST(S3PropertyWord, ContrastFillsBitsEightToFourteen) {
    EXPECT_EQ((S3ContrastWord(0x800890FFu, 32) >> 8) & 0x7Fu, 31u);
    EXPECT_EQ((S3ContrastWord(0x800890FFu, -32) >> 8) & 0x7Fu, 0u);
    EXPECT_EQ((S3ContrastWord(0x800890FFu, -31) >> 8) & 0x7Fu, 0u);
    EXPECT_EQ((S3ContrastWord(0x800890FFu, 3) >> 8) & 0x7Fu, 17u);
    EXPECT_EQ(S3ContrastWord(0xFFFFFFFFu, 0) & 0x6000u, 0u) << "bits 13 and 14 stay clear";
    EXPECT_EQ(S3ContrastWord(0x800890FFu, 32) & 0xFFFF80FFu, 0x800880FFu);
}

TEST(S3PropertyWord, TheWordIsReadUnsigned) {
    const uint32_t word = S3ContrastWord(S3BrightnessWord(0, 0), 32);
    ASSERT_NE(word & 0x80000000u, 0u);
    EXPECT_EQ(S3ContrastValue(word), 30) << "as signed it would read -32";
}

TEST(S3PropertyWord, ExtremeValuesClampWithoutOverflow) {
    const int32_t low = std::numeric_limits<int32_t>::min();
    const int32_t high = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(S3BrightnessWord(0x8000u, high) & 0xFFu, 255u);
    EXPECT_EQ(S3BrightnessWord(0x8000u, low) & 0xFFu, 0u);
    EXPECT_EQ((S3ContrastWord(0x8000u, high) >> 8) & 0x7Fu, 31u);
    EXPECT_EQ((S3ContrastWord(0x8000u, low) >> 8) & 0x7Fu, 0u);
}

class S3Properties : public S3RendererTest {
  protected:
    void SetUp() override {
        S3RendererTest::SetUp();
        OpenRenderer();
    }
};

TEST_F(S3Properties, BrightnessPlus32WritesLevel255) {
    ASSERT_EQ(Set(kPropBrightness, 32), 0);
    EXPECT_THAT(Journal(), ElementsAre("GetVideoPropertyValue__Fv",
                                       "SetVideoProperty__FUi 2148045055"));  // 0x800890FF
    EXPECT_EQ(SimDisplayStateNow().brightness, 127);
    int32_t value = 0;
    ASSERT_EQ(Get(kPropBrightness, &value), 0);
    EXPECT_EQ(value, 31);
}

TEST_F(S3Properties, ContrastPlus32WritesLevel31AndReadsBackPlus30) {
    ASSERT_EQ(Set(kPropContrast, 32), 0);
    EXPECT_EQ(Count("SetVideoProperty__FUi 2148048768"), 1);  // 0x80089F80
    EXPECT_EQ(SimDisplayStateNow().contrast, 31 * 16);
    int32_t value = 0;
    ASSERT_EQ(Get(kPropContrast, &value), 0);
    EXPECT_EQ(value, 30);
    ASSERT_EQ(Set(kPropBrightness, -32), 0);
    ASSERT_EQ(Get(kPropContrast, &value), 0);
    EXPECT_EQ(value, 30) << "brightness leaves the contrast bits alone";
    ASSERT_EQ(Get(kPropBrightness, &value), 0);
    EXPECT_EQ(value, -32);
}

TEST_F(S3Properties, BothReadNeutralBeforeAnythingIsWritten) {
    int32_t value = 7;
    ASSERT_EQ(Get(kPropBrightness, &value), 0);
    EXPECT_EQ(value, 0);
    ASSERT_EQ(Get(kPropContrast, &value), 0);
    EXPECT_EQ(value, 0);
}

TEST_F(S3Properties, TheColourKeyIsProgrammedAtOnce) {
    ASSERT_EQ(Set(kPropColourKey, 0x1234), 0);
    EXPECT_THAT(Journal(), ElementsAre("SetVideoOverlayColorKey__FUi 4660"));
    int32_t key = 0;
    ASSERT_EQ(Get(kPropColourKey, &key), 0);
    EXPECT_EQ(key, 0x1234);
    EXPECT_EQ(SimDisplayStateNow().colourKey, 0x1234u);
}

TEST_F(S3Properties, NoOtherIdIsAnswered) {
    int32_t value = 0;
    for (uint32_t id :
         {kPropReserved, kPropHue, kPropSaturation, kPropSharpness, kPropDisplayOutput,
          kPropRestoreDisplay, kPropSuspendVideo, kPropResumeVideo, kPropResetColours}) {
        EXPECT_EQ(Set(id, 0), int32_t(0x80070490u)) << id;
        EXPECT_EQ(Get(id, &value), int32_t(0x80070490u)) << id;
    }
    const VRLNPropertySetId other{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(renderer_->SetProperty(&other, kPropContrast, nullptr, 0, &value, 4),
              int32_t(0x80070492u));
    uint32_t returned = 0;
    EXPECT_EQ(renderer_->GetProperty(&VideoRendererPropertySet, kPropBrightness, nullptr, 0,
                                     nullptr, 0, &returned),
              0);
    EXPECT_EQ(returned, 4u);
    EXPECT_EQ(Count(""), 0);
}

TEST_F(S3RendererTest, PropertiesOfAClosedRendererTouchNoLibrary) {
    renderer_ = std::make_unique<CVRLNS3Twister>();
    int32_t value = 0;
    EXPECT_EQ(Set(kPropBrightness, 1), int32_t(0x80000008u));
    EXPECT_EQ(Get(kPropContrast, &value), int32_t(0x80000008u));
    EXPECT_EQ(Set(kPropColourKey, 1), int32_t(0x80000008u));
    EXPECT_EQ(Get(kPropColourKey, &value), 0);
    EXPECT_EQ(value, 0x0821);
}

}  // namespace
