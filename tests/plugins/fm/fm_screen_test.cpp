// The FM screen built from the skin: which layout, which widgets with which names and
// sizes, and how its commands are carried out.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <sstream>
#include <string>

#include "plugins/fm/fm_ui_mediator.h"
#include "sim/host/host_journal.h"
#include "sim/tuner/sim_tuner.h"
#include "tests/plugins/fm/fm_test_support.h"

namespace {

class FmScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(chdir(FM_SKIN_DIR), 0);
        fmtest::ResetWorld();
    }
    std::unique_ptr<CFMUIMediator> Build(int resolution) {
        setRegInt("SolvaneON_RESOLUTION", resolution);
        return std::make_unique<CFMUIMediator>(CFMUIMediator::LayoutPathFor(resolution));
    }
    // The size a widget was built with, "w h".
    static std::string SizeOf(const std::string& name) {
        for (const std::string& line : hostsim::JournalFind("widget ")) {
            std::istringstream words(line);
            std::string kind, cls, widget;
            words >> kind >> cls >> widget;
            if (widget != name) continue;
            const size_t close = line.rfind('"');
            std::istringstream rest(line.substr(close + 1));
            int x, y, w, h;
            rest >> x >> y >> w >> h;
            return std::to_string(w) + " " + std::to_string(h);
        }
        return "";
    }
};

TEST_F(FmScreenTest, StandardSkinsUseTheLargerSizes) {
    for (int resolution : {0, 1, 2, 4}) {
        hostsim::JournalClear();
        auto screen = Build(resolution);
        EXPECT_TRUE(hostsim::JournalContains("xml open SKIN00/XML/UI/FM/FMUI.xml ok"));
        EXPECT_EQ(SizeOf("000"), "20 17");
        EXPECT_EQ(SizeOf("001"), "110 40");
        EXPECT_EQ(SizeOf("002"), "90 40");
        EXPECT_EQ(SizeOf("003"), "178 32");
        EXPECT_EQ(SizeOf("004"), "157 32");
    }
}

TEST_F(FmScreenTest, SmallSkinUsesTheSmallerSizes) {
    auto screen = Build(3);
    EXPECT_TRUE(hostsim::JournalContains("xml open SKIN00_800x600/XML/UI/FM/FMUI.xml ok"));
    EXPECT_EQ(SizeOf("000"), "16 14");
    EXPECT_EQ(SizeOf("001"), "86 30");
    EXPECT_EQ(SizeOf("002"), "70 32");
    EXPECT_EQ(SizeOf("003"), "140 26");
    EXPECT_EQ(SizeOf("004"), "122 26");
}

TEST_F(FmScreenTest, WidgetsCarryTheirEntriesNamesAndLayoutSizes) {
    auto screen = Build(0);
    EXPECT_TRUE(hostsim::JournalContains("widget CUIToggle 005 \"Mute\" 120 330 32 32 3 1"));
    EXPECT_TRUE(hostsim::JournalContains("widget CUIVolumeBar 006 \"Volume\" 180 336 256 16 3 1"));
    EXPECT_EQ(hostsim::JournalFind("widget CUIFMPanel 00 ").size(), 1u);
    EXPECT_TRUE(screen->HasPanel());
}

TEST_F(FmScreenTest, RedrawAllPrintsItsLineAndReturnsOne) {
    auto screen = Build(0);
    testing::internal::CaptureStdout();
    const int result = screen->Execute(kOsdRedrawAll, nullptr, 0, 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "FM ui mediator update all\n");
    EXPECT_EQ(result, 1);
}

TEST_F(FmScreenTest, OtherCommandsGoToThePanel) {
    auto screen = Build(0);
    char text[] = "101.5";
    EXPECT_EQ(screen->Execute(kOsdFrequency, text, 0, 0, 0), 0);
    EXPECT_EQ(hostsim::CurrentState().fmFrequency, "101.5");
    int flag = 0;
    EXPECT_EQ(screen->Execute(kOsdDisplayFlag, &flag, 0, 0, 0), 0);
    EXPECT_EQ(screen->DisplayFlag(), 0);
}

TEST_F(FmScreenTest, LayoutNotForFmLeavesAScreenThatRefusesCommands) {
    testing::internal::CaptureStderr();
    CFMUIMediator screen("SKIN00/XML/SETUPMENU/FM/FM_SETING_MENU.xml");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "XML file is not for FM!\n");
    EXPECT_FALSE(screen.HasPanel());
    char text[] = "101.5";
    EXPECT_EQ(screen.Execute(kOsdFrequency, text, 0, 0, 0), -1);
}

}  // namespace
