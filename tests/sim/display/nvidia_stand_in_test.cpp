// The NVIDIA stand-in: starting the library and its output, frames placed by
// source, zoom, offset, destination and letterbox, the colour configuration
// and the on-screen display.
#include <gmock/gmock.h>

#include <cmath>
#include <vector>

#include "tests/sim/display/display_fixture.h"
#include "video/render/vendor/nvidia_calls.h"

namespace {

using displaytest::Grey;
using displaytest::PackedPicture;
using displaytest::PixelAt;
using displaytest::StandInTest;

constexpr NvConfVideo kFill = {0, 0, 0, 5, 0, 0, 0, 0, 0, 1, 1};

class NvidiaStandIn : public StandInTest {
  protected:
    void SetUp() override {
        StandInTest::SetUp();
        ASSERT_EQ(BindNvidiaCalls(&library_, &nv_), VendorBind::kBound);
        sim_display_journal_clear();
    }
    void StartOutput(unsigned width, unsigned height) {
        ASSERT_EQ(nv_.init(kNvOutputMonitor, kNvMonitorMultisync, width, height, 60, kNvAspect4x3),
                  0);
    }
    // A frame whose left half is dark and right half light.
    static std::vector<uint8_t> Halves(int width, int height) {
        std::vector<uint8_t> f = PackedPicture(width, height, 40, 128, 128);
        for (int y = 0; y < height; ++y)
            for (int x = width / 2; x < width; ++x) f[size_t(y) * width * 2 + x * 2] = 220;
        return f;
    }
    NvidiaVideoCalls nv_{};
};

TEST_F(NvidiaStandIn, BindingStartsTheLibraryAndARefusedStartFailsTheBinding) {
    library_.Close();
    sim_display_fail_next("_Z9NvInitDllv", -3);
    NvidiaVideoCalls calls{};
    EXPECT_EQ(BindNvidiaCalls(&library_, &calls), VendorBind::kInitFailed);
    EXPECT_FALSE(library_.Loaded()) << "the binding is dropped";
    EXPECT_EQ(calls.initDll, nullptr);
    EXPECT_EQ(sim_display_library_loaded("libNVDLL.so"), 0);
}

TEST_F(NvidiaStandIn, InitRefusesAnOutputOfNoSizeOrWithoutAMode) {
    EXPECT_LT(nv_.init(kNvOutputMonitor, kNvMonitorMultisync, 0, 0, 60, kNvAspect4x3), 0);
    EXPECT_LT(nv_.init(kNvOutputMonitor, kNvMonitorMultisync, 1000, 700, 60, kNvAspect4x3), 0);
    EXPECT_LT(nv_.init(kNvOutputNone, kNvMonitorMultisync, 1024, 768, 60, kNvAspect4x3), 0);
    ASSERT_EQ(nv_.init(kNvOutputMonitor, kNvMonitorMultisync, 1280, 768, 60, kNvAspect16x9), 0);
    EXPECT_EQ(SimDisplayStateNow().width, 1280);
    EXPECT_EQ(SimDisplayJournal()[3],
              "_Z8NvMMInit12NvOutputMode13NvMonitorModejjj13NvAspectRatio 1 3 1280 768 60 1");
    const char* library = nullptr;
    const char* driver = nullptr;
    EXPECT_EQ(nv_.getVersion(&library, &driver), 0);
    EXPECT_NE(library, nullptr);
}

TEST_F(NvidiaStandIn, FramesNeedAnOutputAndASourceAndAreNotNull) {
    const std::vector<uint8_t> frame = PackedPicture(64, 48, 100, 128, 128);
    EXPECT_LT(nv_.videoFrame(frame.data(), kNvProgressive), 0);
    StartOutput(800, 600);
    EXPECT_LT(nv_.videoFrame(frame.data(), kNvProgressive), 0) << "no source rectangle";
    ASSERT_EQ(nv_.setSource(NvRect{0, 0, 64, 48}), 0);
    EXPECT_LT(nv_.videoFrame(nullptr, kNvProgressive), 0);
    EXPECT_LT(nv_.videoFrame(frame.data(), NvPictureFormat(3)), 0);
    EXPECT_EQ(nv_.videoFrame(frame.data(), kNvProgressive), 0);
}

TEST_F(NvidiaStandIn, AFrameFillsTheDestinationWithoutAKey) {
    StartOutput(800, 600);
    ASSERT_EQ(nv_.setConfVideo(kFill), 0);
    ASSERT_EQ(nv_.setSource(NvRect{0, 0, 64, 48}), 0);
    const std::vector<uint8_t> frame = Halves(64, 48);
    ASSERT_EQ(nv_.videoFrame(frame.data(), kNvProgressive), 0);
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_TRUE(Grey(PixelAt(out, 10, 300), 40));
    EXPECT_TRUE(Grey(PixelAt(out, 790, 300), 220));
    EXPECT_EQ(SimDisplayStateNow().keying, 0);
    ASSERT_EQ(nv_.videoEnd(), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

TEST_F(NvidiaStandIn, ZoomShowsTheCentredPartAndBlackOutsideTheFrame) {
    StartOutput(800, 600);
    ASSERT_EQ(nv_.setConfVideo(kFill), 0);
    ASSERT_EQ(nv_.setSource(NvRect{0, 0, 720, 480}), 0);
    ASSERT_EQ(nv_.setZoomXY(1.125f, 1.0f), 0);
    ASSERT_EQ(nv_.videoFrame(Halves(720, 480).data(), kNvProgressive), 0);
    SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.cropWidth, 640);
    EXPECT_EQ(s.cropX, 40);
    ASSERT_EQ(nv_.setZoom(0.5f), 0);
    s = SimDisplayStateNow();
    EXPECT_EQ(s.cropWidth, 1440);
    EXPECT_EQ(s.cropX, -360);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 10, 300), 0)) << "outside the frame is black";
    EXPECT_LT(nv_.setZoomXY(0.0f, 1.0f), 0);
    EXPECT_LT(nv_.setZoom(NAN), 0);
    ASSERT_EQ(nv_.setZoom(1.0f), 0);
    ASSERT_EQ(nv_.setOffset(100, 0), 0);
    EXPECT_EQ(SimDisplayStateNow().cropX, 100);
}

