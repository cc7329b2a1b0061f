// The NVIDIA renderer's tables and rules that need no library: outputs,
// initial records, letterbox modes, source classes and the colour mapping.
#include <gtest/gtest.h>

#include <cstring>

#include "video/render/nvidia/nvidia_configuration.h"

namespace {

NvConfVideo Letterboxed(const VRLNRect& d, bool wide, int32_t aspectBits) {
    NvConfVideo v = InitialVideoConfiguration();
    EXPECT_TRUE(ApplyLetterbox(&v, d, wide, aspectBits));
    return v;
}

TEST(NvidiaOutputTable, FiveOutputsAndNothingOutsideThem) {
    EXPECT_EQ(NvidiaOutputFor(0).width, 1024u);
    EXPECT_EQ(NvidiaOutputFor(1).height, 1024u);
    EXPECT_TRUE(NvidiaOutputFor(2).wide);
    EXPECT_EQ(NvidiaOutputFor(2).height, 768u);
    EXPECT_EQ(NvidiaOutputFor(3).width, 800u);
    EXPECT_TRUE(NvidiaOutputFor(4).wide);
    EXPECT_EQ(NvidiaOutputFor(4).height, 800u);
    for (int outside : {-1, 5, 1000}) {
        EXPECT_EQ(NvidiaOutputFor(outside).width, 0u);
        EXPECT_EQ(NvidiaOutputFor(outside).height, 0u);
        EXPECT_FALSE(NvidiaOutputFor(outside).wide);
    }
}

TEST(NvidiaRecords, StartAsTheLibraryExpects) {
    const NvConfVideo v = InitialVideoConfiguration();
    const int32_t want[11] = {0, 0, 0, 5, 0, 0, 0, 1, 1, 1, 1};
    EXPECT_EQ(std::memcmp(&v, want, sizeof want), 0);
    const NvConfColor c = InitialColourConfiguration();
    EXPECT_EQ(c.brightness, 0.0f);
    EXPECT_EQ(c.contrast, 1.0f);
    EXPECT_EQ(c.saturation, 1.0f);
    EXPECT_EQ(c.hue, 0.0f);
    EXPECT_EQ(c.enabled, 1);
    EXPECT_EQ(c.gammaBlue, 1.0f);
}

TEST(NvidiaLetterboxRules, TheFourCases) {
    const VRLNRect narrow{0, 0, 799, 599}, wide{0, 0, 1279, 719};
    NvConfVideo v = Letterboxed(narrow, false, 0);
    EXPECT_EQ(v.horizontalMode, 0);
    EXPECT_EQ(v.verticalMode, 1);
    EXPECT_EQ(v.letterboxState, 0);
    v = Letterboxed(wide, false, 0);
    EXPECT_EQ(v.horizontalMode, 1);
    EXPECT_EQ(v.verticalMode, 0);
    EXPECT_EQ(v.letterboxState, 1);
    v = Letterboxed(narrow, false, kPictureAspectBits);
    EXPECT_EQ(v.horizontalMode, 2);
    EXPECT_EQ(v.verticalMode, 1);
    EXPECT_EQ(v.letterboxState, 0) << "left as it was";
    v = Letterboxed(wide, false, 0x400);
    EXPECT_EQ(v.horizontalMode, 1);
    EXPECT_EQ(v.verticalMode, 2);
    v = Letterboxed(wide, true, kPictureAspectBits);
    EXPECT_EQ(v.horizontalMode, 1);
    EXPECT_EQ(v.letterboxState, 1);
}

TEST(NvidiaLetterboxRules, ThreeToTwoIsTheBorder) {
    EXPECT_EQ(Letterboxed(VRLNRect{0, 0, 1499, 999}, false, 0).letterboxState, 1) << "a = 15";
    EXPECT_EQ(Letterboxed(VRLNRect{0, 0, 1498, 999}, false, 0).letterboxState, 0) << "a = 14";
}

TEST(NvidiaLetterboxRules, NoSizeIsRefusedWithNothingChanged) {
    NvConfVideo v = InitialVideoConfiguration();
    EXPECT_FALSE(ApplyLetterbox(&v, VRLNRect{0, 0, -1, -1}, false, 0));
    EXPECT_FALSE(ApplyLetterbox(&v, VRLNRect{5, 0, 3, 100}, false, 0));
    EXPECT_EQ(v.horizontalMode, 1);
    EXPECT_EQ(v.verticalMode, 1);
    EXPECT_TRUE(ApplyLetterbox(&v, VRLNRect{7, 7, 7, 7}, false, 0)) << "one pixel is a size";
}

TEST(NvidiaSourceClasses, ByWidthAndLines) {
    EXPECT_EQ(SourceClassOf(720, 576), 0);
    EXPECT_EQ(SourceClassOf(720, 240), 0);
    EXPECT_EQ(SourceClassOf(704, 480), 1);
    EXPECT_EQ(SourceClassOf(352, 480), 2);
    EXPECT_EQ(SourceClassOf(352, 240), 3);
    EXPECT_EQ(SourceClassOf(640, 480), 0);
    EXPECT_EQ(SourceClassOf(640, 479), 1);
    EXPECT_FALSE(NeedsZoom(352));
    EXPECT_TRUE(NeedsZoom(353));
    EXPECT_FALSE(NeedsZoom(704));
    EXPECT_FALSE(NeedsZoom(720));
    EXPECT_TRUE(NeedsZoom(768));
}

TEST(NvidiaColourMapping, FloatsOfEachControl) {
    NvConfColor c = InitialColourConfiguration();
    ASSERT_TRUE(SetNvidiaColour(&c, kPropBrightness, -16));
    EXPECT_EQ(c.brightness, -0.5f);
    ASSERT_TRUE(SetNvidiaColour(&c, kPropContrast, 32));
    EXPECT_EQ(c.contrast, 2.0f);
    ASSERT_TRUE(SetNvidiaColour(&c, kPropHue, 7));
    EXPECT_EQ(c.hue, 19.6875f) << "7 x 90 / 32";
    ASSERT_TRUE(SetNvidiaColour(&c, kPropSaturation, -32));
    EXPECT_EQ(c.saturation, 0.0f);
    EXPECT_FALSE(SetNvidiaColour(&c, kPropSharpness, 3));
}

TEST(NvidiaColourMapping, ReadingTruncatesTowardZeroAndCapsAt32) {
    NvConfColor c = InitialColourConfiguration();
    c.brightness = -0.99f;  // -31.68
    EXPECT_EQ(NvidiaColourControl(c, kPropBrightness), -31);
    c.contrast = 3.5f;
    EXPECT_EQ(NvidiaColourControl(c, kPropContrast), 32);
    c.hue = 44.0f;  // 15.64
    EXPECT_EQ(NvidiaColourControl(c, kPropHue), 15);
    EXPECT_EQ(NvidiaColourControl(c, kPropReserved), 0);
}

TEST(NvidiaBlack, PackedBlackBytes) {
    uint8_t b[6] = {9, 9, 9, 9, 9, 9};
    FillPackedBlack(b, 5);
    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(b[1], 128);
    EXPECT_EQ(b[4], 0);
    EXPECT_EQ(b[5], 9);
}

}  // namespace
