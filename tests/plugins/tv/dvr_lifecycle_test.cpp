// The TV engine's lifecycle against the simulated tuner: construction (mixer,
// tuner callback, monitor), opening, live video, closing and destruction.
#include "plugins/tv/dvr_engine.h"
#include "plugins/tv/dvr_wrapper.h"
#include "plugins/tv/tuner_event_queue.h"
#include "tests/plugins/tv/tv_test_support.h"

namespace {

using tvtest::FakeMixer;

class DvrLifecycle : public tvtest::TvWorld {};

// Reports from the engine, as "code len value".
std::mutex gReportLock;
std::vector<std::string> gReports;
int RecordReport(int code, const char*, unsigned len, int value) {
    std::lock_guard<std::mutex> guard(gReportLock);
    gReports.push_back(std::to_string(code) + " " + std::to_string(len) + " " +
                       std::to_string(value));
    return 0;
}
bool Reported(const std::string& report) {
    std::lock_guard<std::mutex> guard(gReportLock);
    for (const auto& r : gReports) {
        if (r == report) return true;
    }
    return false;
}

TEST_F(DvrLifecycle, ConstructionWritesFullLevelOnBothMixerChannelsWhateverItRead) {
    FakeMixer::reported = 0x0305;
    CDVR_WRAPPER wrapper;
    EXPECT_EQ(FakeMixer::written.load(), 100 | (100 << 8));
}

TEST_F(DvrLifecycle, MissingMixerIsSkipped) {
    FakeMixer::present = false;
    CDVR_WRAPPER wrapper;
    EXPECT_EQ(FakeMixer::opens.load(), 1);
    EXPECT_EQ(FakeMixer::written.load(), -1);
}

TEST_F(DvrLifecycle, ConstructionInstallsTheTunerCallbackAndDestructionRemovesIt) {
    {
        CDVR_WRAPPER wrapper;
        EXPECT_EQ(sim_tuner_journal_count("ZAQ_InstallCallbackFunction set"), 1);
        EXPECT_TRUE(DvrMonitorRunning());
    }
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_InstallCallbackFunction null"), 1);
    EXPECT_FALSE(DvrMonitorRunning());
}

TEST_F(DvrLifecycle, OpeningTwiceOpensOnce) {
    CDVR_WRAPPER wrapper;
    DvrEngine& engine = wrapper.Engine();
    EXPECT_EQ(engine.OpenTuner(), 0);
    EXPECT_EQ(engine.OpenTuner(), 0);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Init"), 1);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_OpenTuner 2"), 1);
    EXPECT_TRUE(engine.Has(kDvrTunerOpen));
    EXPECT_EQ(engine.rect.right, 719);
    EXPECT_EQ(engine.rect.bottom, 479);
}

TEST_F(DvrLifecycle, WindowIsPlacedAtItsScreenOrigin) {
    hostsim::Screen screen;
    screen.client = ZaqRect{0, 0, 100, 50};
    screen.origin = ZaqPoint{10, 20};
    hostsim::SetScreen(screen);
    CDVR_WRAPPER wrapper;
    ASSERT_EQ(wrapper.Engine().OpenTuner(), 0);
    const ZaqRect rect = wrapper.Engine().rect;
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 110);
    EXPECT_EQ(rect.bottom, 70);
}

TEST_F(DvrLifecycle, ClosingReleasesTheTuner) {
    CDVR_WRAPPER wrapper;
    DvrEngine& engine = wrapper.Engine();
    ASSERT_EQ(engine.OpenTuner(), 0);
    ASSERT_EQ(engine.StartLiveVideo(), 0);
    EXPECT_EQ(engine.CloseTuner(), 0);
    const auto journal = SimTunerJournal();
    std::vector<std::string> tail(journal.end() - 3, journal.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"ZAQ_DirectPlayStop", "ZAQ_CloseTuner", "ZAQ_Release"}));
    SimTunerState state;
    sim_tuner_get_state(&state);
    EXPECT_EQ(state.open, 0);
    EXPECT_EQ(state.handles, 0);
    EXPECT_EQ(engine.tuner.load(), 0);
    EXPECT_EQ(engine.state.load(), 0u);
}

