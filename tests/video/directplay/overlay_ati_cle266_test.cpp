// Live video on machines with ATI and with CLE266-family graphics, end to
// end: the choice prints the renderer's line, the simulated monitor shows
// the station where the host painted the colour key as the frame-buffer path
// shows the same frame, and a broken vendor library falls back to the frame
// buffer with the lines a user sees.
#include <unistd.h>

#include "tests/video/directplay/overlay_machine.h"

namespace {

using overlaytest::kFrameHeight;
using overlaytest::kFrameWidth;
using overlaytest::kLeft;
using overlaytest::kTop;
using overlaytest::OverlayMachine;

const char kWarning[] = "Warning: No supported driver. Using Frame buffer (RGB)\n";

std::string PidLine() {
    return "\nVrln pid: " + std::to_string(getpid()) + "\n";
}

class AtiVideo : public OverlayMachine {};

TEST_F(AtiVideo, ShowsTheStationWhereTheKeyIsAsTheFrameBufferWould) {
    Machine(0x1002, 0x5157);
    EXPECT_EQ(Start(), PidLine() + "Using ATI MX renderer\n");
    EXPECT_EQ(PaintDesktopAndWindow(), 0x010101u);
    ASSERT_EQ(sim_tuner_deliver_frames(2), 2);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 1);
    EXPECT_EQ(s.overlayPlanar, 1) << "planar 4:2:0 from the packed frames";
    EXPECT_EQ(s.overlaySourceWidth, kFrameWidth);
    EXPECT_EQ(s.overlayLeft, kLeft);
    EXPECT_EQ(s.overlayTop, kTop);
    EXPECT_EQ(s.overlayWidth, kFrameWidth);
    EXPECT_EQ(s.overlayHeight, kFrameHeight);
    EXPECT_EQ(sim_display_journal_count("RadeonOverlayFlip"), 2);
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_EQ(out.At(kLeft - 1, kTop)[2], 165) << "the desktop beside the window";
    const std::vector<int> overlay = BlockMeans(WindowOf(out));
    EXPECT_TRUE(APicture(overlay)) << "a picture, not a plain colour";
    EXPECT_LE(LargestDifference(overlay, BlockMeans(FrameBufferPicture())), 6);
}

TEST_F(AtiVideo, TheLibraryIsFoundUnderTheSecondPath) {
    Machine(0x1002, 0x4C59, "/usr/local/lib");
    EXPECT_EQ(Start(), PidLine() + "Using ATI MX renderer\n");
    PaintDesktopAndWindow();
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 1);
}

TEST_F(AtiVideo, ALibraryLackingOneNameFallsBackWithOnlyTheWarning) {
    Machine(0x1002, 0x5157);
    ASSERT_EQ(sim_display_install_library(VendorRoot().c_str(), "/usr/lib", "libradeonov.so",
                                          "RadeonRestoreMode"),
              0);
    EXPECT_EQ(Start(), kWarning);
    EXPECT_EQ(sim_display_library_loaded("libradeonov.so"), 0) << "closed again";
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
    const SimScanOut out = SimDisplayScanOut();
    const unsigned char* centre = out.At(512, 384);
    EXPECT_GT(centre[0] + centre[1] + centre[2], 0) << "the frame buffer drew the picture";
}

TEST_F(AtiVideo, AFailingModeQueryFallsBackAfterThePidLine) {
    Machine(0x1002, 0x5157);
    sim_display_fail_kind(SIM_DISPLAY_FAULT_MODE, 0, -1);
    EXPECT_EQ(Start(), PidLine() + kWarning);
    EXPECT_EQ(sim_display_library_loaded("libradeonov.so"), 0);
}

