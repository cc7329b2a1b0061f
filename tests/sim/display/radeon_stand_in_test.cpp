// The Radeon stand-in: modes through the mode record, the overlay over the
// caller's two buffers with the pitch it hands back, flips, the transform,
// fills and the display outputs.
#include <gmock/gmock.h>

#include <cstring>

#include "tests/sim/display/display_fixture.h"
#include "video/render/vendor/radeon_calls.h"

namespace {

using displaytest::Grey;
using displaytest::PixelAt;
using displaytest::StandInTest;
using ::testing::ElementsAre;

class RadeonStandIn : public StandInTest {
  protected:
    void SetUp() override {
        StandInTest::SetUp();
        Bind(RadeonOverlayLibrary(), &ati_);
    }
    // A grey planar picture at offset.
    void PaintPlanar(uint32_t offset, int width, int height, uint8_t level) {
        uint8_t* p = ati_.getFrameBufferAddress() + offset;
        std::memset(p, level, size_t(width) * height);
        std::memset(p + size_t(width) * height, 128, size_t(width) * height / 2);
    }
    RadeonOverlayCalls ati_{};
};

TEST_F(RadeonStandIn, ReportsAndSetsModesThroughTheRecord) {
    RadeonMode mode{};
    ASSERT_EQ(ati_.getMode(&mode), 1);
    EXPECT_EQ(mode.width, 1024);
    EXPECT_EQ(mode.height, 768);
    EXPECT_EQ(mode.bitsPerPixel, 16);
    EXPECT_EQ(mode.bytesPerLine, 2048);
    EXPECT_EQ(mode.modeNumber, 0x117);
    mode = RadeonMode{1280, 1024, 32, 0, 0, 0};
    ASSERT_EQ(ati_.setMode(0, &mode), 1);
    EXPECT_EQ(mode.bytesPerLine, 5120);
    EXPECT_EQ(ati_.setMode(1, &mode), 0);
    ASSERT_EQ(ati_.restoreMode(), 1);
    EXPECT_EQ(SimDisplayStateNow().width, 1024);
    EXPECT_THAT(SimDisplayJournal(),
                ElementsAre("RadeonGetMode", "RadeonSetMode 0 1280 1024 32",
                            "RadeonSetMode 1 1280 1024 32", "RadeonRestoreMode"));
}

TEST_F(RadeonStandIn, PlanarSourcesHaveTheWidthAsPitchAndFlipBetweenTwoBuffers) {
    const uint32_t offset = 768 * 2048;  // directly below the visible screen
    int pitch = 0;
    ASSERT_EQ(ati_.overlaySetSource(offset, 720, 480, kRadeonFormatYV12, &pitch), 1);
    EXPECT_EQ(pitch, 720);
    const uint32_t size = 720 * 480 * 3 / 2;
    PaintPlanar(offset, 720, 480, 60);
    PaintPlanar(offset + size, 720, 480, 190);
    ASSERT_EQ(ati_.overlaySetDestination(0, 0, 720, 480), 1);
    ASSERT_EQ(ati_.overlaySetColourKey(0, 0x010101), 1);
    sim_display_fill_screen(0, 0, 720, 480, 0x0101);
    ASSERT_EQ(ati_.overlayEnable(), 1);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 100, 100), 60));
    ASSERT_EQ(ati_.overlayFlip(), 1);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 100, 100), 190));
    EXPECT_EQ(SimDisplayStateNow().overlayOffset, offset + size);
    ASSERT_EQ(ati_.overlayFlip(), 1);
    EXPECT_EQ(SimDisplayStateNow().overlayOffset, offset);
    ASSERT_EQ(ati_.overlayDisable(), 1);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