TEST_F(NvidiaStandIn, LetterboxModeOneTakesThreeQuartersWhileTheStateIsSet) {
    StartOutput(800, 600);
    NvConfVideo c = kFill;
    c.verticalMode = 1;
    ASSERT_EQ(nv_.setConfVideo(c), 0);
    ASSERT_EQ(nv_.setSource(NvRect{0, 0, 64, 48}), 0);
    ASSERT_EQ(nv_.videoFrame(Halves(64, 48).data(), kNvProgressive), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayHeight, 600) << "state 0: the axis is filled";
    c.letterboxState = 1;
    ASSERT_EQ(nv_.setConfVideo(c), 0);
    SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayHeight, 450);
    EXPECT_EQ(s.overlayTop, 75);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 400, 10), 0)) << "a black bar";
    c.verticalMode = 2;
    ASSERT_EQ(nv_.setConfVideo(c), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayHeight, 600);
}

TEST_F(NvidiaStandIn, TheDestinationPlacesTheVideoOverTheDesktop) {
    StartOutput(800, 600);
    sim_display_fill_screen(0, 0, 800, 600, sim_display_pixel_of(0, 0, 255));
    ASSERT_EQ(nv_.setConfVideo(kFill), 0);
    ASSERT_EQ(nv_.setDestination(NvRect{100, 100, 420, 340}), 0);
    EXPECT_LT(nv_.setDestination(NvRect{100, 100, 100, 340}), 0);
    ASSERT_EQ(nv_.setSource(NvRect{0, 0, 64, 48}), 0);
    ASSERT_EQ(nv_.videoFrame(Halves(64, 48).data(), kNvProgressive), 0);
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_EQ(PixelAt(out, 99, 200).b, 255) << "the desktop";
    EXPECT_TRUE(Grey(PixelAt(out, 100, 200), 40));
    EXPECT_TRUE(Grey(PixelAt(out, 419, 200), 220));
    EXPECT_EQ(PixelAt(out, 420, 200).b, 255);
}

