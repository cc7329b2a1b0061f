// The host program's sessions with the real plug-ins on the stand-ins: the sleep
// timer closes a TV and an FM session by itself (on a clock the test moves), a
// scan's progress runs to N of N, and a missing tuner or plug-in is one line on
// stderr and a failing exit code.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>

#include "apps/fm_driver.h"
#include "apps/fm_runner.h"
#include "apps/host_environment.h"
#include "apps/host_events.h"
#include "apps/live_preview.h"
#include "apps/plugin_loader.h"
#include "apps/tv_driver.h"
#include "apps/tv_runner.h"
#include "sim/host/host_journal.h"
#include "sim/tuner/sim_tuner.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kScanTimeout = 120s;
constexpr auto kStepTimeout = 20s;

// A clock the test moves by hand.
struct TestClock {
    Clock::time_point now = Clock::now();
    host::SleepTimer::Clock Function() {
        return [this] { return now; };
    }
};

// Calls follow until done holds, at most timeout.
bool FollowUntil(const std::function<void()>& follow, const std::function<bool()>& done,
                 Clock::duration timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!done()) {
        if (Clock::now() > deadline) return false;
        follow();
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

int StationsInTable() {
    int stations = 0;
    SimTvStationInfo info{};
    for (int slot = 0; sim_tuner_tv_station(slot, &info) == 0; ++slot)
        stations += info.hasStation ? 1 : 0;
    return stations;
}

// Lines that begin with "mediahost:".
int ErrorLineCount(const std::string& err) {
    int count = 0;
    size_t at = 0;
    while ((at = err.find("mediahost:", at)) != std::string::npos) {
        if (at == 0 || err[at - 1] == '\n') ++count;
        ++at;
    }
    return count;
}

class HostSessions : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(chdir(HOST_SKIN_DIR), 0);
        static host::ScreenFileChoice screen("");
        livepreview::ScreenFile file;
        file.path = screen.Path();
        livepreview::UseVirtualScreen(file);
    }
    // Fresh settings for each test: no channel list stored, so 'q' scans.
    void SetUp() override {
        settings_ = std::make_unique<host::SettingsFolder>("");
        ASSERT_TRUE(settings_->Ready());
        sim_tuner_reset();
        hostsim::ResetAll();
    }
    void TearDown() override { sim_tuner_clear_faults(); }

    std::unique_ptr<host::SettingsFolder> settings_;
};

// Starts TV and waits for its first scan to end.
void StartTv(host::TvDriver& tv) {
    tv.Press('q');
    ASSERT_TRUE(FollowUntil([&] { tv.Follow(); },
                            [&] { return tv.ScanText(10).rfind("scan done", 0) == 0; },
                            kScanTimeout));
}

TEST_F(HostSessions, TheSleepTimerCountsDownAndClosesTheTvSession) {
    TestClock clock;
    host::TvDriver tv(clock.Function());
    ASSERT_TRUE(tv.Open());
    StartTv(tv);

    // The setup menu's first choice: 300 seconds.
    tv.Session().SendMenuEvent(15, 64, 1);
    ASSERT_TRUE(FollowUntil([&] { tv.Follow(); }, [&] { return tv.SleepArmed(); }, kStepTimeout));
    EXPECT_NE(tv.StatusLine().find("| sleep 5:00"), std::string::npos) << tv.StatusLine();

    for (int minutes = 4; minutes >= 1; --minutes) {
        clock.now += 60s;
        tv.Follow();
        const std::string told = "menu 184 0 " + std::to_string(minutes) + " 0 OSD_TV";
        EXPECT_TRUE(hostsim::JournalWaitFor(told, 10000)) << told;
        EXPECT_EQ(hostsim::JournalCount(told), 1u) << told;
        EXPECT_FALSE(host::EngineClosed());
    }
    clock.now += 59s;
    tv.Follow();
    EXPECT_NE(tv.StatusLine().find("| sleep 0:01"), std::string::npos) << tv.StatusLine();
    EXPECT_FALSE(tv.ClosedBySleep());

    clock.now += 1s;
    EXPECT_TRUE(
        FollowUntil([&] { tv.Follow(); }, [] { return host::EngineClosed(); }, kStepTimeout));
    EXPECT_TRUE(tv.ClosedBySleep());
    EXPECT_EQ(tv.Finish(), 0);
    // Leaving TV stored the channel; the controller was deleted.
    EXPECT_GE(sim_tuner_journal_count("setRegInt SolvaneOn_TV_CHANNELNUM"), 1);
    EXPECT_NE(host::HostEventsText().find("host 8 8 0 0 0"), std::string::npos);
}

