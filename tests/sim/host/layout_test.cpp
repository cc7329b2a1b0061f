// The layout reader loads the shipped skins of both resolutions and reports a
// missing or malformed file.
#include <unistd.h>

#include <fstream>

#include "tests/sim/host/host_test_support.h"

namespace {

class ShippedFmLayout : public HostTest, public ::testing::WithParamInterface<const char*> {
  protected:
    std::string Path() const { return std::string(GetParam()) + "/XML/UI/FM/FMUI.xml"; }
};

TEST_P(ShippedFmLayout, HasTheFmWindowAndPanel) {
    CUI_XML_ADAPTOR layout(Path().c_str());
    ASSERT_TRUE(layout.IsLoaded());
    EXPECT_EQ(layout.GetLayoutId(), "FM");
    EXPECT_NE(layout.GetMainWinId(), 0);
    EXPECT_NE(layout.GetPanelId(), 0);
    EXPECT_FALSE(layout.GetMainWinBgImgLoc().empty());
    EXPECT_FALSE(layout.GetPanelBgImgLoc().empty());
    ZaqRect window = layout.GetMainWinCoordinates();
    ZaqRect panel = layout.GetPanelCoordinates();
    EXPECT_EQ(window.left, 0);
    EXPECT_GT(window.right, panel.right);
    EXPECT_GT(panel.bottom, panel.top);
    EXPECT_TRUE(hostsim::JournalContains("xml open " + Path() + " ok"));
}

TEST_P(ShippedFmLayout, HasEverySevenWidgetEntryOfItsKind) {
    CUI_XML_ADAPTOR layout(Path().c_str());
    CUIXmlEntry entry;
    for (const char* name : {"Favorite Channel Number", "Current Channel", "Frequency Unit"}) {
        EXPECT_TRUE(layout.GetLabel(name, entry)) << name;
        EXPECT_EQ(entry.name, name);
    }
    EXPECT_TRUE(layout.GetClock("Clock", entry));
    EXPECT_TRUE(layout.GetDate("Date", entry));
    ASSERT_TRUE(layout.GetToggle("Mute", entry));
    EXPECT_EQ(entry.images.size(), 2u);
    EXPECT_GT(entry.rect.right, entry.rect.left);
    ASSERT_TRUE(layout.GetVolumnBar("Volume", entry));
    EXPECT_EQ(entry.images.size(), 17u) << "one image per volume level 0..16";
    EXPECT_FALSE(layout.GetLabel("Clock", entry)) << "an entry is found only as its own kind";
}

TEST_P(ShippedFmLayout, SetupMenusOfTheSkinLoadWithItems) {
    std::string skin = GetParam();
    for (const char* media : {"TV/TV_SETING_MENU.xml", "FM/FM_SETING_MENU.xml"}) {
        std::string path = skin + "/XML/SETUPMENU/" + media;
        std::unique_ptr<CSetupMenuMediator> menu(
            CZAQTVSetupMenuFactory::TVSetupMenuFactory(path.c_str()));
        EXPECT_TRUE(menu->IsLayoutLoaded()) << path;
        menu->Command(81, MenuCallbackWord(RememberEvent), nullptr, nullptr, nullptr);
        EXPECT_EQ(hostsim::MenuSelectItem("Defaults"), 0) << path;
    }
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, ShippedFmLayout,
                         ::testing::Values("SKIN00", "SKIN00_800x600"));

using LayoutFiles = HostTest;

TEST_F(LayoutFiles, AMissingFileIsReportedAndReadsAsEmpty) {
    CUI_XML_ADAPTOR layout("SKIN00/XML/UI/FM/NOSUCH.xml");
    EXPECT_FALSE(layout.IsLoaded());
    EXPECT_EQ(layout.GetLayoutId(), "");
    CUIXmlEntry entry;
    EXPECT_FALSE(layout.GetLabel("Current Channel", entry));
    EXPECT_EQ(layout.GetMainWinCoordinates().right, 0);
    EXPECT_TRUE(hostsim::JournalContains("xml open SKIN00/XML/UI/FM/NOSUCH.xml missing"));

    CUI_XML_ADAPTOR unnamed(nullptr);
    EXPECT_FALSE(unnamed.IsLoaded());
}

TEST_F(LayoutFiles, AMissingMenuLayoutStillGivesAWorkingMenu) {
    std::unique_ptr<CSetupMenuMediator> menu(
        CZAQFMSetupMenuFactory::FMSetupMenuFactory("SKIN00/XML/SETUPMENU/FM/NOSUCH.xml"));
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->IsLayoutLoaded());
    EXPECT_EQ(menu->Command(66, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_TRUE(
        hostsim::JournalContains("menu-factory FM SKIN00/XML/SETUPMENU/FM/NOSUCH.xml missing"));
}

TEST_F(LayoutFiles, MalformedLinesAreSkipped) {
    std::string path = "host_layout_test_" + std::to_string(getpid()) + ".xml";
    {
        std::ofstream file(path);
        file << "# comment\n\nlayout | XX\n"
             << "label | Broken | 1 2 three 4\n"
             << "label | Short | 1 2 3\n"
             << "label | Good | 1 2 3 4 | | hello | 7\n"
             << "mainwin | notanumber | 0 0 9\n";
    }
    CUI_XML_ADAPTOR layout(path.c_str());
    std::remove(path.c_str());
    EXPECT_EQ(layout.GetLayoutId(), "XX");
    CUIXmlEntry entry;
    EXPECT_FALSE(layout.GetLabel("Broken", entry));
    EXPECT_FALSE(layout.GetLabel("Short", entry));
    ASSERT_TRUE(layout.GetLabel("Good", entry));
    EXPECT_EQ(entry.text, "hello");
    EXPECT_EQ(entry.format, 7);
    EXPECT_EQ(entry.rect.bottom, 4);
    EXPECT_EQ(layout.GetMainWinId(), 0);
    EXPECT_EQ(layout.GetMainWinCoordinates().right, 0);
}

}  // namespace