TEST_F(NvidiaStandIn, ColourConfigurationAppliesWhenEnabled) {
    StartOutput(800, 600);
    NvConfColor colour{0.25f, 1.0f, 1.0f, 0.0f, 1, 1.0f, 1.0f, 1.0f};
    ASSERT_EQ(nv_.setConfColor(colour), 0);
    ASSERT_EQ(nv_.setConfVideo(kFill), 0);
    ASSERT_EQ(nv_.setSource(NvRect{0, 0, 64, 48}), 0);
    ASSERT_EQ(nv_.videoFrame(PackedPicture(64, 48, 100, 128, 128).data(), kNvProgressive), 0);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 400, 300), 132));
    colour.enabled = 0;
    ASSERT_EQ(nv_.setConfColor(colour), 0);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 400, 300), 100));
    colour.gammaRed = 0.0f;
    EXPECT_LT(nv_.setConfColor(colour), 0);
    EXPECT_EQ(SimDisplayJournal()[1], "_Z20NvIVideoSetConfColorRK11NvConfColor 0.25 1 1 0 1 1 1 1");
}

TEST_F(NvidiaStandIn, TheOnScreenDisplayLiesOverTheWholeOutput) {
    StartOutput(800, 600);
    void* screen = nullptr;
    ASSERT_EQ(nv_.osdCreateScreen(&screen, 80, 60, 1.0f), 0);
    void* region = nullptr;
    ASSERT_EQ(nv_.screenCreateRegion(screen, &region, 40, 30, 40, 30), 0);
    EXPECT_LT(nv_.screenCreateRegion(screen, &region, 70, 30, 40, 30), 0) << "outside the screen";
    ASSERT_EQ(nv_.regionClear(screen, region, 0, 0, 100, 100, 0xFFFF0000u), 0);  // clipped
    ASSERT_EQ(nv_.screenDisplay(screen), 0);
    EXPECT_EQ(SimDisplayStateNow().osdShown, 1);
    SimScanOut out = SimDisplayScanOut();
    EXPECT_EQ(PixelAt(out, 700, 500).r, 255) << "the region, scaled to the output";
    EXPECT_TRUE(Grey(PixelAt(out, 300, 200), 0)) << "transparent elsewhere";
    ASSERT_EQ(nv_.screenSetBlend(screen, 128, kNvBlendConstant, kNvBlendOneMinusConstant), 0);
    out = SimDisplayScanOut();
    EXPECT_NEAR(PixelAt(out, 700, 500).r, 128, 1);
    const uint8_t green[4] = {0, 255, 0, 255};
    ASSERT_EQ(nv_.screenDrawRegion(screen, 0, 0, 1, 1, reinterpret_cast<const char*>(green)), 0);
    ASSERT_EQ(nv_.screenSetBlend(screen, 0, kNvBlendPixelAlpha, kNvBlendOneMinusPixelAlpha), 0);
    EXPECT_EQ(PixelAt(SimDisplayScanOut(), 5, 5).g, 255);
    EXPECT_LT(nv_.screenDisplay(reinterpret_cast<void*>(0x1234)), 0) << "not a screen";
    ASSERT_EQ(nv_.exitDll(), 0);
    EXPECT_EQ(SimDisplayStateNow().osdShown, 0);
}

TEST_F(NvidiaStandIn, CaptionWordsAreKept) {
    const unsigned short words[2] = {0x1420, 0x142C};
    EXPECT_EQ(nv_.setLine21Data(words, 2, false), 0);
    EXPECT_LT(nv_.setLine21Data(nullptr, 2, false), 0);
    EXPECT_EQ(SimDisplayJournal()[0], "_Z21NvIVideoSetLine21DataPKtjb 2 0");
}

}  // namespace