TEST_F(RadeonStandIn, RefusesSourcesOutsideVideoMemoryAndUnknownFormats) {
    int pitch = -1;
    EXPECT_EQ(
        ati_.overlaySetSource(SIM_DISPLAY_MEMORY_BYTES - 1000, 720, 480, kRadeonFormatYV12, &pitch),
        0);
    EXPECT_EQ(ati_.overlaySetSource(0, 720, 480, 0x1234, &pitch), 0);
    EXPECT_EQ(pitch, -1);
    EXPECT_EQ(ati_.overlayEnable(), 0) << "no source yet";
    ASSERT_EQ(ati_.overlaySetSource(0, 720, 480, kRadeonFormatYUY2, &pitch), 1);
    EXPECT_EQ(pitch, 1440);
}

TEST_F(RadeonStandIn, TheTransformMapsOntoTheOverlay) {
    RadeonTransform t{};
    t.brightness = 100;
    t.contrast = -50;
    t.hue = 80;
    ASSERT_EQ(ati_.overlaySetTransform(&t), 1);
    int pitch = 0;
    ASSERT_EQ(ati_.overlaySetSource(2 << 20, 64, 64, kRadeonFormatYV12, &pitch), 1);
    ASSERT_EQ(ati_.overlayEnable(), 1);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.brightness, 128);
    EXPECT_EQ(s.contrast, 128);
    EXPECT_EQ(s.hue, 144);
    t.saturation = 101;
    EXPECT_EQ(ati_.overlaySetTransform(&t), 0);
    EXPECT_EQ(SimDisplayJournal()[0], "RadeonOverlaySetTransform 100 -50 0 80");
}

TEST_F(RadeonStandIn, SolidFillsTakeInclusiveCorners) {
    ASSERT_EQ(ati_.solidFill(0, 0, 1023, 767, 0x1111), 1);
    EXPECT_EQ(sim_display_screen_pixel(1023, 767), 0x1111u);
    ASSERT_EQ(ati_.solidFill(5, 5, 5, 5, 0x2222), 1);
    EXPECT_EQ(sim_display_screen_pixel(5, 5), 0x2222u);
    EXPECT_EQ(sim_display_screen_pixel(6, 5), 0x1111u);
    EXPECT_EQ(ati_.solidFill(5, 5, 4, 5, 0), 0);
}

TEST_F(RadeonStandIn, DisplaysAreAMaskAndTelevisionNeedsAConnector) {
    EXPECT_EQ(SimDisplayStateNow().displays, SIM_DISPLAY_CRT);
    ASSERT_EQ(ati_.enableDisplay(6, 0), 1);
    ASSERT_EQ(ati_.enableDisplay(1, 1), 1);
    EXPECT_EQ(SimDisplayStateNow().displays, SIM_DISPLAY_TV);
    EXPECT_EQ(SimDisplayStateNow().tvOutput, 1);
    ASSERT_EQ(ati_.enableDisplay(1, 0), 1);
    sim_display_set_tv_connector(0);
    EXPECT_EQ(ati_.enableDisplay(1, 1), 0);
    EXPECT_EQ(ati_.enableDisplay(8, 1), 0);
}

TEST_F(RadeonStandIn, CloseLeavesOnlyInitWorking) {
    RadeonCardInfo info{};
    ASSERT_EQ(ati_.queryCardInfo(&info), 1);
    EXPECT_EQ(info.vendor, 0x1002u);
    EXPECT_EQ(info.memoryBytes, uint32_t(SIM_DISPLAY_MEMORY_BYTES));
    ASSERT_EQ(ati_.close(), 1);
    RadeonMode mode{};
    EXPECT_EQ(ati_.getMode(&mode), 0);
    EXPECT_EQ(ati_.getFrameBufferAddress(), nullptr);
    ASSERT_EQ(ati_.init(), 1);
    EXPECT_EQ(ati_.getMode(&mode), 1);
    sim_display_fail_kind(SIM_DISPLAY_FAULT_INIT, 0, 1);
    EXPECT_EQ(ati_.init(), 0);
}

}  // namespace
