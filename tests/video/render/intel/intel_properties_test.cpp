// The Intel renderers' properties: colour controls both ways (clamped to
// -32 ... +32), key, sharpness, reset, the shared conventions, and the
// answers given while suspended.
#include "sim/display/sim_display.h"
#include "tests/video/render/intel/intel_fixture.h"
#include "video/render/intel/intel_colour_map.h"

namespace {

using inteltest::IntelRendererTest;
using inteltest::PackedPicture;
using ::testing::ElementsAre;

class IntelProperties : public IntelRendererTest {
  protected:
    void SetUp() override {
        IntelRendererTest::SetUp();
        OpenRenderer();
    }
};

TEST(IntelColourMap, EveryValueReadsBackAsSet) {
    for (uint32_t id : {kPropBrightness, kPropContrast, kPropHue, kPropSaturation})
        for (int v = -32; v <= 32; ++v)
            EXPECT_EQ(IntelControlValue(id, IntelHardwareValue(id, v)), v) << id << " " << v;
}

TEST(IntelColourMap, ValuesAreClampedBeforeTheyAreMapped) {
    EXPECT_EQ(IntelHardwareValue(kPropBrightness, 100), 127);
    EXPECT_EQ(IntelHardwareValue(kPropBrightness, -100), -128);
    EXPECT_EQ(IntelHardwareValue(kPropContrast, -100), 0);
    EXPECT_EQ(IntelHardwareValue(kPropContrast, 100), 128);
    EXPECT_EQ(IntelHardwareValue(kPropSaturation, 100), 255);
    EXPECT_EQ(IntelHardwareValue(kPropHue, -32), -128);
    EXPECT_EQ(IntelHardwareId(kPropSaturation), 3u);
    EXPECT_EQ(IntelHardwareId(kPropHue), 4u);
    EXPECT_EQ(IntelHardwareId(kPropSharpness), 0u);
}

TEST_F(IntelProperties, BrightnessPlusThirtyTwoSets127AndReadsBack32) {
    ASSERT_EQ(Set(kPropBrightness, 32), 0);
    int32_t value = 0;
    ASSERT_EQ(Get(kPropBrightness, &value), 0);
    EXPECT_EQ(value, 32);
    EXPECT_THAT(Journal(),
                ElementsAre("MCSetVideoProperty__FUii 1 127", "MCGetVideoPropertyValue__FiPi 1"));
}

TEST_F(IntelProperties, ContrastMinusThirtyTwoSetsZeroAndReadsBackMinus32) {
    ASSERT_EQ(Set(kPropContrast, -32), 0);
    int32_t value = 0;
    ASSERT_EQ(Get(kPropContrast, &value), 0);
    EXPECT_EQ(value, -32);
    EXPECT_EQ(Journal().front(), "MCSetVideoProperty__FUii 2 0");
}

TEST_F(IntelProperties, OutOfRangeValuesAreClampedBothWays) {
    struct Case {
        uint32_t id;
        int32_t value;
        const char* sent;
        int32_t readBack;
    };
    const Case cases[] = {
        {kPropBrightness, 100, "MCSetVideoProperty__FUii 1 127", 32},
        {kPropBrightness, -100, "MCSetVideoProperty__FUii 1 -128", -32},
        {kPropContrast, 100, "MCSetVideoProperty__FUii 2 128", 32},
        {kPropContrast, -100, "MCSetVideoProperty__FUii 2 0", -32},
        {kPropHue, -100, "MCSetVideoProperty__FUii 4 -128", -32},
        {kPropSaturation, 100, "MCSetVideoProperty__FUii 3 255", 32},
        {kPropSaturation, -100, "MCSetVideoProperty__FUii 3 0", -32},
    };
    for (const Case& c : cases) {
        sim_display_journal_clear();
        ASSERT_EQ(Set(c.id, c.value), 0) << c.sent;
        EXPECT_EQ(Journal().front(), c.sent);
        int32_t value = 0;
        ASSERT_EQ(Get(c.id, &value), 0);
        EXPECT_EQ(value, c.readBack) << c.sent;
    }
}

TEST_F(IntelProperties, AColourChangeRefreshesTheShownOverlay) {
    PackedPicture picture(720, 480, 100);
    ASSERT_EQ(Frame(&picture), 0);
    sim_display_journal_clear();
    ASSERT_EQ(Set(kPropSaturation, 8), 0);
    EXPECT_EQ(Journal().size(), 2u);
    EXPECT_EQ(Journal()[0], "MCSetVideoProperty__FUii 3 160");
    EXPECT_EQ(Journal()[1].rfind("MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi 100 50 480 720", 0), 0u);
    EXPECT_EQ(SimDisplayStateNow().saturation, 320);
}

TEST_F(IntelProperties, ResetSetsHardwareIdFive) {
    ASSERT_EQ(Set(kPropBrightness, 10), 0);
    sim_display_journal_clear();
    ASSERT_EQ(SetNoValue(kPropResetColours), 0);
    EXPECT_EQ(Journal().front(), "MCSetVideoProperty__FUii 5 0");
    int32_t value = 99;
    ASSERT_EQ(Get(kPropBrightness, &value), 0);
    EXPECT_EQ(value, 0);
}

TEST_F(IntelProperties, AHardwareRefusalIsReported) {
    sim_display_fail_next("MCSetVideoProperty__FUii", 0);
    EXPECT_EQ(Set(kPropHue, 4), kVrlnFailure);
    sim_display_fail_next("MCGetVideoPropertyValue__FiPi", 0);
    int32_t value = 77;
    EXPECT_EQ(Get(kPropHue, &value), kVrlnFailure);
    EXPECT_EQ(value, 77);
}

TEST_F(IntelProperties, TheColourKeyIsStoredProgrammedAndReadBack) {
    ASSERT_EQ(Set(kPropColourKey, 0x1234), 0);
    EXPECT_EQ(Journal().front(), "MCSetVideoOverlayColorKey__FUi 4660");
    int32_t value = 0;
    ASSERT_EQ(Get(kPropColourKey, &value), 0);
    EXPECT_EQ(value, 0x1234);
    EXPECT_EQ(SimDisplayStateNow().colourKey, 0x1234u);
}

TEST_F(IntelProperties, SharpnessIsClampedAndStoredWithoutHardware) {
    ASSERT_EQ(Set(kPropSharpness, -50), 0);
    int32_t value = 0;
    ASSERT_EQ(Get(kPropSharpness, &value), 0);
    EXPECT_EQ(value, -32);
    EXPECT_TRUE(Journal().empty());
}

TEST_F(IntelProperties, SharedConventionsHold) {
    int32_t value = 0;
    const VRLNPropertySetId other = {1, 2, 3, {4}};
    EXPECT_EQ(renderer_->GetProperty(&other, kPropBrightness, nullptr, 0, &value, 4, nullptr),
              kVrlnPropertySetNotFound);
    EXPECT_EQ(renderer_->SetProperty(&other, kPropBrightness, nullptr, 0, &value, 4),
              kVrlnPropertySetNotFound);
    EXPECT_EQ(Get(kPropReserved, &value), kVrlnPropertyNotFound);
    EXPECT_EQ(Set(kPropReserved, 4), kVrlnPropertyNotFound);
    EXPECT_EQ(Get(kPropSuspendVideo, &value), kVrlnPropertyNotFound) << "set only";
    uint32_t returned = 0;
    EXPECT_EQ(renderer_->GetProperty(&VideoRendererPropertySet, kPropBrightness, nullptr, 0,
                                     nullptr, 0, &returned),
              0);
    EXPECT_EQ(returned, 4u);
    EXPECT_EQ(renderer_->GetProperty(&VideoRendererPropertySet, kPropBrightness, nullptr, 0, &value,
                                     2, nullptr),
              kVrlnBadArgument);
    EXPECT_EQ(
        renderer_->SetProperty(&VideoRendererPropertySet, kPropBrightness, nullptr, 0, nullptr, 4),
        kVrlnNullPointer);
    EXPECT_TRUE(Journal().empty()) << "none of these reached the hardware";
}

TEST_F(IntelProperties, WhileSuspendedGetsAnswerFromTheKeptValues) {
    ASSERT_EQ(Set(kPropContrast, 12), 0);
    ASSERT_EQ(Set(kPropHue, -5), 0);
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    sim_display_journal_clear();
    int32_t contrast = 0, hue = 0, saturation = 99;
    ASSERT_EQ(Get(kPropContrast, &contrast), 0);
    ASSERT_EQ(Get(kPropHue, &hue), 0);
    ASSERT_EQ(Get(kPropSaturation, &saturation), 0);
    EXPECT_EQ(contrast, 12);
    EXPECT_EQ(hue, -5);
    EXPECT_EQ(saturation, 0) << "never set: the neutral value";
    EXPECT_TRUE(Journal().empty()) << "the hardware is left alone";
}

}  // namespace
