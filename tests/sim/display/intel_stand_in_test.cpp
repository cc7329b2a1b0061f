// The Intel stand-ins on the simulated controller: surfaces and their locks,
// the overlay shown by update and flip where the key is, colour controls,
// library exit and start, modes, television output and the 2D calls.
#include <gmock/gmock.h>

#include <cstring>

#include "interfaces/vendor/video_memory.h"
#include "tests/sim/display/display_fixture.h"
#include "video/render/vendor/intel_calls.h"

namespace {

using displaytest::Grey;
using displaytest::PackedPicture;
using displaytest::PixelAt;
using displaytest::StandInTest;
using ::testing::ElementsAre;

constexpr uint32_t kKey = 0x0821;

class IntelStandIn : public StandInTest {
  protected:
    void SetUp() override {
        StandInTest::SetUp();
        Bind(IntelOverlayLibrary(true), &mc_);
        start_ = mc_.getOnScreenStart();
    }
    // A surface holding a packed picture of one grey level.
    uint32_t GreySurface(int width, int height, uint8_t level) {
        const uint32_t surface = mc_.createSurface(uint32_t(width), uint32_t(height), 16);
        const std::vector<uint8_t> picture = PackedPicture(width, height, level, 128, 128);
        if (surface != 0) std::memcpy(VideoMemoryPointer(surface), picture.data(), picture.size());
        return surface;
    }
    IntelOverlayCalls mc_{};
    uint32_t start_ = 0;
};

TEST_F(IntelStandIn, SurfacesFollowTheScreenTightlyPacked) {
    const uint32_t a = mc_.createSurface(720, 480, 16);
    const uint32_t b = mc_.createSurface(720, 480, 16);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_EQ(start_, SimDisplayStateNow().memoryAddress);
    EXPECT_GE(a - start_, 1024u * 768u * 2u) << "after the visible screen";
    EXPECT_GE(b - a, 720u * 480u * 2u);
    uint32_t pitch = 0, address = 0;
    EXPECT_EQ(mc_.lockSurface(SurfaceHandle(a), &pitch, &address), 1440u);
    EXPECT_EQ(pitch, 1440u);
    EXPECT_EQ(address, a);
    EXPECT_EQ(mc_.createSurface(0, 480, 16), 0u);
    EXPECT_EQ(mc_.createSurface(720, 480, 12), 0u);
    EXPECT_EQ(mc_.createSurface(8192, 8192, 32), 0u) << "more than video memory holds";
}

TEST_F(IntelStandIn, LocksMustBeMatchedAndALockedSurfaceStays) {
    const uint32_t s = mc_.createSurface(64, 64, 16);
    EXPECT_EQ(mc_.unlockSurface(SurfaceHandle(s)), 0u) << "not locked";
    EXPECT_NE(mc_.lockSurface(SurfaceHandle(s), nullptr, nullptr), 0u);
    EXPECT_EQ(mc_.lockSurface(SurfaceHandle(s), nullptr, nullptr), 0u) << "locked already";
    EXPECT_EQ(SimDisplayStateNow().lockedSurfaces, 1);
    EXPECT_EQ(mc_.destroySurface(SurfaceHandle(s)), 0u) << "a locked surface is not destroyed";
    EXPECT_EQ(mc_.unlockSurface(SurfaceHandle(s)), 1u);
    EXPECT_EQ(mc_.destroySurface(SurfaceHandle(s)), 1u);
    EXPECT_EQ(mc_.destroySurface(SurfaceHandle(s)), 0u) << "gone";
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
}

TEST_F(IntelStandIn, TheOverlayShowsTheSurfaceWhereTheScreenHoldsTheKey) {
    const uint32_t s = GreySurface(64, 32, 200);
    ASSERT_EQ(mc_.initVideoOverlay(), 1u);
    ASSERT_EQ(mc_.setColourKey(kKey), 1u);
    sim_display_fill_screen(100, 50, 32, 32, kKey);  // the left half of the window is keyed
    ASSERT_EQ(mc_.updateOverlay(100, 50, 32, 64, s - start_, 32, 64, 1, 1), 1u);
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_TRUE(Grey(PixelAt(out, 100, 50), 200));
    EXPECT_TRUE(Grey(PixelAt(out, 131, 81), 200));
    EXPECT_TRUE(Grey(PixelAt(out, 132, 50), 0)) << "not keyed: the desktop shows";
    EXPECT_TRUE(Grey(PixelAt(out, 99, 50), 0)) << "outside the window";
    const SimDisplayState st = SimDisplayStateNow();
    EXPECT_EQ(st.overlayEnabled, 1);
    EXPECT_EQ(st.overlayOffset, s - start_);
    EXPECT_EQ(st.overlayWidth, 64);
    EXPECT_EQ(st.overlayHeight, 32);
    EXPECT_EQ(st.colourKey, kKey);
    EXPECT_EQ(st.keying, 1);
}

TEST_F(IntelStandIn, TheOverlayIsScaledToItsWindowAndClippedToTheScreen) {
    const uint32_t s = GreySurface(32, 16, 90);
    ASSERT_EQ(mc_.initVideoOverlay(), 1u);
    ASSERT_EQ(mc_.setColourKey(kKey), 1u);
    sim_display_fill_screen(0, 0, 1024, 768, kKey);
    // One pixel past the last one, as some callers ask.
    ASSERT_EQ(mc_.updateOverlay(1000, 760, 9, 25, s - start_, 16, 32, 1, 1), 1u);
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_TRUE(Grey(PixelAt(out, 1023, 767), 90));
    EXPECT_FALSE(Grey(PixelAt(out, 999, 767), 90)) << "left of the window: the keyed desktop";
}

TEST_F(IntelStandIn, FlipShowsTheSurfaceNamedFirst) {
    const uint32_t dark = GreySurface(16, 16, 40);
    const uint32_t light = GreySurface(16, 16, 220);
    ASSERT_EQ(mc_.initVideoOverlay(), 1u);
    ASSERT_EQ(mc_.setColourKey(kKey), 1u);
    sim_display_fill_screen(0, 0, 16, 16, kKey);
    ASSERT_EQ(mc_.updateOverlay(0, 0, 16, 16, dark - start_, 16, 16, 1, 1), 1u);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 5, 5), 40));
    ASSERT_EQ(mc_.flipOverlay(light - start_, dark - start_, 16, 16, 16, 1), 1u);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 5, 5), 220));
    EXPECT_EQ(mc_.flipOverlay(light - start_, dark - start_, 16, 16, 32, 1), 0u)
        << "only 16 bits per pixel";
    EXPECT_EQ(SimDisplayJournal().back(), "MCFlipOverlay__FUiUiUiUiUiUi " +
                                              std::to_string(light - start_) + " " +
                                              std::to_string(dark - start_) + " 16 16 32 1");
}

