// The S3 stand-in: the shared overlay calls under their own names, and the
// property word with its brightness and contrast levels.
#include <gmock/gmock.h>

#include <cstring>

#include "interfaces/vendor/video_memory.h"
#include "tests/sim/display/display_fixture.h"
#include "video/render/vendor/s3_calls.h"

namespace {

using displaytest::Grey;
using displaytest::PackedPicture;
using displaytest::PixelAt;
using displaytest::StandInTest;

class S3StandIn : public StandInTest {
  protected:
    void SetUp() override {
        StandInTest::SetUp();
        Bind(S3OverlayLibrary(), &s3_);
    }
    S3OverlayCalls s3_{};
};

TEST_F(S3StandIn, ThePropertyWordReadsZeroUntilWrittenAndBackAsWritten) {
    EXPECT_EQ(s3_.getVideoProperty(), 0u);
    ASSERT_EQ(s3_.setVideoProperty(0x80089000u | 255u | 0x8000u), 1u);
    EXPECT_EQ(s3_.getVideoProperty(), 0x800890FFu);
    EXPECT_EQ(s3_.setVideoProperty(0x80086000u), 0u) << "bits 13 and 14 stay clear";
    EXPECT_EQ(s3_.getVideoProperty(), 0x800890FFu);
    EXPECT_EQ(SimDisplayJournal().front(), "GetVideoPropertyValue__Fv");
}

TEST_F(S3StandIn, TheLevelsApplyWhileBitFifteenIsSet) {
    ASSERT_EQ(s3_.setVideoProperty(0x80000000u | (31u << 8) | 255u), 1u);
    EXPECT_EQ(SimDisplayStateNow().brightness, 0) << "bit 15 clear: neutral";
    ASSERT_EQ(s3_.setVideoProperty(0x8000u | (31u << 8) | 255u), 1u);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.brightness, 127);
    EXPECT_EQ(s.contrast, 31 * 16);
}

TEST_F(S3StandIn, ShowsAShortSurfaceKeyedLikeTheIntelOverlay) {
    const uint32_t start = s3_.getOnScreenStart();
    ASSERT_EQ(s3_.initVideoOverlay(), 1u);
    const uint32_t s = s3_.createSurface(32, 15, 16);  // a picture one line short
    const std::vector<uint8_t> picture = PackedPicture(32, 15, 170, 128, 128);
    std::memcpy(VideoMemoryPointer(s), picture.data(), picture.size());
    ASSERT_EQ(s3_.setColourKey(2081), 1u);
    ASSERT_EQ(s3_.fillRectangle(0, 5 + (6u << 16), 16, 32, 2081, 16), 1u);
    ASSERT_EQ(s3_.updateOverlay(5, 6, 16, 32, s - start, 15, 32, 1, 1), 1u);
    ASSERT_EQ(s3_.flipOverlay(s - start, s - start, 32, 15, 16, 1), 1u);
    uint32_t pitch = 0;
    EXPECT_EQ(s3_.lockSurface(SurfaceHandle(s), &pitch, nullptr), 64u);
    EXPECT_EQ(s3_.unlockSurface(SurfaceHandle(s)), 1u);
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_TRUE(Grey(PixelAt(out, 5, 6), 170));
    EXPECT_TRUE(Grey(PixelAt(out, 36, 21), 170));
    EXPECT_TRUE(Grey(PixelAt(out, 37, 21), 0));
}

}  // namespace
