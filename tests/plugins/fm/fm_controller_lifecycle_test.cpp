// The FM controller's life as the host sees it: construction and destruction order,
// the host callback, the upgrade report, keys while busy, closing, and messages for
// other media.
#include "tests/plugins/fm/fm_controller_fixture.h"
#include "tests/plugins/fm/fm_test_support.h"

namespace fmtest {
namespace {

using FmLifecycleTest = FmControllerTest;

// Index of the first journal line starting with prefix, or -1.
int IndexOf(const std::vector<std::string>& lines, const std::string& prefix) {
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
    return -1;
}

void ExpectInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& order) {
    int last = -1;
    for (const std::string& prefix : order) {
        const int at = IndexOf(lines, prefix);
        EXPECT_GT(at, last) << prefix;
        last = at;
    }
}

TEST_F(FmLifecycleTest, ConstructionFollowsTheHostsOrder) {
    Create();
    ExpectInOrder(
        hostsim::JournalSnapshot(),
        {"painter-get", "register 17", "lang-get",
         "menu-factory FM SKIN00/XML/SETUPMENU/FM/FM_SETING_MENU.xml", "menu 81 fn",
         "menu set-uictrl", "xml open SKIN00/XML/UI/FM/FMUI.xml ok", "panel-get", "panel 6 0 0"});
    EXPECT_EQ(HostCalls().at(0), std::make_pair(7, 0));
}

TEST_F(FmLifecycleTest, DestructionSavesReleasesAndTellsTheHostLast) {
    setRegInt("SolvaneON_FM_CHANNELNUM", 40);
    CreateAndStart();
    hostsim::JournalClear();
    Destroy();
    ExpectInOrder(hostsim::JournalSnapshot(),
                  {"widget-delete 00", "menu-destroy FM", "registration release", "lang-destroy",
                   "panel 39 0 0", "panel-destroy"});
    // The screen's painter and the controller's.
    EXPECT_EQ(hostsim::JournalCount("painter-delete"), 2u);
    EXPECT_EQ(HostCalls().back(), std::make_pair(8, 0));
    EXPECT_EQ(getRegInt("SolvaneON_FM_CHANNELNUM", -1), 40);
    EXPECT_EQ(getRegInt("SolvaneON_FM_SENSITIVITY_LEVEL", -1), 3);
    EXPECT_EQ(Tuner().handles, 0);
}

TEST_F(FmLifecycleTest, SmallSkinPicksTheSmallMenuLayout) {
    setRegInt("SolvaneON_RESOLUTION", 3);
    Create();
    EXPECT_TRUE(hostsim::JournalContains(
        "menu-factory FM SKIN00_800x600/XML/SETUPMENU/FM/FM_SETING_MENU.xml ok"));
}

TEST_F(FmLifecycleTest, UpgradeReportShowsItsMessageAndClearsTheStatus) {
    setRegInt("SolvaneON_UPGRADESTATUS", 2);
    Create();
    ExpectInOrder(hostsim::JournalSnapshot(), {"menu 91 30", "painter flip", "menu 92"});
    EXPECT_EQ(getRegInt("SolvaneON_UPGRADESTATUS", -1), 0);
}

TEST_F(FmLifecycleTest, FailedStartTellsTheHostAndKeepsRefusingKeys) {
    Create();
    sim_tuner_fail_next("ZAQ_OpenTuner", -1);
    Key("q");
    ASSERT_TRUE(WaitForHostCall(11));
    Key(">");
    Settle();
    EXPECT_TRUE(fmtest::TunerLines("ZAQ_SelectChannel").empty());
}

TEST_F(FmLifecycleTest, ExitClosesTheRadioAndTheEngine) {
    CreateAndStart();
    Key("x");
    ASSERT_TRUE(WaitForHostCall(13));
    EXPECT_EQ(Tuner().handles, 0);
    EXPECT_TRUE(hostsim::JournalContains("painter clear 1"));
    // The engine is gone: a start now reaches no tuner.
    Key("q");
    Settle();
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Init"), 1);
}

TEST_F(FmLifecycleTest, ExitBeforeStartStillReachesTheHost) {
    Create();
    Key("x");
    EXPECT_TRUE(WaitForHostCall(13));
}

TEST_F(FmLifecycleTest, MessagesForOtherMediaAreIgnored) {
    CreateAndStart();
    const size_t before = hostsim::JournalSnapshot().size();
    EXPECT_EQ(controller_->MessageHandler(kMediaTv, kCmdSetEngineClosed, nullptr, nullptr, nullptr),
              0);
    EXPECT_EQ(hostsim::JournalSnapshot().size(), before);
    EXPECT_EQ(Tuner().open, 1);
}

TEST_F(FmLifecycleTest, LongKeysAreCutToTheNodeSize) {
    CreateAndStart();
    Key(std::string(40, '>'));
    EXPECT_TRUE(WaitForFrequency("87.6"));
}

TEST_F(FmLifecycleTest, SleepMinutesFromTheHostReachTheMenu) {
    Create();
    controller_->Notify(24, nullptr, 0, 45);
    EXPECT_TRUE(hostsim::JournalContains("menu 184 0 45 0 OSD_FM"));
}

TEST_F(FmLifecycleTest, KeysFromTheMenuCallbackAreHandled) {
    CreateAndStart();
    const char key = '>';
    ASSERT_EQ(hostsim::MenuSendEventFor(kMediaFm, 20, &key, 1, 1), 0);
    EXPECT_TRUE(WaitForFrequency("87.6"));
}

TEST_F(FmLifecycleTest, SecondEngineRequestKeepsTheFirstEngine) {
    CreateAndStart();
    controller_->Notify(0, nullptr, 0, 0);
    Key(">");
    EXPECT_TRUE(WaitForFrequency("87.6"));
    Destroy();
    EXPECT_EQ(Tuner().handles, 0);
}

}  // namespace
}  // namespace fmtest
