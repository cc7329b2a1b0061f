// Live video through the SiS and S3 Twister overlays end to end: the renderer
// choice finds the controller and its library, prints its line, and the
// simulated monitor shows the station's picture in the host's window (planar
// for SiS, packed for S3) as the frame-buffer path shows the same frame; a
// library that fails falls back to the frame buffer.
#include <cstring>

#include "tests/video/directplay/overlay_machine.h"

namespace {

using overlaytest::kFrameHeight;
using overlaytest::kFrameWidth;
using overlaytest::kLeft;
using overlaytest::kTop;
using overlaytest::OverlayMachine;

// The first `lines` rows of a window-sized RGB picture stretched over the
// window's height, each row taken from the nearest source row above it.
std::vector<uint8_t> StretchedLines(const std::vector<uint8_t>& rgb, int lines) {
    const size_t row = size_t(kFrameWidth) * 3;
    std::vector<uint8_t> out;
    for (int y = 0; y < kFrameHeight; ++y) {
        const size_t from = size_t(int64_t(y) * lines / kFrameHeight);
        out.insert(out.end(), rgb.begin() + from * row, rgb.begin() + (from + 1) * row);
    }
    return out;
}

constexpr char kFrameBufferLine[] = "Warning: No supported driver. Using Frame buffer (RGB)\n";

class OverlaySis : public OverlayMachine {
  protected:
    void SetUp() override {
        OverlayMachine::SetUp();
        Machine(0x1039, 0x6325);
    }
};

TEST_F(OverlaySis, ShowsTheStationInThePlanarWindowAsTheFrameBufferWould) {
    EXPECT_EQ(Start(), "Using SIS renderer\n");
    EXPECT_EQ(PaintDesktopAndWindow(), 0x0821u);
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 1);
    EXPECT_EQ(s.overlayPlanar, 1);
    EXPECT_EQ(s.overlaySourceWidth, kFrameWidth);
    EXPECT_EQ(s.overlaySourceHeight, kFrameHeight) << "the window was made for the frame";
    EXPECT_EQ(s.overlayLeft, kLeft);
    EXPECT_EQ(s.overlayTop, kTop);
    EXPECT_EQ(s.overlayWidth, kFrameWidth);
    EXPECT_EQ(s.overlayHeight, kFrameHeight);
    EXPECT_EQ(sim_display_journal_count("Linux_VideoFlip"), 1);
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_EQ(out.At(kLeft - 1, kTop)[2], 165) << "the desktop beside the window";
    const std::vector<int> overlay = BlockMeans(WindowOf(out));
    const std::vector<int> frameBuffer = BlockMeans(FrameBufferPicture());
    const auto range = std::minmax_element(overlay.begin(), overlay.end());
    EXPECT_GT(*range.second - *range.first, 60) << "a picture, not a plain colour";
    EXPECT_LE(LargestDifference(overlay, frameBuffer), 6);
}

TEST_F(OverlaySis, AWindowThatCannotBeMadeAtOpenFallsBackToTheFrameBuffer) {
    sim_display_fail("Linux_SetVideoWindow", 1, 0, 1);
    EXPECT_EQ(Start(), kFrameBufferLine);
    EXPECT_EQ(sim_display_library_loaded("libdv.so"), 0) << "closed again";
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0) << "nothing of the window is left";
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

TEST_F(OverlaySis, StopReleasesTheWindowAndTheLibrary) {
    EXPECT_EQ(Start(), "Using SIS renderer\n");
    ASSERT_EQ(sim_tuner_deliver_frames(2), 2);
    ASSERT_EQ(ZAQ_DirectPlayStop(handle_), 0);
    EXPECT_EQ(sim_display_library_loaded("libdv.so"), 0);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

class OverlayS3 : public OverlayMachine {
  protected:
    void SetUp() override {
        OverlayMachine::SetUp();
        Machine(0x5333, 0x8D04);
    }
};

TEST_F(OverlayS3, ShowsTheStationInThePackedOverlayAsTheFrameBufferWould) {
    EXPECT_EQ(Start(), "Using S3 Twister renderer\n");
    EXPECT_EQ(PaintDesktopAndWindow(), 0x0821u);
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 1);
    EXPECT_EQ(s.overlayPlanar, 0);
    EXPECT_EQ(s.overlaySourceWidth, kFrameWidth);
    EXPECT_EQ(s.overlaySourceHeight, kFrameHeight - 1) << "surfaces one line short";
    EXPECT_EQ(s.overlayLeft, kLeft);
    EXPECT_EQ(s.overlayHeight, kFrameHeight);
    EXPECT_EQ(sim_display_journal_count("FlipOverlay__FUiUiUiUiUiUi"), 1);
    EXPECT_EQ(sim_display_journal_count("FillRectangleAreaWithSolidColor__FUiUiUiUiUiUi"), 1)
        << "the colour key painted once";
    const std::vector<int> overlay = BlockMeans(WindowOf(SimDisplayScanOut()));
    const auto range = std::minmax_element(overlay.begin(), overlay.end());
    EXPECT_GT(*range.second - *range.first, 60) << "a picture, not a plain colour";
    // The overlay's 479 lines fill the window's 480: the frame-buffer picture
    // of the same frame, stretched the same way (nearest line), to compare with.
    const std::vector<int> frameBuffer =
        BlockMeans(StretchedLines(FrameBufferPicture(), kFrameHeight - 1));
    EXPECT_LE(LargestDifference(overlay, frameBuffer), 6);
}

TEST_F(OverlayS3, WithoutTheLibraryTheFrameBufferShowsThePicture) {
    ASSERT_EQ(unlink((root_ + "/vendor/usr/lib/libs3g.so").c_str()), 0);
    EXPECT_EQ(Start(), kFrameBufferLine);
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    const SimScanOut out = SimDisplayScanOut();
    const unsigned char* centre = out.At(512, 384);
    EXPECT_GT(centre[0] + centre[1] + centre[2], 0) << "the frame buffer drew the picture";
}

TEST_F(OverlayS3, ALibraryLackingOneNameFallsBackWithOnlyTheWarning) {
    ASSERT_EQ(sim_display_install_library((root_ + "/vendor").c_str(), "/usr/lib", "libs3g.so",
                                          "InitLib__Fv"),
              0);
    EXPECT_EQ(Start(), kFrameBufferLine);
    EXPECT_EQ(sim_display_library_loaded("libs3g.so"), 0) << "closed again";
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

TEST_F(OverlayS3, CaptureGivesTheFullFrame) {
    EXPECT_EQ(Start(), "Using S3 Twister renderer\n");
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    const int bytes = ZMP_FRAMECAPTURE(24, nullptr, 0);
    EXPECT_EQ(bytes, kFrameWidth * kFrameHeight * 3 + 72);
    std::vector<uint8_t> bitmap(size_t(bytes > 0 ? bytes : 0));
    ASSERT_EQ(ZMP_FRAMECAPTURE(24, bitmap.data(), 0), 0);
    int32_t height = 0;
    std::memcpy(&height, bitmap.data() + 8, 4);
    EXPECT_EQ(height, kFrameHeight);
}

}  // namespace
