// The channel-scan thread over the simulated station table: found slots
// (3/50), progress (15/91) and the end (3/114).
#include <condition_variable>

#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/dvr_wrapper.h"
#include "tests/plugins/tv/tv_test_support.h"

namespace {

struct ScanReports {
    static inline std::mutex lock;
    static inline std::vector<int> found;
    static inline std::vector<int> progress;
    static inline int finished = -1;
    // When set, the report of this progress step waits until the scan is asked
    // to stop, so a stop lands mid-scan.
    static inline int holdAt = -1;
    static inline std::atomic<bool> held{false};

    static int Record(int code, const char*, unsigned len, int value) {
        const int argument = static_cast<int>(len);
        if (code == 15 && value == 91 && argument == holdAt) {
            held = true;
            tvtest::WaitUntil([] { return !DvrScanRunning(); });
        }
        std::lock_guard<std::mutex> guard(lock);
        if (code == 3 && value == 50) found.push_back(argument);
        if (code == 15 && value == 91) progress.push_back(argument);
        if (code == 3 && value == 114) finished = argument;
        return 0;
    }
    static void Reset() {
        std::lock_guard<std::mutex> guard(lock);
        found.clear();
        progress.clear();
        finished = -1;
        holdAt = -1;
        held = false;
    }
    static int Finished() {
        std::lock_guard<std::mutex> guard(lock);
        return finished;
    }
};

class DvrScan : public tvtest::TvWorld {
  protected:
    void SetUp() override {
        TvWorld::SetUp();
        ScanReports::Reset();
        wrapper_ = std::make_unique<CDVR_WRAPPER>();
        wrapper_->SetCallback(&ScanReports::Record);
        ASSERT_EQ(wrapper_->Engine().OpenTuner(), 0);
        int count = 0;
        ASSERT_EQ(wrapper_->Command(kDvrGetChannelCount, nullptr, 0, &count, 0), 1);
        count_ = count;
    }
    void TearDown() override {
        wrapper_.reset();
        TvWorld::TearDown();
    }
    std::unique_ptr<CDVR_WRAPPER> wrapper_;
    int count_ = 0;
};

TEST_F(DvrScan, FindsExactlyTheStationsLastSlotIncluded) {
    std::vector<int> stations;
    for (int slot = 0; slot < count_; ++slot) {
        SimTvStationInfo info{};
        if (sim_tuner_tv_station(slot, &info) == 0 && info.hasStation) stations.push_back(slot);
    }
    ASSERT_FALSE(stations.empty());
    ASSERT_EQ(stations.back(), count_ - 1);

    EXPECT_EQ(wrapper_->Command(kDvrStartScan, nullptr, 0, nullptr, 0), 1);
    ASSERT_TRUE(tvtest::WaitUntil([] { return ScanReports::Finished() >= 0; }));
    EXPECT_EQ(wrapper_->Command(kDvrStopScan, nullptr, 0, nullptr, 0), 1);

    std::lock_guard<std::mutex> guard(ScanReports::lock);
    EXPECT_EQ(ScanReports::found, stations);
    ASSERT_EQ(ScanReports::progress.size(), static_cast<size_t>(count_));
    for (int i = 0; i < count_; ++i) EXPECT_EQ(ScanReports::progress[i], i);
    EXPECT_EQ(ScanReports::finished, count_);
}

TEST_F(DvrScan, StoppingMidwayEndsItEarly) {
    ScanReports::holdAt = 10;
    ASSERT_EQ(wrapper_->Command(kDvrStartScan, nullptr, 0, nullptr, 0), 1);
    ASSERT_TRUE(tvtest::WaitUntil([] { return ScanReports::held.load(); }));
    EXPECT_EQ(wrapper_->Command(kDvrStopScan, nullptr, 0, nullptr, 0), 1);
    EXPECT_FALSE(DvrScanRunning());
    std::lock_guard<std::mutex> guard(ScanReports::lock);
    EXPECT_EQ(ScanReports::finished, 11);
    EXPECT_EQ(ScanReports::progress.back(), 10);
}

TEST_F(DvrScan, ASecondStartWhileRunningIsIgnoredAndARestartAfterTheEndWorks) {
    ScanReports::holdAt = 3;
    ASSERT_EQ(wrapper_->Command(kDvrStartScan, nullptr, 0, nullptr, 0), 1);
    ASSERT_TRUE(tvtest::WaitUntil([] { return ScanReports::held.load(); }));
    EXPECT_EQ(wrapper_->Command(kDvrStartScan, nullptr, 0, nullptr, 0), 1);
    wrapper_->Command(kDvrStopScan, nullptr, 0, nullptr, 0);
    ScanReports::Reset();
    ASSERT_EQ(wrapper_->Command(kDvrStartScan, nullptr, 0, nullptr, 0), 1);
    ASSERT_TRUE(tvtest::WaitUntil([] { return ScanReports::Finished() >= 0; }));
    EXPECT_EQ(ScanReports::Finished(), count_);
}

TEST_F(DvrScan, DestroyingTheEngineStopsARunningScan) {
    ScanReports::holdAt = 5;
    ASSERT_EQ(wrapper_->Command(kDvrStartScan, nullptr, 0, nullptr, 0), 1);
    ASSERT_TRUE(tvtest::WaitUntil([] { return ScanReports::held.load(); }));
    wrapper_.reset();
    EXPECT_FALSE(DvrScanRunning());
    EXPECT_EQ(ScanReports::Finished(), 6);
}

}  // namespace
