// Live video through the Intel overlay path end to end: the simulated tuner
// starts direct play in libmirova, the renderer choice finds the display
// controller on a PCI tree and its vendor library through the seam, and the
// simulated monitor shows the station's picture where the host painted the
// colour key, as the frame-buffer path shows the same frame.
#include "tests/video/directplay/overlay_video_fixture.h"

namespace {

using overlaytest::kFrameWidth;
using overlaytest::kLeft;
using overlaytest::kTop;
using overlaytest::OverlayVideo;

TEST_F(OverlayVideo, The915GShowsTheStationWhereTheKeyIsAsTheFrameBufferWould) {
    Machine(0x8086, 0x2582);
    EXPECT_EQ(Start(), "Using Intel 915G renderer\n");
    PaintDesktopAndWindow();
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 1);
    EXPECT_EQ(s.overlaySourceWidth, kFrameWidth);
    EXPECT_EQ(s.overlayLeft, kLeft);
    EXPECT_EQ(s.overlayWidth, kFrameWidth);
    EXPECT_EQ(sim_display_journal_count("MCFlipOverlay__FUiUiUiUiUiUi"), 1);
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_EQ(out.At(kLeft - 1, kTop)[2], 165) << "the desktop beside the window";
    const std::vector<int> overlay = BlockMeans(WindowOf(out));
    const std::vector<int> frameBuffer = BlockMeans(FrameBufferPicture());
    const auto range = std::minmax_element(overlay.begin(), overlay.end());
    EXPECT_GT(*range.second - *range.first, 60) << "a picture, not a plain colour";
    EXPECT_LE(LargestDifference(overlay, frameBuffer), 6);
}

TEST_F(OverlayVideo, The865GShowsTheStationToo) {
    Machine(0x8086, 0x2572);
    EXPECT_EQ(Start(), "Using Intel 865G renderer\n");
    PaintDesktopAndWindow();
    ASSERT_EQ(sim_tuner_deliver_frames(3), 3);
    EXPECT_EQ(sim_display_journal_count("MCFlipOverlay__FUiUiUiUiUiUi"), 3);
    EXPECT_EQ(sim_display_library_loaded("libI865G.so"), 1);
    const std::vector<int> overlay = BlockMeans(WindowOf(SimDisplayScanOut()));
    EXPECT_LE(LargestDifference(overlay, BlockMeans(FrameBufferPicture())), 6);
}

TEST_F(OverlayVideo, The915GLibraryIsFoundUnderTheSecondPath) {
    Machine(0x8086, 0x2582, "/usr/local/lib");
    EXPECT_EQ(Start(), "Using Intel 915G renderer\n");
    PaintDesktopAndWindow();
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 1);
    const std::vector<int> overlay = BlockMeans(WindowOf(SimDisplayScanOut()));
    EXPECT_LE(LargestDifference(overlay, BlockMeans(FrameBufferPicture())), 6);
}

TEST_F(OverlayVideo, ALibraryLackingOneNameFallsBackToTheFrameBufferWithOnlyItsWarning) {
    Machine(0x8086, 0x2582);
    ASSERT_EQ(sim_display_install_library((root_ + "/vendor").c_str(), "/usr/lib", "libI915G.so",
                                          "MCGetVesaModeNumber__FUiUiUi"),
              0);
    EXPECT_EQ(Start(), "Warning: No supported driver. Using Frame buffer (RGB)\n");
    EXPECT_EQ(sim_display_library_loaded("libI915G.so"), 0) << "closed again";
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 0);
    const SimScanOut out = SimDisplayScanOut();
    const unsigned char* centre = out.At(512, 384);
    EXPECT_GT(centre[0] + centre[1] + centre[2], 0) << "the frame buffer drew the picture";
}

TEST_F(OverlayVideo, AFailingOverlayStartFallsBackToTheFrameBuffer) {
    Machine(0x8086, 0x2582);
    sim_display_fail_kind(SIM_DISPLAY_FAULT_INIT, 0, 1);
    EXPECT_EQ(Start(), "Warning: No supported driver. Using Frame buffer (RGB)\n");
    int key = 0;
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(25, &key), int(0x80000008u))
        << "the frame buffer has no colour key";
}

TEST_F(OverlayVideo, StopClosesTheVendorLibrary) {
    Machine(0x8086, 0x2582);
    EXPECT_EQ(Start(), "Using Intel 915G renderer\n");
    ASSERT_EQ(sim_tuner_deliver_frames(2), 2);
    EXPECT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(118, 0), 0);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0) << "suspended through the key table";
    EXPECT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(119, 0), 0);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 3);
    ASSERT_EQ(ZAQ_DirectPlayStop(handle_), 0);
    EXPECT_EQ(sim_display_library_loaded("libI915G.so"), 0);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

}  // namespace
