// Events from the host's menus and registrations reach the controller's callback.
#include "tests/sim/host/host_test_support.h"

namespace {

using MenuEvents = HostTest;

std::unique_ptr<CSetupMenuMediator> TvMenuWithCallback() {
    std::unique_ptr<CSetupMenuMediator> menu(
        CZAQTVSetupMenuFactory::TVSetupMenuFactory("SKIN00/XML/SETUPMENU/TV/TV_SETING_MENU.xml"));
    menu->Command(81, MenuCallbackWord(RememberEvent), nullptr, nullptr, nullptr);
    return menu;
}

TEST_F(MenuEvents, MenuSendsEventsThroughTheCallbackOfCommand81) {
    auto menu = TvMenuWithCallback();
    EXPECT_EQ(hostsim::MenuSendEvent(15, nullptr, 4, 64), 0);
    EXPECT_EQ(hostsim::MenuSendEvent(20, "x", 1, 1), 0);
    std::vector<SeenEvent> events = SeenEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].code, 15);
    EXPECT_EQ(events[0].len, 4u);
    EXPECT_EQ(events[0].value, 64);
    EXPECT_EQ(events[1].code, 20);
    EXPECT_EQ(events[1].data, "x");
}

TEST_F(MenuEvents, NoMenuOrNoCallbackMeansNoEvent) {
    EXPECT_EQ(hostsim::MenuSendEvent(3, nullptr, 0, 60), -1);
    std::unique_ptr<CSetupMenuMediator> menu(CZAQFMSetupMenuFactory::FMSetupMenuFactory(nullptr));
    EXPECT_EQ(hostsim::MenuSendEvent(3, nullptr, 0, 60), -1);
    EXPECT_TRUE(SeenEvents().empty());
}

TEST_F(MenuEvents, ADestroyedMenuSendsNothing) {
    auto menu = TvMenuWithCallback();
    menu.reset();
    EXPECT_EQ(hostsim::MenuSendEvent(3, nullptr, 0, 60), -1);
    EXPECT_TRUE(hostsim::JournalContains("menu-destroy TV"));
}

TEST_F(MenuEvents, EventsCanBeAimedAtOneMediaType) {
    auto tv = TvMenuWithCallback();
    std::unique_ptr<CSetupMenuMediator> fm(CZAQFMSetupMenuFactory::FMSetupMenuFactory(nullptr));
    EXPECT_EQ(hostsim::MenuSendEventFor(kMediaFm, 3, nullptr, 0, 60), -1) << "FM has no callback";
    EXPECT_EQ(hostsim::MenuSendEventFor(kMediaTv, 3, nullptr, 0, 60), 0);
    EXPECT_EQ(SeenEvents().size(), 1u);
}

TEST_F(MenuEvents, LayoutItemsSendTheirCodeSubCommandAndArgument) {
    auto menu = TvMenuWithCallback();
    ASSERT_TRUE(menu->IsLayoutLoaded());
    EXPECT_EQ(hostsim::MenuSelectItem("Sleep 30 minutes"), 0);
    EXPECT_EQ(hostsim::MenuSelectItem("No such item"), -1);
    std::vector<SeenEvent> events = SeenEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].code, 15);
    EXPECT_EQ(events[0].value, 64) << "the sub-command travels as the value";
    EXPECT_EQ(events[0].len, 4u) << "the argument travels as the length";
}

// The controller a menu is handed; the menu only notes it.
class StandInController : public CUICTRL {
  public:
    int Notify(unsigned, char*, unsigned, int) override { return 0; }
};

TEST_F(MenuEvents, SetUiCtrlAndNotifyAreRecorded) {
    auto menu = TvMenuWithCallback();
    StandInController controller;
    menu->SetUiCtrl(&controller);
    char key[] = "S";
    EXPECT_EQ(menu->Notify(2, key, 1, 1), 0);
    EXPECT_TRUE(hostsim::JournalContains("menu set-uictrl"));
    EXPECT_TRUE(hostsim::JournalContains("menu-notify 2 1 1"));
}

TEST_F(MenuEvents, RegistrationSendsThroughItsInstalledCallback) {
    EXPECT_EQ(hostsim::RegistrationSendEvent(20, "q", 1, 1), -1);
    CZAQRegistration* registration = CZAQRegisterFactory::RegisterFactory(kMediaTv);
    registration->InstallCallback(81, RememberEvent, 0, 0, 0);
    EXPECT_EQ(hostsim::RegistrationSendEvent(20, "q", 1, 1), 0);
    registration->Release();
    EXPECT_EQ(hostsim::RegistrationSendEvent(20, "q", 1, 1), -1);
    ASSERT_EQ(SeenEvents().size(), 1u);
    EXPECT_EQ(SeenEvents()[0].data, "q");
}

}  // namespace
