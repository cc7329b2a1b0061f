// The FM screen's widgets, built as the FM plug-in builds them, and the panel's
// on-screen commands.
#include <ctime>

#include "tests/sim/host/host_test_support.h"

namespace {

class FmScreen : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        CUI_XML_ADAPTOR layout("SKIN00/XML/UI/FM/FMUI.xml");
        ZaqRect p = layout.GetPanelCoordinates();
        panel_ = std::make_unique<CUIFMPanel>(
            nullptr, layout.GetPanelId(), layout.GetPanelBgImgLoc(), p.left, p.top,
            p.right - p.left + 1, p.bottom - p.top + 1, "00", 2, true);
        CUIXmlEntry entry;
        layout.GetLabel("Favorite Channel Number", entry);
        new CUILabel(panel_.get(), "Favorite Channel Number", entry, entry.rect.left,
                     entry.rect.top, 20, 17, "000", 3, true);
        layout.GetLabel("Current Channel", entry);
        new CUILabel(panel_.get(), "Current Channel", entry, entry.rect.left, entry.rect.top, 110,
                     40, "001", 3, true);
        layout.GetClock("Clock", entry);
        new CUIClock(panel_.get(), "Clock", entry, entry.rect.left, entry.rect.top, 178, 32, "003",
                     3, true, entry.format);
        layout.GetDate("Date", entry);
        new CUIDate(panel_.get(), "Date", entry, entry.rect.left, entry.rect.top, 157, 32, "004", 3,
                    true, 0);
        layout.GetToggle("Mute", entry);
        toggle_ = new CUIToggle(panel_.get(), "Mute", entry, entry.rect.left, entry.rect.top,
                                entry.rect.right - entry.rect.left + 1,
                                entry.rect.bottom - entry.rect.top + 1, "005", 3, true);
        layout.GetVolumnBar("Volume", entry);
        volume_ = new CUIVolumeBar(panel_.get(), "Volume", entry, entry.rect.left, entry.rect.top,
                                   entry.rect.right - entry.rect.left + 1,
                                   entry.rect.bottom - entry.rect.top + 1, "006", 3, true);
    }

    std::unique_ptr<CUIFMPanel> panel_;
    CUIToggle* toggle_ = nullptr;     // owned by panel_
    CUIVolumeBar* volume_ = nullptr;  // owned by panel_
};

TEST_F(FmScreen, WidgetsAreRecordedWithNamePositionSizeAndLayer) {
    EXPECT_EQ(panel_->ChildCount(), 6u);
    EXPECT_EQ(hostsim::JournalCount("widget CUILabel "), 2u);
    EXPECT_EQ(hostsim::JournalFind("widget CUIClock 003 \"Clock\" ").size(), 1u);
    EXPECT_EQ(volume_->Images().size(), 17u);
    EXPECT_EQ(toggle_->Images().size(), 2u);
    EXPECT_EQ(volume_->Layer(), 3);
    EXPECT_EQ(panel_->Name(), "00");
}

TEST_F(FmScreen, FrequencyFavouriteMuteAndVolumeReachTheirWidgets) {
    char frequency[] = "101.5";
    char favourite[] = "3.";
    int volume = 12;
    EXPECT_EQ(panel_->Execute(0, 38, frequency, 0, 0, 0), 0);
    EXPECT_EQ(panel_->Execute(0, 200, favourite, 0, 0, 0), 0);
    EXPECT_EQ(panel_->Execute(0, 32, &volume, 0, 0, 0), 0);
    EXPECT_EQ(panel_->Execute(0, 8, nullptr, 0, 0, 0), 0);

    auto* label = dynamic_cast<CUILabel*>(panel_->FindByEntry("Current Channel"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Text(), "101.5");
    EXPECT_EQ(volume_->Level(), 12);
    EXPECT_TRUE(toggle_->IsOn());
    hostsim::State state = hostsim::CurrentState();
    EXPECT_EQ(state.fmFrequency, "101.5");
    EXPECT_EQ(state.fmFavourite, "3.");
    EXPECT_EQ(state.fmVolume, 12);
    EXPECT_TRUE(state.fmMuted);
    EXPECT_TRUE(hostsim::JournalContains("fmpanel 38 101.5"));

    EXPECT_EQ(panel_->Execute(0, 22, nullptr, 0, 0, 0), 0);
    EXPECT_FALSE(hostsim::CurrentState().fmMuted);
}

TEST_F(FmScreen, VolumeBeyondTheBarIsClamped) {
    int loud = 40;
    panel_->Execute(0, 32, &loud, 0, 0, 0);
    EXPECT_EQ(volume_->Level(), 16);
    int negative = -3;
    panel_->Execute(0, 32, &negative, 0, 0, 0);
    EXPECT_EQ(volume_->Level(), 0);
}

TEST_F(FmScreen, ClockAndDateShowTheTimeRecord) {
    std::tm when{};
    when.tm_year = 126;
    when.tm_mon = 11;
    when.tm_mday = 8;
    when.tm_hour = 7;
    when.tm_min = 5;
    EXPECT_EQ(panel_->Execute(0, 36, &when, 0, 0, 0), 0);
    EXPECT_EQ(panel_->Execute(0, 35, &when, 0, 0, 0), 0);
    EXPECT_EQ(hostsim::CurrentState().clock, "07:05");
    EXPECT_EQ(hostsim::CurrentState().date, "2026/12/08");
}

TEST_F(FmScreen, CommandsNeedingAnArgumentRefuseNull) {
    for (int command : {32, 35, 36, 38, 200}) {
        EXPECT_EQ(panel_->Execute(0, command, nullptr, 0, 0, 0), -1) << command;
    }
    EXPECT_EQ(panel_->Execute(0, 77, nullptr, 0, 0, 0), 0) << "other commands are accepted";
}

TEST_F(FmScreen, AChildDeletedFirstLeavesItsParent) {
    delete toggle_;
    EXPECT_EQ(panel_->ChildCount(), 5u);
    EXPECT_EQ(panel_->FindByEntry("Mute"), nullptr);
    EXPECT_EQ(panel_->Execute(0, 8, nullptr, 0, 0, 0), 0) << "a missing widget is skipped";
    panel_.reset();
    EXPECT_EQ(hostsim::JournalCount("widget-delete "), 7u);
}

TEST_F(FmScreen, UpdateFlushWindowManagerAndColours) {
    panel_->Update();
    panel_->Flush();
    CUIWindowManage::GetOrCreateObject();
    CUIWindowManage::DestroyObject();
    EXPECT_TRUE(hostsim::JournalContains("widget-update 00"));
    EXPECT_TRUE(hostsim::JournalContains("widget-flush 00"));
    EXPECT_TRUE(hostsim::JournalContains("winmanage-destroy"));
    EXPECT_EQ(CUIRGBMixer::Mix(255, 300, -1), 0xFFFF00u);
}

}  // namespace