TEST_F(HostSessions, TheSleepTimerCountsDownAndClosesTheFmSession) {
    TestClock clock;
    host::FmDriver fm(clock.Function());
    ASSERT_TRUE(fm.Open());
    fm.Press('q');
    ASSERT_TRUE(FollowUntil([&] { fm.Follow(); },
                            [] { return !hostsim::CurrentState().fmFrequency.empty(); },
                            kStepTimeout));

    // The FM menu's 30-minute choice.
    fm.Session().SendMenuEvent(15, 64, 4);
    ASSERT_TRUE(FollowUntil([&] { fm.Follow(); }, [&] { return fm.SleepArmed(); }, kStepTimeout));
    EXPECT_EQ(fm.SleepText(), "sleep 30:00");
    for (int minutes = 29; minutes >= 1; --minutes) {
        clock.now += 60s;
        fm.Follow();
        EXPECT_FALSE(host::FmSession::EngineClosed());
    }
    const std::string lastMinute = "menu 184 0 1 0 OSD_FM";
    EXPECT_TRUE(hostsim::JournalWaitFor(lastMinute, 10000));
    EXPECT_EQ(hostsim::JournalCount("menu 184 0 "), 1u + 29u)  // the menu's own, then each minute
        << hostsim::JournalFind("menu 184").size();

    clock.now += 60s;
    EXPECT_TRUE(FollowUntil([&] { fm.Follow(); }, [] { return host::FmSession::EngineClosed(); },
                            kStepTimeout));
    EXPECT_TRUE(fm.ClosedBySleep());
    EXPECT_EQ(fm.Finish(), 0);
    EXPECT_GE(sim_tuner_journal_count("setRegInt SolvaneON_FM_CHANNELNUM"), 1);
}

TEST_F(HostSessions, AScanShowsItsProgressUpToNOfN) {
    host::TvDriver tv;
    ASSERT_TRUE(tv.Open());
    tv.Press('q');
    std::vector<int> slots;
    std::string text;
    ASSERT_TRUE(FollowUntil(
        [&] {
            tv.Follow();
            text = tv.ScanText(20);
            if (text.rfind("scan [", 0) == 0) {
                slots.push_back(std::atoi(text.c_str() + text.find("] slot ") + 7));
                EXPECT_NE(text.find(" of 125, "), std::string::npos) << text;
            }
        },
        [&] { return text.rfind("scan done", 0) == 0; }, kScanTimeout));
    EXPECT_EQ(text, "scan done: 125 of 125 slots, " + std::to_string(StationsInTable()) +
                        " stations found");
    ASSERT_FALSE(slots.empty()) << "no progress was shown while the scan ran";
    for (size_t i = 1; i < slots.size(); ++i) EXPECT_GE(slots[i], slots[i - 1]);
    EXPECT_GE(slots.back(), slots.front());
    EXPECT_EQ(tv.Finish(), 0);
}

TEST_F(HostSessions, ATunerThatCannotOpenIsOneLineAndExitCode1) {
    sim_tuner_fail("ZAQ_OpenTuner", -1, -1);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int tv = host::RunTvScript("q+(", {});
    const int fm = host::RunFmScript("q>", {});
    testing::internal::GetCapturedStdout();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(tv, 1);
    EXPECT_EQ(fm, 1);
    EXPECT_EQ(ErrorLineCount(err), 2) << err;
    EXPECT_NE(err.find("mediahost: the TV tuner is not available"), std::string::npos) << err;
    EXPECT_NE(err.find("mediahost: the FM tuner is not available"), std::string::npos) << err;
}

TEST_F(HostSessions, AMissingPlugInIsOneLineNamingIt) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(host::CreateController("libtvfm_no_such_plugin.so", "ZaqCreateTvController"),
              nullptr);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ErrorLineCount(err), 1) << err;
    EXPECT_NE(err.find("cannot load the plug-in libtvfm_no_such_plugin.so"), std::string::npos)
        << err;
}

}  // namespace