TEST_F(IntelStandIn, OverlayCallsNeedThePreparedOverlayAndShowingNeedsASurface) {
    const uint32_t s = GreySurface(16, 16, 40);
    EXPECT_EQ(mc_.updateOverlay(0, 0, 16, 16, s - start_, 16, 16, 1, 1), 0u);
    ASSERT_EQ(mc_.initVideoOverlay(), 1u);
    EXPECT_EQ(mc_.updateOverlay(0, 0, 16, 16, 12345, 16, 16, 1, 1), 0u) << "no surface there";
    EXPECT_EQ(mc_.updateOverlay(0, 0, 16, 16, s - start_, 17, 16, 1, 1), 0u) << "too tall";
    EXPECT_EQ(mc_.updateOverlay(0, 0, 16, 16, 0, 0, 0, 1, 0), 1u) << "hiding always works";
    EXPECT_EQ(mc_.updateOverlay(0, 0, 16, 16, s - start_, 16, 16, 0, 1), 1u);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0) << "enable 0 switches the plane off";
}

TEST_F(IntelStandIn, ColourControlsRefuseValuesOutsideTheirRanges) {
    int value = 0;
    EXPECT_EQ(mc_.getVideoProperty(2, &value), 1u);
    EXPECT_EQ(value, 64) << "contrast neutral";
    EXPECT_EQ(mc_.setVideoProperty(1, -128), 1u);
    EXPECT_EQ(mc_.setVideoProperty(1, -400), 0u);
    EXPECT_EQ(mc_.setVideoProperty(2, 256), 0u);
    EXPECT_EQ(mc_.getVideoProperty(1, &value), 1u);
    EXPECT_EQ(value, -128);
    EXPECT_EQ(mc_.setVideoProperty(3, 255), 1u);
    EXPECT_EQ(mc_.setVideoProperty(4, 64), 1u);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.brightness, -128);
    EXPECT_EQ(s.saturation, 510);
    EXPECT_EQ(s.hue, 90);
    EXPECT_EQ(mc_.setVideoProperty(5, 0), 1u);
    EXPECT_EQ(mc_.getVideoProperty(3, &value), 1u);
    EXPECT_EQ(value, 128);
    EXPECT_EQ(mc_.getVideoProperty(6, &value), 0u);
}

TEST_F(IntelStandIn, BrightnessShowsOnTheOverlay) {
    const uint32_t s = GreySurface(16, 16, 100);
    ASSERT_EQ(mc_.initVideoOverlay(), 1u);
    ASSERT_EQ(mc_.setColourKey(kKey), 1u);
    sim_display_fill_screen(0, 0, 16, 16, kKey);
    ASSERT_EQ(mc_.setVideoProperty(1, 40), 1u);
    ASSERT_EQ(mc_.updateOverlay(0, 0, 16, 16, s - start_, 16, 16, 1, 1), 1u);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 3, 3), 140));
}