TEST_F(DvrLifecycle, FailingInitOrWindowQueryFailsTheOpen) {
    CDVR_WRAPPER wrapper;
    DvrEngine& engine = wrapper.Engine();
    sim_tuner_fail_next("ZAQ_Init", -5);
    EXPECT_EQ(engine.OpenTuner(), -1);
    EXPECT_FALSE(engine.Has(kDvrTunerOpen));

    hostsim::Screen screen;
    screen.clientRectFails = true;
    hostsim::SetScreen(screen);
    EXPECT_EQ(engine.OpenTuner(), -1);
    screen.clientRectFails = false;
    screen.clientToScreenFails = true;
    hostsim::SetScreen(screen);
    EXPECT_EQ(engine.OpenTuner(), -1);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_OpenTuner"), 0);
}

TEST_F(DvrLifecycle, FailingOpenStillMarksTheTunerOpenSoCloseReleasesIt) {
    CDVR_WRAPPER wrapper;
    DvrEngine& engine = wrapper.Engine();
    sim_tuner_fail_next("ZAQ_OpenTuner", -3);
    EXPECT_EQ(engine.OpenTuner(), -3);
    EXPECT_TRUE(engine.Has(kDvrTunerOpen));
    engine.CloseTuner();
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Release"), 1);
}

TEST_F(DvrLifecycle, LiveVideoStartsOnceAndStopsOnce) {
    CDVR_WRAPPER wrapper;
    DvrEngine& engine = wrapper.Engine();
    ASSERT_EQ(engine.OpenTuner(), 0);
    engine.StartLiveVideo();
    engine.StartLiveVideo();
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_DirectPlayStart 0xdeadbeef 0 0 719 479"), 1);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetProperty 25 0"), 1);
    engine.StopLiveVideo();
    engine.StopLiveVideo();
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_DirectPlayStop"), 1);
}

TEST_F(DvrLifecycle, SetCallbackStoresItAndReturnsZero) {
    CDVR_WRAPPER wrapper;
    EXPECT_EQ(wrapper.SetCallback(&RecordReport), 0);
    EXPECT_EQ(wrapper.Engine().callback.load(), &RecordReport);
}

TEST_F(DvrLifecycle, MonitorReportsASoundModeChange) {
    CDVR_WRAPPER wrapper;
    wrapper.SetCallback(&RecordReport);
    ASSERT_EQ(wrapper.Engine().OpenTuner(), 0);
    // Slot 4 offers every mode; the first poll finds mono unless asked.
    ZAQ_SelectChannel(wrapper.Engine().tuner.load(), 4, 500);
    ZAQ_SetProperty(wrapper.Engine().tuner.load(), ZAQ_PROP_MTS_MODE, ZAQ_MTS_SAP);
    EXPECT_TRUE(tvtest::WaitUntil([] { return Reported("15 2 21"); }));
}

TEST_F(DvrLifecycle, TunerEventQueueStaysBoundedAndGoesWithTheEngine) {
    {
        CDVR_WRAPPER wrapper;
        for (int i = 0; i < 1000; ++i) QueueTunerEvent(nullptr, ZAQ_EVENT_PLAYBACK_STATUS, i, 0);
        EXPECT_EQ(TunerEventCount(), kTunerEventLimit);
        std::unique_ptr<TunerEvent> oldest = TakeTunerEvent();
        ASSERT_NE(oldest, nullptr);
        EXPECT_EQ(oldest->a, 1000 - static_cast<int>(kTunerEventLimit));
        EXPECT_EQ(oldest->next, nullptr) << "handed out unlinked";
        EXPECT_EQ(TunerEventCount(), kTunerEventLimit - 1);
    }
    EXPECT_EQ(TunerEventCount(), 0u);
}

TEST_F(DvrLifecycle, EventsFromTheServiceReachTheQueue) {
    CDVR_WRAPPER wrapper;
    ASSERT_EQ(wrapper.Engine().OpenTuner(), 0);
    ASSERT_EQ(sim_tuner_emit_event(ZAQ_EVENT_PLAYBACK_STATUS, 1, 2), 0);
    EXPECT_TRUE(tvtest::WaitUntil([] { return TunerEventCount() > 0; }));
}

}  // namespace
