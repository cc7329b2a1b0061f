// The ATI renderer's properties: the colour transform both ways (clamped to
// -100 ... 100 and read back x 32 / 100), colour key, sharpness, display
// switching with its RadeonEnableDisplay sequences, suspend and resume, and
// the property-set conventions.
#include <climits>

#include "sim/display/sim_display.h"
#include "tests/video/render/ati/radeon_fixture.h"

namespace {

using radeontest::RadeonRendererTest;
using rendertest::PackedFrame;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RadeonProperties : public RadeonRendererTest {
  protected:
    void SetUp() override {
        RadeonRendererTest::SetUp();
        OpenRenderer();
    }
    int32_t Read(uint32_t id) {
        int32_t value = -999;
        EXPECT_EQ(Get(id, &value), 0) << id;
        return value;
    }
};

TEST_F(RadeonProperties, BrightnessPlus32IsStoredAs100AndReadsBackAs32) {
    ASSERT_EQ(Set(kPropBrightness, 32), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetTransform 100 0 0 0"));
    EXPECT_EQ(renderer_->Transform().brightness, 100);
    EXPECT_EQ(Read(kPropBrightness), 32);
    EXPECT_EQ(SimDisplayStateNow().brightness, 128) << "the overlay got it";
}

TEST_F(RadeonProperties, HuePlus32IsStoredAs80AndReadsBackAs25) {
    ASSERT_EQ(Set(kPropHue, 32), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetTransform 0 0 0 80"));
    EXPECT_EQ(renderer_->Transform().hue, 80);
    EXPECT_EQ(Read(kPropHue), 25);
}

TEST_F(RadeonProperties, EachControlScalesIntoItsOwnFieldClampedAndReadsBackTruncated) {
    ASSERT_EQ(Set(kPropContrast, -32), 0);
    ASSERT_EQ(Set(kPropSaturation, 10), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetTransform 0 -100 0 0",
                                       "RadeonOverlaySetTransform 0 -100 31 0"));
    EXPECT_EQ(Read(kPropContrast), -32);
    EXPECT_EQ(Read(kPropSaturation), 9) << "31 x 32 / 100, truncated";
    ASSERT_EQ(Set(kPropHue, -7), 0);
    EXPECT_EQ(renderer_->Transform().hue, -17) << "-7 x 160 / 64, toward zero";
    EXPECT_EQ(Read(kPropHue), -5);
    ASSERT_EQ(Set(kPropBrightness, 1000), 0);
    EXPECT_EQ(renderer_->Transform().brightness, 100);
    ASSERT_EQ(Set(kPropBrightness, INT_MIN), 0);
    EXPECT_EQ(renderer_->Transform().brightness, -100) << "no overflow on the way";
    ASSERT_EQ(Set(kPropSaturation, INT_MAX), 0);
    EXPECT_EQ(renderer_->Transform().saturation, 100);
    EXPECT_EQ(Read(kPropSaturation), 32) << "capped";
}

TEST_F(RadeonProperties, ResetSendsANeutralTransform) {
    ASSERT_EQ(Set(kPropBrightness, 12), 0);
    ASSERT_EQ(Set(kPropHue, -12), 0);
    sim_display_journal_clear();
    ASSERT_EQ(SetNoValue(kPropResetColours), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetTransform 0 0 0 0"));
    EXPECT_EQ(Read(kPropBrightness), 0);
    EXPECT_EQ(Read(kPropHue), 0);
}

TEST_F(RadeonProperties, ATransformTheLibraryRefusesIsReportedAsAFailure) {
    sim_display_fail("RadeonOverlaySetTransform", 0, 0, 1);
    EXPECT_EQ(Set(kPropContrast, 5), kVrlnFailure);
    EXPECT_EQ(Set(kPropContrast, 5), 0);
}

TEST_F(RadeonProperties, TheColourKeyIsSetWithoutTouchingKeyingAndUsedAtTheNextSizeChange) {
    ASSERT_EQ(Set(kPropColourKey, 0x123456), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetColorKey 1 1193046"));
    EXPECT_EQ(Read(kPropColourKey), 0x123456);
    PackedFrame frame(352, 288, 1u, true);
    ASSERT_EQ(renderer_->DrawPicture(frame.Get()), 0);
    EXPECT_EQ(Count("RadeonOverlaySetColorKey 0 1193046"), 1);
}

TEST_F(RadeonProperties, SharpnessIsClampedAndStoredOnly) {
    ASSERT_EQ(Set(kPropSharpness, 50), 0);
    EXPECT_EQ(Read(kPropSharpness), 32);
    ASSERT_EQ(Set(kPropSharpness, -40), 0);
    EXPECT_EQ(Read(kPropSharpness), -32);
    ASSERT_EQ(Set(kPropSharpness, 7), 0);
    EXPECT_EQ(Read(kPropSharpness), 7);
    EXPECT_THAT(Journal(), IsEmpty());
}

TEST_F(RadeonProperties, WhileSuspendedGetsAnswerFromTheStoredValues) {
    ASSERT_EQ(Set(kPropBrightness, 32), 0);
    ASSERT_EQ(Set(kPropHue, 32), 0);
    ASSERT_EQ(Set(kPropColourKey, 0x0821), 0);
    ASSERT_EQ(Set(kPropSharpness, -3), 0);
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    sim_display_journal_clear();
    EXPECT_EQ(Read(kPropBrightness), 32);
    EXPECT_EQ(Read(kPropHue), 25);
    EXPECT_EQ(Read(kPropColourKey), 0x0821);
    EXPECT_EQ(Read(kPropSharpness), -3);
    EXPECT_THAT(Journal(), IsEmpty());
}

TEST_F(RadeonProperties, TelevisionOnSwitchesThePanelsOffSetsTheModeAndTheTelevisionOn) {
    const VRLNRect small{10, 10, 99, 99};
    renderer_->SetOutputRect(0, &small, nullptr);
    sim_display_journal_clear();
    ASSERT_EQ(Set(kPropDisplayOutput, 0), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonEnableDisplay 6 0", "RadeonSetMode 0 1024 768 16",
                                       "RadeonEnableDisplay 1 1", "RadeonSetMode 0 1024 768 16"));
    EXPECT_EQ(SimDisplayStateNow().tvOutput, 1);
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.right, 1023) << "the whole mode";
    EXPECT_EQ(d.bottom, 767);
    sim_display_journal_clear();
    ASSERT_EQ(Set(kPropDisplayOutput, 64), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonEnableDisplay 1 0", "RadeonEnableDisplay 6 1",
                                       "RadeonSetMode 0 1024 768 16"));
    EXPECT_EQ(SimDisplayStateNow().tvOutput, 0);
}

TEST_F(RadeonProperties, OtherDisplayValuesDoNothing) {
    ASSERT_EQ(Set(kPropDisplayOutput, 5), 0);
    ASSERT_EQ(Set(kPropDisplayOutput, -1), 0);
    EXPECT_THAT(Journal(), IsEmpty());
}

TEST_F(RadeonProperties, RestoringTheDesktopSwitchesTheMonitorOnAndSetsTheMode) {
    ASSERT_EQ(Set(kPropRestoreDisplay, 123), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonEnableDisplay 2 1", "RadeonSetMode 0 1024 768 16"));
    EXPECT_EQ(renderer_->Destination().right, 1023);
}

TEST_F(RadeonProperties, SuspendQueriesTheCardAndResumeTheMode) {
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonQueryCardInfo"));
    sim_display_journal_clear();
    ASSERT_EQ(SetNoValue(kPropResumeVideo), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonGetMode"));
}

TEST_F(RadeonProperties, TheSetConventionsHold) {
    const VRLNPropertySetId other = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    int32_t value = 1;
    EXPECT_EQ(renderer_->SetProperty(&other, kPropBrightness, nullptr, 0, &value, 4),
              kVrlnPropertySetNotFound);
    EXPECT_EQ(renderer_->GetProperty(&other, kPropBrightness, nullptr, 0, &value, 4, nullptr),
              kVrlnPropertySetNotFound);
    EXPECT_EQ(Set(kPropReserved, 4), kVrlnPropertyNotFound);
    EXPECT_EQ(Set(261, 4), kVrlnPropertyNotFound);
    EXPECT_EQ(Get(kPropDisplayOutput, &value), kVrlnPropertyNotFound);
    EXPECT_EQ(
        renderer_->SetProperty(&VideoRendererPropertySet, kPropBrightness, nullptr, 0, nullptr, 4),
        kVrlnNullPointer);
    EXPECT_EQ(
        renderer_->SetProperty(&VideoRendererPropertySet, kPropBrightness, nullptr, 0, &value, 2),
        kVrlnBadArgument);
    uint32_t length = 0;
    EXPECT_EQ(renderer_->GetProperty(&VideoRendererPropertySet, kPropHue, nullptr, 0, nullptr, 0,
                                     &length),
              0);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(
        renderer_->GetProperty(&VideoRendererPropertySet, kPropHue, nullptr, 0, &value, 3, nullptr),
        kVrlnBadArgument);
    EXPECT_THAT(Journal(), IsEmpty());
}

}  // namespace
