// Live video end to end: the simulated tuner service starts direct play in
// libmirova, which draws the station's frames into a file-backed screen; a
// capture through ZMP_FRAMECAPTURE holds the picture; stopping live video
// stops direct play.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "interfaces/tuner_service.h"
#include "sim/tuner/sim_tuner.h"
#include "video/directplay/direct_play_api.h"

namespace {

constexpr int kWidth = 320, kHeight = 240;
constexpr int kWaitMs = 20000;

class LiveVideo : public ::testing::Test {
  protected:
    void SetUp() override {
        char screen[] = "/tmp/mirova_live_screen_XXXXXX";
        const int fd = mkstemp(screen);
        ASSERT_GE(fd, 0);
        close(fd);
        screenPath_ = screen;
        char pci[] = "/tmp/mirova_live_pci_XXXXXX";
        ASSERT_NE(mkdtemp(pci), nullptr);
        pciRoot_ = pci;
        setenv("MIROVA_FBDEV", screenPath_.c_str(), 1);
        setenv("MIROVA_FBGEOMETRY", "320x240x32", 1);
        setenv("MIROVA_PCI_ROOT", pciRoot_.c_str(), 1);
        sim_tuner_reset();
        sim_tuner_set_event_interval(0);
        ASSERT_EQ(ZAQ_Init(&handle_), 0);
        ASSERT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_TV), 0);
        TuneFirstStation();
    }
    void TearDown() override {
        sim_tuner_reset();
        ZMP_STOPDIRECTPLAY();
        unsetenv("MIROVA_FBDEV");
        unsetenv("MIROVA_FBGEOMETRY");
        unsetenv("MIROVA_PCI_ROOT");
        unlink(screenPath_.c_str());
        rmdir(pciRoot_.c_str());
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
    std::vector<uint8_t> Screen() const {
        std::vector<uint8_t> bytes(size_t(kWidth) * kHeight * 4);
        const int fd = open(screenPath_.c_str(), O_RDONLY);
        if (fd >= 0) {
            const ssize_t got = pread(fd, bytes.data(), bytes.size(), 0);
            (void)got;
            close(fd);
        }
        return bytes;
    }
    static SimTunerState State() {
        SimTunerState s;
        sim_tuner_get_state(&s);
        return s;
    }

    int handle_ = 0;
    ZaqRect rect_{0, 0, kWidth - 1, kHeight - 1};
    std::string screenPath_;
    std::string pciRoot_;
};

TEST_F(LiveVideo, StationPictureReachesTheScreenAndTheCapture) {
    sim_tuner_set_manual_clock(1);
    testing::internal::CaptureStdout();
    ASSERT_EQ(ZAQ_DirectPlayStart(handle_, ZAQ_VIDEO_WINDOW, &rect_), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Warning: No supported driver. Using Frame buffer (RGB)\n");
    ASSERT_EQ(State().directPlayCalled, 1);
    ASSERT_EQ(State().directPlayResult, 0);
    EXPECT_EQ(State().frameClients, 1);
    EXPECT_EQ(sim_tuner_deliver_frames(2), 2);
    const auto shown = Screen();
    size_t lit = 0;
    for (uint8_t b : shown) lit += b != 0;
    EXPECT_GT(lit, shown.size() / 4);
    const int bytes = ZMP_FRAMECAPTURE(24, nullptr, 0);
    ASSERT_EQ(bytes, kWidth * kHeight * 3 + 72);
    std::vector<uint8_t> bitmap(static_cast<size_t>(bytes));
    ASSERT_EQ(ZMP_FRAMECAPTURE(24, bitmap.data(), 0), 0);
    // The last screen line comes first; its first pixel is the screen's.
    const uint8_t* last = shown.data() + size_t(kHeight - 1) * kWidth * 4;
    EXPECT_EQ(bitmap[40], last[0]);
    EXPECT_EQ(bitmap[41], last[1]);
    EXPECT_EQ(bitmap[42], last[2]);
    ASSERT_EQ(ZAQ_DirectPlayStop(handle_), 0);
    EXPECT_EQ(State().frameClients, 0);
    EXPECT_EQ(ZMP_STOPDIRECTPLAY(), -1);  // the service already stopped it
}

TEST_F(LiveVideo, CaptureThreadFramesStopCleanly) {
    testing::internal::CaptureStdout();
    ASSERT_EQ(ZAQ_DirectPlayStart(handle_, ZAQ_VIDEO_WINDOW, &rect_), 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(sim_tuner_wait_frames(5, kWaitMs), 0);
    int value = 0;
    EXPECT_EQ(ZMP_DIRECTPLAY_GETPROPERTY(118, &value), int(0x80000003u));
    ASSERT_EQ(ZAQ_DirectPlayStop(handle_), 0);
    EXPECT_EQ(State().liveVideo, 0);
}

}  // namespace
