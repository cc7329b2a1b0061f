// The SiS stand-in: the order of its calls, the video record it fills, the
// planar buffers it flips between, and its two colour levels.
#include <gmock/gmock.h>

#include <cstring>

#include "interfaces/vendor/video_memory.h"
#include "tests/sim/display/display_fixture.h"
#include "video/render/vendor/sis_calls.h"

namespace {

using displaytest::Grey;
using displaytest::PixelAt;
using displaytest::StandInTest;
using ::testing::ElementsAre;

constexpr uint32_t kKey = 0x0821;

class SisStandIn : public StandInTest {
  protected:
    void SetUp() override {
        StandInTest::SetUp();
        Bind(SisVideoLibrary(), &sis_);
    }
    // Fills buffer i with a grey picture.
    void PaintBuffer(const SiSVideoRecord& r, int i, uint8_t level) {
        uint8_t* base = VideoMemoryPointer(r.buffer[i]);
        std::memset(base, level, r.lumaLength);
        std::memset(base + r.vOffset, 128, r.chromaLength);
        std::memset(base + r.uOffset, 128, r.chromaLength);
    }
    SisVideoCalls sis_{};
};

TEST_F(SisStandIn, CallsOutOfOrderFail) {
    SiSVideoRecord r{};
    EXPECT_EQ(sis_.createSisVideo(720, 576, &r), 1) << "not initialised";
    EXPECT_EQ(sis_.releaseSisVideo(), 1);
    EXPECT_EQ(sis_.sisUninit(), 1);
    EXPECT_EQ(sis_.setVideoWindow(0, 0, 719, 575, kKey), 1);
    ASSERT_EQ(sis_.sisInit(), 0);
    EXPECT_EQ(sis_.createSisVideo(721, 576, &r), 1) << "odd width";
    ASSERT_EQ(sis_.createSisVideo(720, 576, &r), 0);
    EXPECT_EQ(sis_.createSisVideo(720, 576, &r), 1) << "created already";
    EXPECT_EQ(sis_.videoFlip(4, 1), 1);
    ASSERT_EQ(sis_.releaseSisVideo(), 0);
    EXPECT_EQ(sis_.releaseSisVideo(), 1);
    ASSERT_EQ(sis_.sisUninit(), 0);
    EXPECT_EQ(sis_.sisUninit(), 1);
}

TEST_F(SisStandIn, FillsTheWholeVideoRecord) {
    ASSERT_EQ(sis_.sisInit(), 0);
    SiSVideoRecord r{};
    ASSERT_EQ(sis_.createSisVideo(360, 288, &r), 0);
    EXPECT_EQ(r.width, 360u);
    EXPECT_EQ(r.pitch, 368u) << "rounded up to 16";
    EXPECT_EQ(r.chromaPitch, 184u);
    EXPECT_EQ(r.lumaLength, 368u * 288u);
    EXPECT_EQ(r.chromaLength, 184u * 144u);
    EXPECT_EQ(r.vOffset, r.lumaLength);
    EXPECT_EQ(r.uOffset, r.lumaLength + r.chromaLength);
    EXPECT_EQ(r.bufferCount, 4u);
    for (int i = 1; i < 4; ++i) EXPECT_GE(r.buffer[i] - r.buffer[i - 1], r.bufferBytes);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 4);
}

TEST_F(SisStandIn, ShowsTheFlippedBufferInTheKeyedWindow) {
    ASSERT_EQ(sis_.sisInit(), 0);
    SiSVideoRecord r{};
    ASSERT_EQ(sis_.createSisVideo(32, 16, &r), 0);
    for (int i = 0; i < 4; ++i) PaintBuffer(r, i, uint8_t(50 + 40 * i));
    sim_display_fill_screen(0, 0, 32, 16, kKey);
    ASSERT_EQ(sis_.setVideoWindow(0, 0, 31, 15, kKey), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0) << "not enabled yet";
    ASSERT_EQ(sis_.videoEnable(1), 0);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 9, 9), 50));
    ASSERT_EQ(sis_.videoFlip(3, 1), 0);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 9, 9), 170));
    EXPECT_EQ(SimDisplayStateNow().overlayPlanar, 1);
    ASSERT_EQ(sis_.releaseSisVideo(), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
    EXPECT_THAT(
        SimDisplayJournal(),
        ElementsAre("SiSInit", "CreateSiSVideo 32 16", "Linux_SetVideoWindow 0 0 31 15 2081",
                    "Linux_VideoEnable 1", "Linux_VideoFlip 3 1", "ReleaseSiSVideo"));
}

TEST_F(SisStandIn, TheSourcePartFillsTheWindow) {
    ASSERT_EQ(sis_.sisInit(), 0);
    SiSVideoRecord r{};
    ASSERT_EQ(sis_.createSisVideo(32, 16, &r), 0);
    ASSERT_EQ(sis_.setVideoSource(8, 0, 16, 16), 0);
    EXPECT_EQ(SimDisplayStateNow().cropX, 8);
    EXPECT_EQ(SimDisplayStateNow().cropWidth, 16);
    ASSERT_EQ(sis_.setVideoSource(0, 0, 0, 0), 0);
    EXPECT_EQ(SimDisplayStateNow().cropWidth, 32) << "0 means the whole picture";
    EXPECT_EQ(sis_.setVideoSource(-1, 0, 0, 0), 1);
}

TEST_F(SisStandIn, BrightnessAndContrastAreLevelsAroundOneHundredTwentyEight) {
    EXPECT_EQ(sis_.getVideoBrightness(), 128);
    ASSERT_EQ(sis_.setVideoBrightness(255), 0);
    ASSERT_EQ(sis_.setVideoContrast(0), 0);
    EXPECT_EQ(sis_.getVideoBrightness(), 255);
    EXPECT_EQ(sis_.getVideoContrast(), 0);
    ASSERT_EQ(sis_.sisInit(), 0);
    SiSVideoRecord r{};
    ASSERT_EQ(sis_.createSisVideo(32, 16, &r), 0);
    ASSERT_EQ(sis_.videoEnable(1), 0);
    EXPECT_EQ(SimDisplayStateNow().brightness, 127);
    EXPECT_EQ(SimDisplayStateNow().contrast, 0);
}

TEST_F(SisStandIn, WindowFailuresCanBeInjected) {
    ASSERT_EQ(sis_.sisInit(), 0);
    SiSVideoRecord r{};
    sim_display_fail_kind(SIM_DISPLAY_FAULT_SURFACE, 0, 1);
    EXPECT_EQ(sis_.createSisVideo(32, 16, &r), 1);
    ASSERT_EQ(sis_.createSisVideo(32, 16, &r), 0);
    sim_display_fail_next("Linux_SetVideoWindow", 3);
    EXPECT_EQ(sis_.setVideoWindow(0, 0, 31, 15, kKey), 3);
    EXPECT_EQ(sis_.setVideoWindow(0, 0, 31, 15, kKey), 0);
}

}  // namespace
