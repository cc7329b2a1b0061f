// The TV controller's frame: construction and destruction order as the host
// journal records it, the setup-menu layout, the upgrade report, Notify, the
// event queue and the controller thread, and the engine-closed message.
#include "plugins/tv/tv_controller.h"
#include "plugins/tv/tv_settings_keys.h"
#include "plugins/tv/tv_ui_ctrl.h"
#include "tests/plugins/tv/tv_test_support.h"

namespace {

using tvtest::HostCalls;
using tvtest::WaitUntil;

// Events the controller thread took, in order.
std::mutex gSeenLock;
std::vector<UiEvent> gSeen;
void Observe(const UiEvent& event) {
    std::lock_guard<std::mutex> guard(gSeenLock);
    gSeen.push_back(event);
}
std::vector<UiEvent> Seen() {
    std::lock_guard<std::mutex> guard(gSeenLock);
    return gSeen;
}

class TvControllerFrame : public tvtest::TvWorld {
  protected:
    void SetUp() override {
        TvWorld::SetUp();
        {
            std::lock_guard<std::mutex> guard(gSeenLock);
            gSeen.clear();
        }
        SetTvEventObserver(&Observe);
    }
    void TearDown() override {
        SetTvEventObserver(nullptr);
        TvWorld::TearDown();
    }

