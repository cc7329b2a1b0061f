// Properties of the NVIDIA renderer: the four colour controls as floats in
// the library's colour configuration and back, every value of each, the
// reset, the ids accepted without effect, and the shared conventions.
#include <cstdio>

#include "tests/video/render/nvidia/nvidia_fixture.h"

namespace {

using nvidiatest::kConfColorCall;
using nvidiatest::NvidiaRendererTest;

class NvidiaProperties : public NvidiaRendererTest {};

constexpr uint32_t kColours[] = {kPropBrightness, kPropContrast, kPropHue, kPropSaturation};

TEST_F(NvidiaProperties, EveryValueOfEachControlReadsBackAsSet) {
    OpenRenderer();
    int checked = 0;
    for (uint32_t id : kColours) {
        for (int32_t value = -32; value <= 32; ++value) {
            ASSERT_EQ(Set(id, value), 0) << id << " " << value;
            int32_t back = 99;
            ASSERT_EQ(Get(id, &back), 0);
            EXPECT_EQ(back, value) << "property " << id;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 65 * 4);
    EXPECT_EQ(Count(kConfColorCall), 65 * 4) << "each change is sent";
}

TEST_F(NvidiaProperties, SaturationPlusSixteenAndContrastMinusThirtyTwoAsTheLibrarySeesThem) {
    OpenRenderer();
    ASSERT_EQ(Set(kPropSaturation, 16), 0);
    EXPECT_EQ(Journal().back(), std::string(kConfColorCall) + " 0 1 1.5 0 1 1 1 1");
    ASSERT_EQ(Set(kPropContrast, -32), 0);
    EXPECT_EQ(Journal().back(), std::string(kConfColorCall) + " 0 0 1.5 0 1 1 1 1");
    int32_t v = 0;
    ASSERT_EQ(Get(kPropSaturation, &v), 0);
    EXPECT_EQ(v, 16);
    ASSERT_EQ(Get(kPropContrast, &v), 0);
    EXPECT_EQ(v, -32);
    ASSERT_EQ(Set(kPropHue, -32), 0);
    ASSERT_EQ(Set(kPropBrightness, 8), 0);
    EXPECT_EQ(Journal().back(), std::string(kConfColorCall) + " 0.25 0 1.5 -90 1 1 1 1");
}

TEST_F(NvidiaProperties, ValuesAreClampedFirst) {
    OpenRenderer();
    ASSERT_EQ(Set(kPropHue, 1000), 0);
    EXPECT_FLOAT_EQ(renderer_->ColourConfiguration().hue, 90.0f);
    ASSERT_EQ(Set(kPropBrightness, -77), 0);
    EXPECT_FLOAT_EQ(renderer_->ColourConfiguration().brightness, -1.0f);
    int32_t v = 0;
    ASSERT_EQ(Get(kPropHue, &v), 0);
    EXPECT_EQ(v, 32);
}

TEST_F(NvidiaProperties, ResetGoesBackToNeutral) {
    OpenRenderer();
    ASSERT_EQ(Set(kPropBrightness, 5), 0);
    ASSERT_EQ(Set(kPropSaturation, -9), 0);
    ASSERT_EQ(SetNoValue(kPropResetColours), 0);
    EXPECT_EQ(Journal().back(), std::string(kConfColorCall) + " 0 1 1 0 1 1 1 1");
    int32_t v = 7;
    ASSERT_EQ(Get(kPropSaturation, &v), 0);
    EXPECT_EQ(v, 0);
}

TEST_F(NvidiaProperties, KeyAndDisplayIdsAreAcceptedWithoutEffect) {
    OpenRenderer();
    for (uint32_t id : {kPropColourKey, kPropDisplayOutput, kPropRestoreDisplay})
        EXPECT_EQ(Set(id, 64), 0) << id;
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(SetNoValue(kPropColourKey), kVrlnNullPointer) << "a value is still read";
}

TEST_F(NvidiaProperties, OtherIdsAndSetsAreNotFound) {
    OpenRenderer();
    int32_t v = 0;
    for (uint32_t id : {uint32_t(kPropReserved), uint32_t(kPropSharpness),
                        uint32_t(kPropSuspendVideo), uint32_t(kPropResumeVideo), 21u})
        EXPECT_EQ(Set(id, 1), kVrlnPropertyNotFound) << id;
    for (uint32_t id : {kPropColourKey, kPropSharpness, kPropResetColours})
        EXPECT_EQ(Get(id, &v), kVrlnPropertyNotFound) << id;
    VRLNPropertySetId other = VideoRendererPropertySet;
    other.data1 ^= 1;
    EXPECT_EQ(renderer_->SetProperty(&other, kPropHue, nullptr, 0, &v, 4),
              kVrlnPropertySetNotFound);
    EXPECT_EQ(renderer_->GetProperty(&other, kPropHue, nullptr, 0, &v, 4, nullptr),
              kVrlnPropertySetNotFound);
    EXPECT_EQ(renderer_->SetProperty(nullptr, kPropHue, nullptr, 0, &v, 4),
              kVrlnPropertySetNotFound);
}

TEST_F(NvidiaProperties, BuffersFollowTheSharedConventions) {
    OpenRenderer();
    int32_t v = 0;
    EXPECT_EQ(renderer_->SetProperty(&VideoRendererPropertySet, kPropHue, nullptr, 0, nullptr, 4),
              kVrlnNullPointer);
    EXPECT_EQ(renderer_->SetProperty(&VideoRendererPropertySet, kPropHue, nullptr, 0, &v, 3),
              kVrlnBadArgument);
    uint32_t returned = 0;
    EXPECT_EQ(renderer_->GetProperty(&VideoRendererPropertySet, kPropHue, nullptr, 0, nullptr, 0,
                                     &returned),
              0);
    EXPECT_EQ(returned, 4u) << "a size query";
    EXPECT_EQ(renderer_->GetProperty(&VideoRendererPropertySet, kPropHue, nullptr, 0, nullptr, 4,
                                     nullptr),
              kVrlnNullPointer);
    EXPECT_EQ(
        renderer_->GetProperty(&VideoRendererPropertySet, kPropHue, nullptr, 0, &v, 2, nullptr),
        kVrlnBadArgument);
    EXPECT_TRUE(Journal().empty());
}

TEST_F(NvidiaProperties, AColourTheLibraryCannotTakeIsAFailure) {
    OpenRenderer();
    sim_display_fail_next(kConfColorCall, -1);
    EXPECT_EQ(Set(kPropBrightness, 4), kVrlnFailure);
    int32_t v = 0;
    ASSERT_EQ(Get(kPropBrightness, &v), 0);
    EXPECT_EQ(v, 4) << "kept, and sent with the next change";
    renderer_->Close();
    EXPECT_EQ(Set(kPropBrightness, 2), kVrlnFailure) << "no library";
}

}  // namespace
