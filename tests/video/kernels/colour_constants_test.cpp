// Folding colour records into constants and colour modes.
#include "video/kernels/colour_constants.h"

#include <gtest/gtest.h>

namespace {

ColourConstants Fold(const CVRLNColourRecord& record, bool capability, int* mode) {
    ColourConstants k;
    *mode = ComputeColourConstants(record, capability, &k);
    return k;
}

TEST(ColourConstants, NeutralRecordIsModeZeroWithUnitGains) {
    int mode = -1;
    const ColourConstants k = Fold({}, true, &mode);
    EXPECT_EQ(mode, kColourAddSubtract);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(k.lumaGain[i], 256);
        EXPECT_EQ(k.chromaGain[i], 256);
        EXPECT_EQ(k.lumaCentre[i], 128);
        EXPECT_EQ(k.chromaCentre[i], 128);
        EXPECT_EQ(k.hue[i], 0);
        EXPECT_EQ(k.tWord[i], 0);
    }
    for (int i = 0; i < 16; ++i) EXPECT_EQ(k.lumaAdd[i] | k.lumaSubtract[i], 0);
    EXPECT_TRUE(k.lumaUnchanged);
    EXPECT_TRUE(k.chromaUnchanged);
}

TEST(ColourConstants, BrightnessAndOffsetsSplitIntoAddAndSubtract) {
    int mode = -1;
    const ColourConstants k = Fold({-10, 0, 0, 0, 0, 6, -4}, true, &mode);
    EXPECT_EQ(mode, kColourAddSubtract);
    EXPECT_EQ(k.lumaAdd[3], 0);
    EXPECT_EQ(k.lumaSubtract[3], 10);
    EXPECT_EQ(k.lumaCentre[0], 118);
    EXPECT_EQ(k.chromaAdd[0], 6);  // U positions are even
    EXPECT_EQ(k.chromaSubtract[0], 0);
    EXPECT_EQ(k.chromaAdd[1], 0);
    EXPECT_EQ(k.chromaSubtract[1], 4);
    EXPECT_EQ(k.chromaCentre[0], 134);
    EXPECT_EQ(k.chromaCentre[1], 124);
    EXPECT_FALSE(k.lumaUnchanged);
    EXPECT_FALSE(k.chromaUnchanged);
}

TEST(ColourConstants, ContrastOneSelectsGainMode264) {
    int mode = -1;
    const ColourConstants k = Fold({0, 1, 0, 0, 0, 0, 0}, false, &mode);
    EXPECT_EQ(mode, kColourGain);
    EXPECT_EQ(k.lumaGain[0], 264);
    Fold({0, 0, 0, -2, 0, 0, 0}, false, &mode);
    EXPECT_EQ(mode, kColourGain);
}

TEST(ColourConstants, HuePlusSixteenRotatesAQuarterTurn) {
    int mode = -1;
    const ColourConstants k = Fold({0, 0, 16, 0, 0, 0, 0}, true, &mode);
    EXPECT_EQ(mode, kColourHueT);
    EXPECT_EQ(k.chromaGain[0], 0);
    EXPECT_EQ(k.chromaGain[1], 0);
    EXPECT_EQ(k.hue[0], -256);
    EXPECT_EQ(k.hue[1], 256);
}

TEST(ColourConstants, HueAndTNeedTheCapabilityBit) {
    int mode = -1;
    const ColourConstants k = Fold({0, 0, 16, 0, 5, 0, 0}, false, &mode);
    EXPECT_EQ(mode, kColourAddSubtract);
    EXPECT_EQ(k.hue[1], 0);
    EXPECT_EQ(k.tWord[0], 0);
}

TEST(ColourConstants, TBendsTheLumaCurve) {
    int mode = -1;
    const ColourConstants k = Fold({3, 0, 0, 0, 2, 0, 0}, true, &mode);
    EXPECT_EQ(mode, kColourHueT);
    EXPECT_EQ(k.tWord[0], -16);
    EXPECT_EQ(k.lumaCentre[0], 128 + 3 + 4);
    EXPECT_EQ(k.lumaGain[0], 256 + 4);
}

TEST(ColourConstants, OutOfRangeControlsAreHeldToTheirRange) {
    int mode = -1;
    const ColourConstants k = Fold({1000, 100000, 0, 0, 0, 0, 0}, false, &mode);
    EXPECT_EQ(k.lumaAdd[0], 32);
    EXPECT_EQ(k.lumaGain[0], 32 * 8 + 256);
}

TEST(ColourConstants, PublishedConstantsAreSharedByAll) {
    ColourConstants k;
    ComputeColourConstants({7, 0, 0, 0, 0, 0, 0}, false, &k);
    PublishColourConstants(k);
    EXPECT_EQ(CurrentColourConstants().lumaAdd[0], 7);
    PublishColourConstants(NeutralColourConstants());
    EXPECT_EQ(CurrentColourConstants().lumaAdd[0], 0);
}

}  // namespace