TEST_F(AtiVideo, StopHidesTheOverlayAndClosesTheLibrary) {
    Machine(0x1002, 0x5157);
    Start();
    ASSERT_EQ(sim_tuner_deliver_frames(2), 2);
    EXPECT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(118, 0), 0);
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    EXPECT_EQ(sim_display_journal_count("RadeonOverlayFlip"), 2) << "suspended: frame dropped";
    EXPECT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(119, 0), 0);
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    EXPECT_EQ(sim_display_journal_count("RadeonOverlayFlip"), 3);
    Stop();
    EXPECT_EQ(sim_display_library_loaded("libradeonov.so"), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

class Cle266Video : public OverlayMachine {};

TEST_F(Cle266Video, EveryFamilyCodeShowsTheStationAsTheFrameBufferWould) {
    struct Chip {
        int vendor, device;
    };
    for (const Chip chip : {Chip{0x16A9, 0x5901}, Chip{0x1106, 0x3122}, Chip{0x1106, 0x7205},
                            Chip{0x1106, 0x3118}, Chip{0x1106, 0x3108}}) {
        SCOPED_TRACE(std::to_string(chip.device));
        setenv("MIROVA_FBDEV", sim_display_memory_path(), 1);
        setenv("MIROVA_FBGEOMETRY", "1024x768x16", 1);
        sim_display_reset();
        Machine(chip.vendor, chip.device);
        EXPECT_EQ(Start(), "CVRLNCLE266::Open return success\nUsing CLE266 renderer\n");
        EXPECT_EQ(PaintDesktopAndWindow(), 0xFFFFFFFFu);
        ASSERT_EQ(sim_tuner_deliver_frames(2), 2);
        const SimDisplayState s = SimDisplayStateNow();
        EXPECT_EQ(s.overlayEnabled, 1);
        EXPECT_EQ(s.overlayPlanar, 0) << "packed 4:2:2";
        EXPECT_EQ(s.overlayLeft, kLeft);
        EXPECT_EQ(s.overlayWidth, kFrameWidth);
        EXPECT_EQ(s.keying, 1);
        EXPECT_EQ(sim_display_journal_count("VIADriverProc 7"), 2);
        const SimScanOut out = SimDisplayScanOut();
        EXPECT_EQ(out.At(kLeft + kFrameWidth, kTop)[2], 165) << "the desktop beside the window";
        const std::vector<int> overlay = BlockMeans(WindowOf(out));
        EXPECT_TRUE(APicture(overlay));
        EXPECT_LE(LargestDifference(overlay, BlockMeans(FrameBufferPicture())), 6);
        Stop();
    }
}

TEST_F(Cle266Video, AMissingLibraryPrintsItsErrorThenTheWarning) {
    Machine(0x1106, 0x3122);
    ASSERT_EQ(unlink((VendorRoot() + "/usr/lib/libddmpeg.so").c_str()), 0);
    EXPECT_EQ(Start(), std::string("Error: Dynamic load library libddmpeg.so error.\n") + kWarning);
}

TEST_F(Cle266Video, AMissingEntryPointPrintsItsErrorThenTheWarning) {
    Machine(0x1106, 0x3122);
    ASSERT_EQ(sim_display_install_library(VendorRoot().c_str(), "/usr/lib", "libddmpeg.so",
                                          "VIADriverProc"),
              0);
    EXPECT_EQ(Start(), std::string("Error: Can't load symbol in libddmpeg.so.\n") + kWarning);
    EXPECT_EQ(sim_display_library_loaded("libddmpeg.so"), 0) << "closed again";
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

TEST_F(Cle266Video, AFailingDriverStartDropsFramesAndStopReleasesEverything) {
    Machine(0x1106, 0x7205);
    sim_display_fail_kind(SIM_DISPLAY_FAULT_INIT, 0, 1);
    EXPECT_EQ(Start(), "CVRLNCLE266::Open return success\nUsing CLE266 renderer\n");
    ASSERT_EQ(sim_tuner_deliver_frames(2), 2);
    EXPECT_EQ(sim_display_journal_count("VIADriverProc 4"), 0) << "nothing written";
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
    Stop();
    EXPECT_EQ(sim_display_library_loaded("libddmpeg.so"), 0);
}

}  // namespace
