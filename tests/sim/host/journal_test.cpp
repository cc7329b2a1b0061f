// The journal records every call into the host with its arguments, and the host's
// state follows what the panel and menu were told.
#include <thread>

#include "tests/sim/host/host_test_support.h"

using hostsim::JournalContains;
using hostsim::JournalSnapshot;

namespace {

using Journal = HostTest;

TEST_F(Journal, RecordsRegistrationCallsInOrder) {
    CZAQRegistration* registration = CZAQRegisterFactory::RegisterFactory(kMediaTv);
    std::vector<CZAQPictureItem> pictures;
    std::vector<CZAQTunerItem> tuners;
    EXPECT_EQ(registration->FillPictureItems(pictures), 6);
    EXPECT_EQ(registration->FillPictureGroupItems(pictures, kItemGroupPictureDefaults), 4);
    EXPECT_EQ(registration->FillTunerGroupItems(tuners, kItemGroupTunerDefaults), 2);
    EXPECT_EQ(registration->FillTunerItems(tuners), 2);
    EXPECT_EQ(registration->InstallCallback(81, RememberEvent, 0, 0, 0), 0);
    registration->Release();

    std::vector<std::string> expected = {"register 14",
                                         "registration fill-picture 6",
                                         "registration fill-picture-group 2 4",
                                         "registration fill-tuner-group 5 2",
                                         "registration fill-tuner 2",
                                         "registration callback 81",
                                         "registration release"};
    EXPECT_EQ(JournalSnapshot(), expected);
}

TEST_F(Journal, DefaultItemsCarryIdsAndKeys) {
    CZAQRegistration* registration = CZAQRegisterFactory::RegisterFactory(kMediaTv);
    std::vector<CZAQPictureItem> pictures;
    registration->FillPictureGroupItems(pictures, kItemGroupPictureDefaults);
    ASSERT_EQ(pictures.size(), 4u);
    EXPECT_EQ(pictures[0].id, 10);
    EXPECT_EQ(pictures[0].key, "SolvaneON_TV_BRIGHTNESS");
    EXPECT_EQ(pictures[3].id, 13);
    EXPECT_EQ(pictures[3].key, "SolvaneON_TV_SATURATION");

    registration->FillPictureGroupItems(pictures, kItemGroupPictureDisplay);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_LT(pictures[1].id, 0) << "the display page lists one item that is no property";

    std::vector<CZAQTunerItem> tuners;
    registration->FillTunerGroupItems(tuners, kItemGroupTunerDefaults);
    ASSERT_EQ(tuners.size(), 2u);
    EXPECT_EQ(tuners[0].key, "SolvaneON_TV_AUDIOINPUTSOURCE");
    EXPECT_EQ(tuners[0].setCommand, 50);
    EXPECT_EQ(tuners[0].getCommand, 44);
    EXPECT_EQ(tuners[0].value, 1);
    registration->Release();
}

TEST_F(Journal, ConfiguredItemsReplaceTheDefaultsAndUnknownGroupsAreEmpty) {
    hostsim::SetPictureItems(kItemGroupPictureDefaults, {{20, "PICTURE_KEY", 6}});
    CZAQRegistration* registration = CZAQRegisterFactory::RegisterFactory(kMediaFm);
    std::vector<CZAQPictureItem> pictures;
    EXPECT_EQ(registration->FillPictureGroupItems(pictures, kItemGroupPictureDefaults), 1);
    EXPECT_EQ(pictures[0].key, "PICTURE_KEY");
    EXPECT_EQ(pictures[0].value, 6);
    EXPECT_EQ(registration->FillPictureGroupItems(pictures, 9), 0);
    EXPECT_TRUE(pictures.empty());
    registration->Release();
    EXPECT_TRUE(JournalContains("register 17"));
}

TEST_F(Journal, MenuCommandsShowTheirWordsDecoded) {
    std::unique_ptr<CSetupMenuMediator> menu(
        CZAQTVSetupMenuFactory::TVSetupMenuFactory("SKIN00/XML/SETUPMENU/TV/TV_SETING_MENU.xml"));
    int minutes = 5, number = 12, count = 2, mode = 3, one = 1;
    char zero = 0;
    std::vector<std::string> labels = {"SAVE01", "CH04"};
    menu->Command(184, nullptr, &minutes, nullptr, "OSD_TV");
    menu->Command(159, &number, &count, &mode, "OSD_TV");
    menu->Command(88, "Japan", &one, nullptr, nullptr);
    menu->Command(88, &number, nullptr, nullptr, nullptr);
    menu->Command(96, &labels, nullptr, nullptr, nullptr);
    menu->Command(165, &zero, nullptr, nullptr, "OSD_TV");
    menu->Command(81, MenuCallbackWord(RememberEvent), nullptr, nullptr, nullptr);
    menu->Command(66, nullptr, nullptr, nullptr, nullptr);

    for (const char* line :
         {"menu 184 0 5 0 OSD_TV", "menu 159 12 2 3 OSD_TV", "menu 88 Japan 1 0 0",
          "menu 88 12 0 0 0", "menu 96 {SAVE01|CH04} 0 0 0", "menu 165 0 0 0 OSD_TV",
          "menu 81 fn 0 0 0", "menu 66 0 0 0 0"}) {
        EXPECT_TRUE(JournalContains(line)) << line;
    }
}

TEST_F(Journal, UnknownMenuCommandsNeverReadTheirWords) {
    std::unique_ptr<CSetupMenuMediator> menu(CZAQFMSetupMenuFactory::FMSetupMenuFactory(nullptr));
    int value = 1;
    EXPECT_EQ(menu->Command(250, &value, nullptr, &value, nullptr), 0);
    EXPECT_TRUE(JournalContains("menu 250 ? 0 ? 0"));
}

TEST_F(Journal, MenuStateFollowsOpenCloseSleepAndMessages) {
    std::unique_ptr<CSetupMenuMediator> menu(CZAQTVSetupMenuFactory::TVSetupMenuFactory(nullptr));
    int minutes = 30, message = 29;
    menu->Command(65, nullptr, nullptr, nullptr, nullptr);
    menu->Command(184, nullptr, &minutes, nullptr, "OSD_TV");
    menu->Command(91, &message, nullptr, nullptr, nullptr);
    hostsim::State state = hostsim::CurrentState();
    EXPECT_TRUE(state.menuOpen);
    EXPECT_EQ(state.sleepMinutes, 30);
    EXPECT_EQ(state.menuMessage, 29);

    menu->Command(92, nullptr, nullptr, nullptr, nullptr);
    menu->Command(66, nullptr, nullptr, nullptr, nullptr);
    state = hostsim::CurrentState();
    EXPECT_FALSE(state.menuOpen);
    EXPECT_EQ(state.menuMessage, 0);
}

TEST_F(Journal, ScanProgressLastsUntilAChannelIsShown) {
    std::unique_ptr<CSetupMenuMediator> menu(CZAQTVSetupMenuFactory::TVSetupMenuFactory(nullptr));
    int slot = 57, three = 3;
    EXPECT_FALSE(hostsim::CurrentState().scanning);
    menu->Command(163, &slot, nullptr, &three, "OSD_TV");
    EXPECT_TRUE(hostsim::CurrentState().scanning);
    EXPECT_EQ(hostsim::CurrentState().scanSlot, 57);
    int shownChannel = 3;
    for (unsigned shown : {159u, 160u, 161u}) {
        menu->Command(163, &slot, nullptr, &three, "OSD_TV");
        menu->Command(shown, &shownChannel, nullptr, &three, "OSD_TV");
        EXPECT_FALSE(hostsim::CurrentState().scanning) << shown;
        EXPECT_EQ(hostsim::CurrentState().scanSlot, 57) << shown;
    }
}

TEST_F(Journal, PanelCommandsCarryValueAndFlag) {
    CUIPanelCtrl* panel = CUIPanelCtrl::GetOrCreateObject();
    panel->PanelDisplay(kPanelChannel, PanelValue(7), 2);
    panel->PanelDisplay(kPanelVolume, PanelValue(12), 0);
    panel->PanelDisplay(kPanelMuteOn, nullptr, 0);
    panel->PanelDisplay(kPanelSoundMode, PanelValue(3), 2);
    panel->PanelDisplay(kPanelFrequency, PanelValue(101500000), 999);

    hostsim::State state = hostsim::CurrentState();
    EXPECT_TRUE(state.panelOpen);
    EXPECT_EQ(state.channel, 7);
    EXPECT_EQ(state.volume, 12);
    EXPECT_TRUE(state.muted);
    EXPECT_EQ(state.soundMode, 3);
    EXPECT_EQ(state.frequencyHz, 101500000);
    EXPECT_EQ(state.frequencyFlag, 999);

    panel->PanelDisplay(kPanelClose, nullptr, 0);
    CUIPanelCtrl::DestroyObject();
    EXPECT_FALSE(hostsim::CurrentState().panelOpen);
    for (const char* line :
         {"panel-get", "panel 52 7 2", "panel 22 12 0", "panel 25 0 0", "panel 127 3 2",
          "panel 64 101500000 999", "panel 39 0 0", "panel-destroy"}) {
        EXPECT_TRUE(JournalContains(line)) << line;
    }
}

TEST_F(Journal, SharedObjectsCountTheirHolders) {
    CUIPanelCtrl::GetOrCreateObject();
    CUIPanelCtrl::GetOrCreateObject();
    CUIPanelCtrl::DestroyObject();
    EXPECT_TRUE(hostsim::CurrentState().panelOpen) << "one holder is left";
    CUIPanelCtrl::DestroyObject();
    EXPECT_FALSE(hostsim::CurrentState().panelOpen);
    CUIPanelCtrl::DestroyObject();
    EXPECT_TRUE(JournalContains("panel-destroy unmatched"));
}

TEST_F(Journal, PainterAndLanguageCalls) {
    std::unique_ptr<CUIPainter> painter(CUIPainter::GetInstance());
    painter->ClearDisplay(true);
    painter->FlipOntoScreen();
    painter.reset();

    hostsim::SetLanguages(2, 1);
    CZAQLangTrans* language = CZAQLangTrans::GetOrCreateObject();
    EXPECT_EQ(language->GetPreferLangID(), 2);
    EXPECT_EQ(language->GetCurrentLangID(), 1);
    language->SetCurrentLangID(2);
    EXPECT_EQ(language->GetCurrentLangID(), 2);
    CZAQLangTrans::DestroyObject();

    std::vector<std::string> expected = {
        "painter-get",   "painter clear 1", "painter flip", "painter-delete", "lang-get",
        "lang prefer 2", "lang current 1",  "lang set 2",   "lang current 2", "lang-destroy"};
    EXPECT_EQ(JournalSnapshot(), expected);
    EXPECT_EQ(hostsim::CurrentState().flips, 1);
    EXPECT_EQ(hostsim::CurrentState().language, 2);
}

TEST_F(Journal, WaitingSeesALineRecordedOnAnotherThread) {
    std::thread worker([] {
        std::unique_ptr<CUIPainter> painter(CUIPainter::GetInstance());
        painter->ClearDisplay(false);
    });
    EXPECT_TRUE(hostsim::JournalWaitFor("painter clear 0", 10000));
    worker.join();
    EXPECT_FALSE(hostsim::JournalWaitFor("never recorded", 1));
}

TEST_F(Journal, FindAndCountSelectByPrefix) {
    CUIPanelCtrl* panel = CUIPanelCtrl::GetOrCreateObject();
    panel->PanelDisplay(kPanelChannel, PanelValue(1), 2);
    panel->PanelDisplay(kPanelChannel, PanelValue(2), 2);
    CUIPanelCtrl::DestroyObject();
    EXPECT_EQ(hostsim::JournalCount("panel 52 "), 2u);
    EXPECT_EQ(hostsim::JournalFind("panel 52 ").back(), "panel 52 2 2");
}

TEST_F(Journal, KeepsOnlyTheNewestLinesWhenFull) {
    std::unique_ptr<CUIPainter> painter(CUIPainter::GetInstance());
    for (size_t i = 0; i < hostsim::kJournalLimit; ++i) painter->FlipOntoScreen();
    painter->ClearDisplay(true);
    std::vector<std::string> lines = JournalSnapshot();
    EXPECT_EQ(lines.size(), hostsim::kJournalLimit);
    EXPECT_EQ(lines.front(), "painter flip") << "the oldest line was dropped";
    EXPECT_EQ(lines.back(), "painter clear 1");
}

}  // namespace
