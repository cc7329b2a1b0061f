// Live video through the NVIDIA path end to end: the simulated tuner starts
// direct play in libmirova, the renderer choice finds an NVIDIA controller on
// a PCI tree and libNVDLL.so through the seam, and the simulated monitor, at
// the output SolvaneON_RESOLUTION chooses, shows the station's picture as the
// frame-buffer path shows the same frame. A library that will not start
// falls back to the frame buffer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/platform/temp_registry.h"
#include "tests/video/directplay/overlay_machine.h"

USE_TEMP_REGISTRY();

namespace {

using namespace overlaytest;

constexpr const char* kWarning = "Warning: No supported driver. Using Frame buffer (RGB)\n";

class NvidiaVideo : public OverlayMachine {
  protected:
    void SetUp() override {
        OverlayMachine::SetUp();
        if (!HasFatalFailure()) Machine(0x10DE, 0x0110);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove(SettingFile(), ignored);
        OverlayMachine::TearDown();
    }
    // The value file of libmirova's registry, as a user would write it.
    static std::string SettingFile() {
        return TempRegistryEnvironment::Base() +
               "/.corvane/HKEY_LOCAL_MACHINE/Software/Corvane/Vexplay/SolvaneON_RESOLUTION";
    }
    static void SetResolution(int value) {
        std::filesystem::create_directories(std::filesystem::path(SettingFile()).parent_path());
        std::ofstream(SettingFile()) << "1:4:" << value;
    }
    // Mean of each channel over the pixels of the area that show each 16 x 16
    // block of the frame (the overlay scales it).
    static std::vector<int> ScaledBlockMeans(const SimScanOut& s, int left, int top, int width,
                                             int height) {
        const int across = kFrameWidth / kBlock, down = kFrameHeight / kBlock;
        std::vector<long> sums(size_t(across) * down * 3, 0);
        std::vector<long> counts(size_t(across) * down, 0);
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                const int bx = (x - left) * kFrameWidth / width / kBlock;
                const int by = (y - top) * kFrameHeight / height / kBlock;
                const size_t b = size_t(by) * across + bx;
                for (int c = 0; c < 3; ++c) sums[b * 3 + c] += s.At(x, y)[c];
                ++counts[b];
            }
        }
        std::vector<int> means;
        for (size_t b = 0; b < counts.size(); ++b)
            for (int c = 0; c < 3; ++c) means.push_back(int(sums[b * 3 + c] / counts[b]));
        return means;
    }
    static double MeanDifference(const std::vector<int>& a, const std::vector<int>& b) {
        double sum = 0;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) sum += std::abs(a[i] - b[i]);
        return a.empty() ? 0.0 : sum / double(a.size());
    }
};

TEST_F(NvidiaVideo, TheMonitorShowsTheStationAsTheFrameBufferWould) {
    EXPECT_EQ(Start(), "Using NVIDIA renderer\n");
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    EXPECT_EQ(sim_display_journal_count("_Z18NvIVideoVideoFramePKv15NvPictureFormat"), 1);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.width, 1024) << "the default output";
    EXPECT_EQ(s.overlayEnabled, 1);
    EXPECT_EQ(s.keying, 0) << "no colour key: the video covers the output";
    // The host's window is 3:2, so the 4:3 picture is pillarboxed: three
    // quarters of the output's width, black bars beside it.
    EXPECT_EQ(s.overlayLeft, 128);
    EXPECT_EQ(s.overlayWidth, 768);
    EXPECT_EQ(s.overlayHeight, 768);
    const SimScanOut out = SimDisplayScanOut();
    for (int x : {0, 127, 896, 1023}) {
        const unsigned char* bar = out.At(x, 384);
        EXPECT_EQ(bar[0] + bar[1] + bar[2], 0) << "a bar at " << x;
    }
    const std::vector<int> monitor =
        ScaledBlockMeans(out, s.overlayLeft, s.overlayTop, s.overlayWidth, s.overlayHeight);
    EXPECT_TRUE(APicture(monitor)) << "a picture, not a plain colour";
    // Scaled by nearest pixel to 768 x 768, block edges move by a pixel.
    const std::vector<int> frameBuffer = BlockMeans(FrameBufferPicture());
    EXPECT_LE(LargestDifference(monitor, frameBuffer), 12);
    EXPECT_LE(MeanDifference(monitor, frameBuffer), 1.5);
}

TEST_F(NvidiaVideo, TheResolutionSettingChoosesTheMonitorMode) {
    SetResolution(2);
    EXPECT_EQ(Start(), "Using NVIDIA renderer\n");
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.width, 1280);
    EXPECT_EQ(s.height, 768);
    EXPECT_EQ(s.overlayWidth, 1280) << "a 4:3 picture on a wide output: modes 1 and 2, no bars";
    EXPECT_EQ(s.overlayHeight, 768);
}

TEST_F(NvidiaVideo, ColourControlsReadBackThroughTheKeyTable) {
    EXPECT_EQ(Start(), "Using NVIDIA renderer\n");
    ASSERT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(17, 16), 0);
    ASSERT_EQ(ZMP_DIRECTPLAY_SETPROPERTY(15, -32), 0);
    int value = 0;
    ASSERT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(17, &value), 0);
    EXPECT_EQ(value, 16);
    ASSERT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(15, &value), 0);
    EXPECT_EQ(value, -32);
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(25, &value), int(0x80070490u)) << "no colour key";
}

TEST_F(NvidiaVideo, ALibraryThatWillNotStartFallsBackToTheFrameBuffer) {
    sim_display_fail("_Z9NvInitDllv", -1, 0, 1);
    EXPECT_EQ(Start(), kWarning);
    EXPECT_EQ(sim_display_library_loaded("libNVDLL.so"), 0);
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    const SimScanOut screen = SimDisplayScanOut();  // kept alive while its pixel is read
    const unsigned char* centre = screen.At(512, 384);
    EXPECT_GT(centre[0] + centre[1] + centre[2], 0) << "the frame buffer drew the picture";
}

TEST_F(NvidiaVideo, AFailingOutputStartFallsBackToTheFrameBuffer) {
    sim_display_fail_kind(SIM_DISPLAY_FAULT_MODE, 0, 1);
    EXPECT_EQ(Start(), kWarning);
    EXPECT_EQ(sim_display_library_loaded("libNVDLL.so"), 0);
    EXPECT_EQ(sim_display_journal_count("_Z16NvIVideoVideoEndv"), 1) << "closed as after any start";
}

TEST_F(NvidiaVideo, AnUnknownResolutionFallsBackToTheFrameBuffer) {
    SetResolution(9);
    EXPECT_EQ(Start(), kWarning);
}

TEST_F(NvidiaVideo, StopShowsBlackAndClosesTheLibrary) {
    EXPECT_EQ(Start(), "Using NVIDIA renderer\n");
    ASSERT_EQ(sim_tuner_deliver_frames(1), 1);
    sim_display_journal_clear();
    ASSERT_EQ(ZAQ_DirectPlayStop(handle_), 0);
    EXPECT_EQ(sim_display_journal_count("_Z18NvIVideoVideoFramePKv15NvPictureFormat frame 0"), 1);
    EXPECT_EQ(sim_display_library_loaded("libNVDLL.so"), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

}  // namespace