    // Journal lines from the first with prefix `from` on.
    static std::vector<std::string> JournalFrom(const std::string& from) {
        auto journal = hostsim::JournalSnapshot();
        for (size_t i = 0; i < journal.size(); ++i) {
            if (journal[i].rfind(from, 0) == 0) return {journal.begin() + i, journal.end()};
        }
        return {};
    }
};

TEST_F(TvControllerFrame, ConstructionFollowsTheHostsOrder) {
    setRegInt(kKeyTvVolume, 12);
    CTVUICtrl tv;
    const std::vector<std::string> expected = {
        "register 14",
        "lang-get",
        "painter-get",
        "menu-factory TV SKIN00/XML/SETUPMENU/TV/TV_SETING_MENU.xml",
        "menu set-uictrl",
        "menu 81 fn 0 0 0",
        "registration callback 81",
        "panel-get",
        "panel 0 12 0",
    };
    auto journal = hostsim::JournalSnapshot();
    ASSERT_EQ(journal.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(journal[i].rfind(expected[i], 0), 0u) << journal[i];
    }
}

TEST_F(TvControllerFrame, DestructionFollowsTheHostsOrder) {
    {
        CTVUICtrl tv;
        tv.Notify(1, reinterpret_cast<char*>(&HostCalls::Record), 0, 0);
        tv.Notify(0, nullptr, 0, 0);
        hostsim::JournalClear();
    }
    const std::vector<std::string> expected = {
        "registration release", "menu-destroy TV", "lang-destroy",
        "panel 39 0 0",         "panel-destroy",   "painter-delete",
    };
    EXPECT_EQ(hostsim::JournalSnapshot(), expected);
    EXPECT_TRUE(HostCalls::Has("8 8 0 0 0"));
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_InstallCallbackFunction null"), 1);
}

TEST_F(TvControllerFrame, ResolutionThreeChoosesTheLargeLayoutOthersTheSmallOne) {
    for (int resolution : {0, 1, 2, 3}) {
        setRegInt(kKeyResolution, resolution);
        hostsim::JournalClear();
        CTVUICtrl tv;
        const auto factory = hostsim::JournalFind("menu-factory TV ");
        ASSERT_EQ(factory.size(), 1u);
        const std::string layout = resolution == 3
                                       ? "SKIN00_800x600/XML/SETUPMENU/TV/TV_SETING_MENU.xml"
                                       : "SKIN00/XML/SETUPMENU/TV/TV_SETING_MENU.xml";
        EXPECT_EQ(factory[0].rfind("menu-factory TV " + layout + " ", 0), 0u) << factory[0];
    }
}

TEST_F(TvControllerFrame, UpgradeStatusShowsItsMessageAndClearsTheKey) {
    for (auto [status, message] : {std::pair{1, 29}, std::pair{2, 30}}) {
        setRegInt(kKeyUpgradeStatus, status);
        hostsim::JournalClear();
        CTVUICtrl tv;
        const auto menu = JournalFrom("menu 91");
        ASSERT_GE(menu.size(), 2u);
        EXPECT_EQ(menu[0], "menu 91 " + std::to_string(message) + " 0 0 0");
        EXPECT_EQ(menu[1], "menu 66 0 0 0 0");
        EXPECT_EQ(getRegInt(kKeyUpgradeStatus, -1), 0);
    }
}

TEST_F(TvControllerFrame, NoUpgradeStatusShowsNothing) {
    CTVUICtrl tv;
    EXPECT_EQ(hostsim::JournalCount("menu 91"), 0u);
}

TEST_F(TvControllerFrame, HostCallbackIsGreetedAndEngineIsCreated) {
    CTVUICtrl tv;
    EXPECT_EQ(tv.Notify(1, nullptr, 0, 0), 0);
    EXPECT_EQ(tv.Notify(1, reinterpret_cast<char*>(&HostCalls::Record), 0, 0), 0);
    EXPECT_TRUE(HostCalls::Has("8 7 0 0 0"));
    EXPECT_EQ(tv.Notify(0, nullptr, 0, 0), 0);
    EXPECT_NE(tv.Controller().engine.load(), 0u);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_InstallCallbackFunction set"), 1);
}

TEST_F(TvControllerFrame, SleepMinutesAreShownInTheMenu) {
    CTVUICtrl tv;
    EXPECT_EQ(tv.Notify(24, nullptr, 0, 30), 0);
    EXPECT_TRUE(hostsim::JournalContains("menu 184 0 30 0 OSD_TV"));
}

TEST_F(TvControllerFrame, KeysAreQueuedCutAtTwelveBytesAndDeliveredInOrder) {
    CTVUICtrl tv;
    char longKey[] = "0123456789abcdefghij";
    char shortKey[] = "q";
    tv.Notify(2, longKey, 20, 1);
    tv.Notify(2, shortKey, 1, 0);
    ASSERT_TRUE(WaitUntil([] { return Seen().size() >= 2; }));
    const auto seen = Seen();
    EXPECT_EQ(seen[0].kind, kUiEventKey);
    EXPECT_EQ(seen[0].code, 2);
    EXPECT_EQ(seen[0].x, 20);
    EXPECT_EQ(seen[0].y, 1);
    EXPECT_EQ(seen[0].Text(), "0123456789ab");
    EXPECT_EQ(seen[1].Text(), "q");
    EXPECT_EQ(seen[1].y, 0);
}

TEST_F(TvControllerFrame, LengthAndValueOfKeysAreSignedBytes) {
    CTVUICtrl tv;
    char key[] = "+";
    tv.Notify(2, key, 1, 255);
    ASSERT_TRUE(WaitUntil([] { return Seen().size() >= 1; }));
    EXPECT_EQ(Seen()[0].y, -1);
}

TEST_F(TvControllerFrame, KeysAreDroppedWhileBlocked) {
    CTVUICtrl tv;
    char key[] = "a";
    tv.Controller().keysBlocked.store(true);
    tv.Notify(2, key, 1, 1);
    tv.Controller().keysBlocked.store(false);
    tv.Notify(2, key, 1, 2);
    ASSERT_TRUE(WaitUntil([] { return Seen().size() >= 1; }));
    ASSERT_TRUE(tv.Controller().WaitIdle(5000));
    ASSERT_EQ(Seen().size(), 1u);
    EXPECT_EQ(Seen()[0].y, 2);
}

TEST_F(TvControllerFrame, MediaEventsQueueCodeTwentyAsKeysAndOthersAsMessages) {
    CTVUICtrl tv;
    TvMediaEventCallback(20, "xyz", 3, 1);
    TvMediaEventCallback(3, nullptr, 7, 50);
    TvMediaEventCallback(15, "Japan and more text", 19, 39);
    ASSERT_TRUE(WaitUntil([] { return Seen().size() >= 3; }));
    const auto seen = Seen();
    EXPECT_EQ(seen[0].kind, kUiEventKey);
    EXPECT_EQ(seen[0].code, 20);
    EXPECT_EQ(seen[0].x, 3);
    EXPECT_EQ(seen[0].y, 1);
    EXPECT_EQ(seen[0].Text(), "x");
    EXPECT_EQ(seen[1].kind, kUiEventMessage);
    EXPECT_EQ(seen[1].code, 3);
    EXPECT_EQ(seen[1].x, 50);
    EXPECT_EQ(seen[1].y, 7);
    EXPECT_EQ(seen[1].length, 0u);
    EXPECT_EQ(seen[2].Text(), "Japan and mo");
}

TEST_F(TvControllerFrame, EngineClosedDestroysTheEngineClearsAndTellsTheHost) {
    CTVUICtrl tv;
    tv.Notify(1, reinterpret_cast<char*>(&HostCalls::Record), 0, 0);
    tv.Notify(0, nullptr, 0, 0);
    tv.MessageHandler(kMediaTv, kCmdSetEngineClosed, 0, 0, nullptr);
    EXPECT_EQ(tv.Controller().engine.load(), 0u);
    EXPECT_TRUE(hostsim::JournalContains("painter clear 1"));
    EXPECT_TRUE(HostCalls::Has("8 13 0 0 0"));
}

TEST_F(TvControllerFrame, MessagesForOtherMediaTypesDoNothing) {
    CTVUICtrl tv;
    tv.Notify(1, reinterpret_cast<char*>(&HostCalls::Record), 0, 0);
    tv.Notify(0, nullptr, 0, 0);
    tv.MessageHandler(kMediaFm, kCmdSetEngineClosed, 0, 0, nullptr);
    EXPECT_NE(tv.Controller().engine.load(), 0u);
    EXPECT_FALSE(HostCalls::Has("8 13 0 0 0"));
}

}  // namespace
