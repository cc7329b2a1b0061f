// SiS properties through the stand-in's journal: the colour key, brightness
// and contrast as one-byte levels both ways, and the shared conventions.
#include "tests/video/render/sis/sis_fixture.h"

namespace {

using sistest::SisRendererTest;
using ::testing::ElementsAre;

class SisProperties : public SisRendererTest {
  protected:
    void SetUp() override {
        SisRendererTest::SetUp();
        OpenRenderer();
    }
};

TEST_F(SisProperties, BrightnessPlusAndMinus32SendTheEndsOfTheByte) {
    ASSERT_EQ(Set(kPropBrightness, 32), 0);
    ASSERT_EQ(Set(kPropBrightness, -32), 0);
    ASSERT_EQ(Set(kPropBrightness, 0), 0);
    ASSERT_EQ(Set(kPropBrightness, 5), 0);
    EXPECT_THAT(Journal(), ElementsAre("SetVideoBrightness 255", "SetVideoBrightness 0",
                                       "SetVideoBrightness 128", "SetVideoBrightness 148"));
}

TEST_F(SisProperties, ValuesBeyondTheRangeAreClampedBeforeTheyBecomeAByte) {
    ASSERT_EQ(Set(kPropBrightness, -100), 0);
    ASSERT_EQ(Set(kPropContrast, 100), 0);
    ASSERT_EQ(Set(kPropContrast, int32_t(0x80000000u)), 0);
    EXPECT_THAT(Journal(),
                ElementsAre("SetVideoBrightness 0", "SetVideoContrast 255", "SetVideoContrast 0"))
        << "-100 would otherwise wrap round to a bright byte";
}

TEST_F(SisProperties, LevelsReadBackAsControlValues) {
    struct Case {
        uint32_t id;
        int32_t set, back;
    };
    const Case cases[] = {{kPropBrightness, -32, -32}, {kPropBrightness, 0, 0},
                          {kPropBrightness, 16, 16},   {kPropBrightness, 32, 31},
                          {kPropContrast, -20, -20},   {kPropContrast, 32, 31}};
    for (const Case& c : cases) {
        ASSERT_EQ(Set(c.id, c.set), 0);
        int32_t value = 99;
        ASSERT_EQ(Get(c.id, &value), 0);
        EXPECT_EQ(value, c.back) << c.id << " " << c.set;
    }
    EXPECT_EQ(Count("GetVideoBrightness"), 4);
    EXPECT_EQ(Count("GetVideoContrast"), 2);
}

TEST_F(SisProperties, TheColourKeyIsStoredForTheNextWindowCall) {
    ASSERT_EQ(Set(kPropColourKey, 0xF81F), 0);
    int32_t key = 0;
    ASSERT_EQ(Get(kPropColourKey, &key), 0);
    EXPECT_EQ(key, 0xF81F);
    EXPECT_EQ(Count(""), 0);
    const VRLNRect moved{10, 20, 209, 119};
    ASSERT_EQ(renderer_->SetOutputRect(0, &moved, nullptr), 0);
    ASSERT_EQ(renderer_->Refresh(0, 0), 0);
    EXPECT_THAT(Journal(), ElementsAre("Linux_SetVideoWindow 10 20 209 119 63519"));
}

TEST_F(SisProperties, TheSharedConventions) {
    const VRLNPropertySetId other{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    int32_t value = 0;
    EXPECT_EQ(renderer_->SetProperty(&other, kPropBrightness, nullptr, 0, &value, 4),
              int32_t(0x80070492u));
    EXPECT_EQ(renderer_->GetProperty(&other, kPropBrightness, nullptr, 0, &value, 4, nullptr),
              int32_t(0x80070492u));
    for (uint32_t id : {kPropReserved, kPropHue, kPropSaturation, kPropSharpness, kPropSuspendVideo,
                        kPropResetColours}) {
        EXPECT_EQ(Set(id, 0), int32_t(0x80070490u)) << id;
        EXPECT_EQ(Get(id, &value), int32_t(0x80070490u)) << id;
    }
    EXPECT_EQ(
        renderer_->SetProperty(&VideoRendererPropertySet, kPropBrightness, nullptr, 0, nullptr, 4),
        int32_t(0x80000005u));
    EXPECT_EQ(
        renderer_->SetProperty(&VideoRendererPropertySet, kPropBrightness, nullptr, 0, &value, 2),
        int32_t(0x80000003u));
    uint32_t returned = 0;
    EXPECT_EQ(renderer_->GetProperty(&VideoRendererPropertySet, kPropContrast, nullptr, 0, nullptr,
                                     0, &returned),
              0);
    EXPECT_EQ(returned, 4u);
    EXPECT_EQ(Count(""), 0) << "none of these reached the library";
}

TEST_F(SisRendererTest, ColourLevelsNeedTheLibraryTheKeyDoesNot) {
    Create();
    int32_t value = 0;
    EXPECT_EQ(Set(kPropBrightness, 3), int32_t(0x80000008u));
    EXPECT_EQ(Get(kPropContrast, &value), int32_t(0x80000008u));
    EXPECT_EQ(Set(kPropColourKey, 7), 0);
    EXPECT_EQ(Get(kPropColourKey, &value), 0);
    EXPECT_EQ(value, 7);
}

}  // namespace
