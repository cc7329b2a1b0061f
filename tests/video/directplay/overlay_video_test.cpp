// Live video through the Intel overlay path end to end: the simulated tuner
// starts direct play in libmirova, the renderer choice finds the display
// controller on a PCI tree and its vendor library through the seam, and the
// simulated monitor shows the station's picture where the host painted the
// colour key, as the frame-buffer path shows the same frame.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "interfaces/tuner_service.h"
#include "sim/display/sim_display.h"
#include "sim/tuner/sim_tuner.h"
#include "video/directplay/direct_play_api.h"

namespace {

constexpr int kFrameWidth = 720, kFrameHeight = 480;
constexpr int kLeft = 100, kTop = 50;
constexpr int kBlock = 16;

class OverlayVideo : public ::testing::Test {
  protected:
    void SetUp() override {
        char root[] = "/tmp/mirova_overlay_XXXXXX";
        ASSERT_NE(mkdtemp(root), nullptr);
        root_ = root;
        setenv("MIROVA_PCI_ROOT", (root_ + "/pci").c_str(), 1);
        setenv("MIROVA_VENDOR_ROOT", (root_ + "/vendor").c_str(), 1);
        // A fallback to the frame buffer draws onto the simulated screen.
        setenv("MIROVA_FBDEV", sim_display_memory_path(), 1);
        setenv("MIROVA_FBGEOMETRY", "1024x768x16", 1);
        sim_display_reset();
        sim_tuner_reset();
        sim_tuner_set_event_interval(0);
        sim_tuner_set_manual_clock(1);
        ASSERT_EQ(ZAQ_Init(&handle_), 0);
        ASSERT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_TV), 0);
        TuneFirstStation();
    }
    void TearDown() override {
        sim_tuner_reset();
        ZMP_STOPDIRECTPLAY();
        sim_display_reset();
        for (const char* name :
             {"MIROVA_PCI_ROOT", "MIROVA_VENDOR_ROOT", "MIROVA_FBDEV", "MIROVA_FBGEOMETRY"})
            unsetenv(name);
        ASSERT_EQ(std::system(("rm -rf " + root_).c_str()), 0);
    }
    void TuneFirstStation() {
        for (int slot = 0; slot < 200; ++slot) {
            SimTvStationInfo info{};
            if (sim_tuner_tv_station(slot, &info) == 0 && info.hasStation) {
                ASSERT_EQ(ZAQ_SelectChannel(handle_, slot, info.bestOffset), 0);
                return;
            }
        }
        FAIL() << "no station in the channel table";
    }
    void Machine(int vendor, int device, const char* folder = "/usr/lib") {
        ASSERT_EQ(sim_display_write_pci_tree((root_ + "/pci").c_str(), vendor, device), 0);
        ASSERT_EQ(sim_display_install_all((root_ + "/vendor").c_str(), folder), 0);
    }
    // Starts live video in the host's window and returns what was printed.
    std::string Start() {
        ZaqRect rect{kLeft, kTop, kLeft + kFrameWidth - 1, kTop + kFrameHeight - 1};
        testing::internal::CaptureStdout();
        EXPECT_EQ(ZAQ_DirectPlayStart(handle_, ZAQ_VIDEO_WINDOW, &rect), 0);
        return testing::internal::GetCapturedStdout();
    }
    // What a host does: the desktop in one colour, its video window in the
    // overlay's colour key.
    void PaintDesktopAndWindow() {
        sim_display_fill_screen(0, 0, 1024, 768, sim_display_pixel_of(0, 0, 160));
        int key = 0;
        ASSERT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(25, &key), 0);
        EXPECT_EQ(key, 0x0821);
        sim_display_fill_screen(kLeft, kTop, kFrameWidth, kFrameHeight, uint32_t(key));
    }
    // The picture in the window, as RGB rows.
    static std::vector<uint8_t> WindowOf(const SimScanOut& s) {
        std::vector<uint8_t> rgb;
        for (int y = kTop; y < kTop + kFrameHeight; ++y)
            rgb.insert(rgb.end(), s.At(kLeft, y), s.At(kLeft, y) + kFrameWidth * 3);
        return rgb;
    }
    // The same frame through the frame-buffer path, on a screen of the frame's
    // size (so the picture is not scaled), as RGB rows.
    std::vector<uint8_t> FrameBufferPicture() {
        EXPECT_EQ(ZAQ_DirectPlayStop(handle_), 0);
        // A controller no hardware renderer is made for (an emptied tree would
        // keep the last vendor, as the choice does).
        EXPECT_EQ(sim_display_write_pci_tree((root_ + "/pci").c_str(), 0x1234, 0x0001), 0);
        const std::string screen = root_ + "/screen";
        setenv("MIROVA_FBDEV", screen.c_str(), 1);
        setenv("MIROVA_FBGEOMETRY", "720x480x32", 1);
        EXPECT_EQ(Start(), "Warning: No supported driver. Using Frame buffer (RGB)\n");
        EXPECT_EQ(sim_tuner_deliver_frames(1), 1);
        std::vector<uint8_t> bgrx(size_t(kFrameWidth) * kFrameHeight * 4);
        const int fd = open(screen.c_str(), O_RDONLY);
        EXPECT_EQ(pread(fd, bgrx.data(), bgrx.size(), 0), ssize_t(bgrx.size()));
        close(fd);
        std::vector<uint8_t> rgb;
        for (size_t i = 0; i < bgrx.size(); i += 4) {
            rgb.push_back(bgrx[i + 2]);
            rgb.push_back(bgrx[i + 1]);
            rgb.push_back(bgrx[i]);
        }
        return rgb;
    }
    // Mean of each 16 x 16 block and channel.
    static std::vector<int> BlockMeans(const std::vector<uint8_t>& rgb) {
        std::vector<int> means;
        for (int by = 0; by < kFrameHeight; by += kBlock)
            for (int bx = 0; bx < kFrameWidth; bx += kBlock)
                for (int c = 0; c < 3; ++c) {
                    int sum = 0;
                    for (int y = by; y < by + kBlock; ++y)
                        for (int x = bx; x < bx + kBlock; ++x)
                            sum += rgb[(size_t(y) * kFrameWidth + x) * 3 + c];
                    means.push_back(sum / (kBlock * kBlock));
                }
        return means;
    }
    static int LargestDifference(const std::vector<int>& a, const std::vector<int>& b) {
        int worst = 0;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i)
            worst = std::max(worst, std::abs(a[i] - b[i]));
        return worst;
    }

    std::string root_;
    int handle_ = 0;
};

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
