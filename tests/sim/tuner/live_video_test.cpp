// Live video of the simulated card: direct play reaches libmirova's ZMP_DIRECTPLAY and
// ZMP_STOPDIRECTPLAY, frames arrive through the installed callback at the video type's
// size, from the capture thread or, with the manual clock, on the test's own thread.
#include <cstdlib>
#include <vector>

#include "tests/sim/tuner/fake_direct_play.h"
#include "tests/sim/tuner/tuner_test_support.h"

namespace {

using fakeplay::Played;
using tunertest::State;

constexpr int kWaitMs = 10000;

class LiveVideo : public tunertest::TvTuner {
  protected:
    void SetUp() override {
        fakeplay::ResetPlayed();
        TvTuner::SetUp();
    }
    int Start() { return ZAQ_DirectPlayStart(handle_, ZAQ_VIDEO_WINDOW, &rect_); }

    ZaqRect rect_{10, 20, 729, 499};
};

class ManualLiveVideo : public LiveVideo {
  protected:
    void SetUp() override {
        LiveVideo::SetUp();
        sim_tuner_set_manual_clock(1);
    }
};

double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); i += 2) sum += std::abs(a[i] - b[i]);
    return sum / (a.size() / 2);
}

// Two consecutive frames of the tuned picture.
std::vector<std::vector<uint8_t>> TwoFrames() {
    {
        std::lock_guard<std::mutex> lock(Played().mutex);
        Played().kept.clear();
        Played().keepFrames = true;
    }
    sim_tuner_deliver_frames(2);
    std::lock_guard<std::mutex> lock(Played().mutex);
    Played().keepFrames = false;
    return Played().kept;
}

TEST_F(ManualLiveVideo, StartCallsDirectPlayWithTheWindowAndRectangle) {
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(Played().starts, 1);
    std::lock_guard<std::mutex> lock(Played().mutex);
    EXPECT_EQ(Played().window, ZAQ_VIDEO_WINDOW);
    EXPECT_EQ(Played().rect.left, 10);
    EXPECT_EQ(Played().rect.top, 20);
    EXPECT_EQ(Played().rect.right, 729);
    EXPECT_EQ(Played().rect.bottom, 499);
    EXPECT_EQ(Played().driverId, SIM_TUNER_DRIVER_ID);
    EXPECT_EQ(Played().width, 720);
    EXPECT_EQ(Played().height, 480);
}

TEST_F(ManualLiveVideo, StateRecordsTheDirectPlayCall) {
    Played().startResult = -1;
    ASSERT_EQ(Start(), 0);
    const SimTunerState s = State();
    EXPECT_TRUE(s.liveVideo);
    EXPECT_TRUE(s.directPlayCalled);
    EXPECT_EQ(s.directPlayResult, -1);
}

TEST_F(ManualLiveVideo, ManualClockDeliversFramesOnTheCallersThread) {
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(Played().frames, 0) << "no frame without the clock";
    EXPECT_EQ(sim_tuner_deliver_frames(3), 3);
    EXPECT_EQ(Played().frames, 3);
    EXPECT_EQ(State().framesDelivered, 3u);
}

TEST_F(ManualLiveVideo, StopCallsStopDirectPlayAndFramesEnd) {
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(ZAQ_DirectPlayStop(handle_), 0);
    EXPECT_EQ(Played().stops, 1);
    EXPECT_EQ(State().frameClients, 0);
    EXPECT_EQ(sim_tuner_deliver_frames(2), 0);
    EXPECT_EQ(Played().frames, 0);
    EXPECT_LT(ZAQ_DirectPlayStop(handle_), 0) << "nothing left to stop";
}

TEST_F(ManualLiveVideo, SecondStartWhileRunningIsRefused) {
    ASSERT_EQ(Start(), 0);
    EXPECT_LT(Start(), 0);
    EXPECT_EQ(Played().starts, 1);
}

TEST_F(ManualLiveVideo, ClosingTheTunerStopsLiveVideo) {
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(ZAQ_CloseTuner(handle_), 0);
    EXPECT_EQ(Played().stops, 1);
    EXPECT_FALSE(State().liveVideo);
    EXPECT_EQ(ZMP_GetDriverID(), 0);
}

TEST_F(ManualLiveVideo, PalCountryGivesLargerFramesAtTwentyFivePerSecond) {
    ASSERT_EQ(ZAQ_SetCountryCode(handle_, 0, "Germany", 1), 0);
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(sim_tuner_deliver_frames(1), 1);
    EXPECT_EQ(State().framesPerSecond, 25);
    std::lock_guard<std::mutex> lock(Played().mutex);
    EXPECT_EQ(Played().width, 720);
    EXPECT_EQ(Played().height, 576);
}