TEST_F(IntelStandIn, ExitLeavesOnlyStartAndModeNumbersWorking) {
    ASSERT_EQ(mc_.initVideoOverlay(), 1u);
    ASSERT_NE(mc_.createSurface(64, 64, 16), 0u);
    ASSERT_EQ(mc_.exitLib(), 1u);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
    uint32_t w = 0, h = 0, b = 0;
    EXPECT_EQ(mc_.getCurrentModeInfo(&w, &h, &b), 0u);
    EXPECT_EQ(mc_.createSurface(64, 64, 16), 0u);
    EXPECT_EQ(mc_.getVesaModeNumber(800, 600, 16), 0x114u);
    ASSERT_EQ(mc_.initLib(), 1u);
    EXPECT_EQ(mc_.getCurrentModeInfo(&w, &h, &b), 1u);
    EXPECT_EQ(w, 1024u);
    EXPECT_EQ(mc_.updateOverlay(0, 0, 1, 1, 0, 0, 0, 1, 0), 0u) << "the overlay is prepared again";
}

TEST_F(IntelStandIn, ModesChangeUnlessASurfaceIsInTheWay) {
    const uint32_t s = mc_.createSurface(64, 64, 16);
    ASSERT_NE(s, 0u);
    EXPECT_EQ(mc_.setMode(0x11B), 0u) << "1280 x 1024 x 32 would cover the surface";
    ASSERT_EQ(mc_.setMode(0x114), 1u);
    uint32_t w = 0, h = 0, b = 0;
    ASSERT_EQ(mc_.getCurrentModeInfo(&w, &h, &b), 1u);
    EXPECT_EQ(w, 800u);
    EXPECT_EQ(h, 600u);
    EXPECT_EQ(b, 16u);
    EXPECT_EQ(mc_.setMode(0x999), 0u);
    sim_display_fail_kind(SIM_DISPLAY_FAULT_MODE, 0, 1);
    EXPECT_EQ(mc_.setMode(0x117), 0u);
    EXPECT_EQ(SimDisplayStateNow().width, 800);
}

TEST_F(IntelStandIn, TelevisionOutputNeedsAConnectorAndShowsColourBars) {
    EXPECT_EQ(mc_.tvConnector(), 1u);
    EXPECT_EQ(mc_.tvColourBarTest(1), 0u) << "television output is off";
    ASSERT_EQ(mc_.tvOnOff(1), 1u);
    EXPECT_EQ(SimDisplayStateNow().tvOutput, 1);
    ASSERT_EQ(mc_.tvColourBarTest(1), 1u);
    const SimScanOut bars = SimDisplayScanOut();
    EXPECT_TRUE(Grey(PixelAt(bars, 10, 10), 255));
    EXPECT_TRUE(Grey(PixelAt(bars, 1020, 10), 0));
    ASSERT_EQ(mc_.tvOnOff(0), 1u);
    EXPECT_EQ(SimDisplayStateNow().colourBars, 0);
    sim_display_set_tv_connector(0);
    EXPECT_EQ(mc_.tvOnOff(1), 0u);
    sim_display_set_tv_connector(2);
    sim_display_fail_kind(SIM_DISPLAY_FAULT_TVOUT, 0, 1);
    EXPECT_EQ(mc_.tvOnOff(1), 0u);
    EXPECT_EQ(mc_.tvOnOff(1), 1u);
}

TEST_F(IntelStandIn, FillsAndBlitsWorkOnTheScreenAndOnSurfaces) {
    const uint32_t white = sim_display_pixel_of(255, 255, 255);
    // Position words: x in the low half, y in the high half.
    ASSERT_EQ(mc_.fillRectangle(0, 10 + (20u << 16), 4, 8, white, 16), 1u);
    EXPECT_EQ(sim_display_screen_pixel(17, 23), white);
    EXPECT_EQ(sim_display_screen_pixel(18, 23), 0u);
    EXPECT_EQ(mc_.fillRectangle(0, 0, 4, 4, white, 32), 0u) << "the screen is 16 bits";
    const uint32_t s = mc_.createSurface(16, 16, 16);
    ASSERT_EQ(mc_.bitBlt(s - start_, 2 + (3u << 16), 0, 10 + (20u << 16), 4, 8, 16, 0xCC), 1u);
    uint16_t pixel = 0;
    std::memcpy(&pixel, VideoMemoryPointer(s) + 3 * 32 + 2 * 2, 2);
    EXPECT_EQ(pixel, white);
    EXPECT_EQ(mc_.bitBlt(0, 0, 0, 0, 1, 1, 16, 0x66), 0u) << "source copy only";
    EXPECT_EQ(SimDisplayJournal()[1],
              "MCFillRectangleAreaWithSolidColor__FUiUiUiUiUiUi 0 1310730 4 8 65535 16");
}

TEST_F(IntelStandIn, SurfacesOfAnotherLibraryAreUnknown) {
    CVendorLibrary other;
    IntelOverlayCalls i865{};
    ASSERT_EQ(BindVendorCalls(&other, IntelOverlayLibrary(false), &i865), VendorBind::kBound);
    const uint32_t s = i865.createSurface(16, 16, 16);
    ASSERT_NE(s, 0u);
    EXPECT_EQ(mc_.destroySurface(SurfaceHandle(s)), 0u);
    EXPECT_EQ(i865.destroySurface(SurfaceHandle(s)), 1u);
}

}  // namespace