TEST_F(ManualLiveVideo, FrameSizeStaysFixedWhileLiveVideoRuns) {
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(ZAQ_SetCountryCode(handle_, 0, "Germany", 1), 0);
    int format = -1, width = 0, height = 0;
    ZMP_GetTVFormat_Size(&format, &width, &height);
    EXPECT_EQ(height, 480) << "libmirova sized its buffers for this";
    const auto frames = TwoFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].size(), 720u * 480 * 2);
    ASSERT_EQ(ZAQ_DirectPlayStop(handle_), 0);
    ZMP_GetTVFormat_Size(&format, &width, &height);
    EXPECT_EQ(height, 576) << "the next start takes the new type";
}

TEST_F(ManualLiveVideo, EachStationHasItsOwnPicture) {
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 1, 0), 0);
    const auto first = TwoFrames();
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 2, -250), 0);
    const auto second = TwoFrames();
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_GT(MeanDifference(first[0], second[0]), 20.0);
}

TEST_F(ManualLiveVideo, NoiseBetweenFramesGrowsAwayFromTheBestOffset) {
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 1, 0), 0);
    const auto clean = TwoFrames();
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 1, 1500), 0);
    const auto noisy = TwoFrames();
    ASSERT_EQ(clean.size(), 2u);
    ASSERT_EQ(noisy.size(), 2u);
    const double cleanDiff = MeanDifference(clean[0], clean[1]);
    const double noisyDiff = MeanDifference(noisy[0], noisy[1]);
    EXPECT_LT(cleanDiff, 4.0);
    EXPECT_GT(noisyDiff, 4 * cleanDiff);
}

TEST_F(ManualLiveVideo, FramesAreTheSameOnEveryRun) {
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 4, 1000), 0);
    const auto once = TwoFrames();
    ASSERT_EQ(ZAQ_DirectPlayStop(handle_), 0);
    sim_tuner_reset();
    sim_tuner_set_manual_clock(1);
    int handle = 0;
    ASSERT_EQ(ZAQ_Init(&handle), 0);
    ASSERT_EQ(ZAQ_OpenTuner(handle, ZAQ_MODE_TV), 0);
    ASSERT_EQ(ZAQ_DirectPlayStart(handle, ZAQ_VIDEO_WINDOW, &rect_), 0);
    ASSERT_EQ(ZAQ_SelectChannel(handle, 4, 1000), 0);
    const auto again = TwoFrames();
    ASSERT_EQ(once.size(), 2u);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(once[0], again[0]);
    EXPECT_EQ(once[1], again[1]);
}

TEST_F(LiveVideo, CaptureThreadDeliversFramesUntilStopped) {
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(sim_tuner_wait_frames(3, kWaitMs), 0);
    ASSERT_EQ(ZAQ_DirectPlayStop(handle_), 0);
    const int atStop = Played().frames;
    EXPECT_GE(atStop, 3);
    EXPECT_EQ(Played().stops, 1);
    EXPECT_EQ(static_cast<uint64_t>(atStop), State().framesDelivered);
    EXPECT_EQ(sim_tuner_wait_frames(atStop + 1, 0), -1) << "no frame after the stop";
}

TEST_F(LiveVideo, ManualClockCanTakeOverARunningCapture) {
    ASSERT_EQ(Start(), 0);
    ASSERT_EQ(sim_tuner_wait_frames(1, kWaitMs), 0);
    sim_tuner_set_manual_clock(1);
    const uint64_t settled = State().framesDelivered;
    EXPECT_EQ(sim_tuner_deliver_frames(2), 2);
    EXPECT_EQ(State().framesDelivered, settled + 2);
    sim_tuner_set_manual_clock(0);
    EXPECT_EQ(sim_tuner_wait_frames(settled + 4, kWaitMs), 0);
}

TEST_F(LiveVideo, RadioStartsNoPicture) {
    ASSERT_EQ(ZAQ_CloseTuner(handle_), 0);
    ASSERT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_FM), 0);
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(Played().starts, 0);
    ASSERT_EQ(ZAQ_DirectPlayStop(handle_), 0);
    EXPECT_EQ(Played().stops, 0);
}

TEST_F(LiveVideo, DriverIdIsNonzeroOnlyWhileOpen) {
    EXPECT_EQ(ZMP_GetDriverID(), SIM_TUNER_DRIVER_ID);
    ASSERT_EQ(ZAQ_CloseTuner(handle_), 0);
    EXPECT_EQ(ZMP_GetDriverID(), 0);
}

TEST_F(LiveVideo, StartNeedsARectangle) {
    EXPECT_LT(ZAQ_DirectPlayStart(handle_, nullptr, nullptr), 0);
}

}  // namespace
