// Volume, mute and the setup menu's actions end to end: the tuner's properties, the
// FM screen, the panel, the menu and the host's callback.
#include "tests/plugins/fm/fm_controller_fixture.h"
#include "tests/plugins/fm/fm_test_support.h"

namespace fmtest {
namespace {

using FmSoundTest = FmControllerTest;

// The FM panel's mute-off (22) and volume (32) lines, in order.
std::vector<std::string> SoundCommands() {
    std::vector<std::string> lines;
    for (const std::string& line : hostsim::JournalSnapshot())
        if (line.rfind("fmpanel 22", 0) == 0 || line.rfind("fmpanel 32", 0) == 0)
            lines.push_back(line);
    return lines;
}

// ---- Volume and mute ----

TEST_F(FmSoundTest, NoStoredVolumeStartsAtTenWhileThePanelFirstShowsZero) {
    CreateAndStart();
    EXPECT_TRUE(hostsim::JournalContains("panel 6 0 0"));
    EXPECT_EQ(Tuner().volume, 10);
    EXPECT_EQ(hostsim::CurrentState().fmVolume, 10);
    EXPECT_TRUE(hostsim::JournalContains("panel 22 10 0"));
}

TEST_F(FmSoundTest, StoredVolumeIsClampedWhenTheRadioStarts) {
    setRegInt("SolvaneON_FM_VOLUME", 20);
    CreateAndStart();
    EXPECT_EQ(Tuner().volume, 16);
    EXPECT_EQ(getRegInt("SolvaneON_FM_VOLUME", -1), 16);
    Destroy();
    setRegInt("SolvaneON_FM_VOLUME", -3);
    CreateAndStart();
    EXPECT_EQ(Tuner().volume, 0);
    EXPECT_EQ(getRegInt("SolvaneON_FM_VOLUME", -1), 0);
}

TEST_F(FmSoundTest, VolumeThroughZeroMutesAndUnmutesTheTunerOnly) {
    setRegInt("SolvaneON_FM_VOLUME", 1);
    CreateAndStart();
    Key("-");
    ASSERT_TRUE(WaitUntil([this] { return Tuner().mute == 1; }));
    EXPECT_EQ(Tuner().volume, 0);
    Key("+");
    ASSERT_TRUE(WaitUntil([this] { return Tuner().mute == 0 && Tuner().volume == 1; }));
    Settle();
    EXPECT_EQ(hostsim::CurrentState().fmVolume, 1);
    // Neither step touched the listener's mute: the next 'f' mutes.
    Key("f");
    EXPECT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmMuted; }));
    EXPECT_EQ(Tuner().mute, 1);
    EXPECT_TRUE(hostsim::CurrentState().muted);
}

TEST_F(FmSoundTest, VolumeKeyWhileMutedUnmutesFirst) {
    CreateAndStart();
    Key("f");
    ASSERT_TRUE(WaitUntil([] { return hostsim::CurrentState().fmMuted; }));
    ClearJournals();
    Key("+");
    ASSERT_TRUE(WaitForHost("panel 22 11"));
    const auto commands = SoundCommands();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0].rfind("fmpanel 22", 0), 0u);
    EXPECT_EQ(commands[1], "fmpanel 32 11");
    EXPECT_FALSE(hostsim::CurrentState().fmMuted);
    EXPECT_EQ(Tuner().mute, 0);
    EXPECT_EQ(Tuner().volume, 11);
}

TEST_F(FmSoundTest, MuteTogglesPanelScreenAndTuner) {
    CreateAndStart();
    Key("f");
    ASSERT_TRUE(WaitForHost("panel 25"));
    EXPECT_EQ(Tuner().mute, 1);
    ClearJournals();
    Key("f");
    ASSERT_TRUE(WaitForHost("panel 22 10"));
    EXPECT_TRUE(hostsim::JournalContains("panel 26 0 0"));
    EXPECT_EQ(Tuner().mute, 0);
    EXPECT_TRUE(WaitUntil([] { return !hostsim::CurrentState().fmMuted; }));
}

// ---- Setup menu ----

TEST_F(FmSoundTest, SleepTimerChoicesReachTheHost) {
    CreateAndStart();
    Key("S");
    MenuEvent(15, 4, 64);
    ASSERT_TRUE(WaitForHostCall(16));
    EXPECT_EQ(HostCalls().back(), std::make_pair(16, 1800));
    EXPECT_EQ(hostsim::CurrentState().sleepMinutes, 30);
    MenuEvent(15, 5, 64);
    ASSERT_TRUE(WaitUntil([] { return HostCalls().back() == std::make_pair(16, 3600); }));
}

TEST_F(FmSoundTest, UnknownSleepValueChangesNothingButLeavesTheMenuAndTellsTheHost) {
    CreateAndStart();
    MenuEvent(15, 4, 64);
    ASSERT_TRUE(WaitForHostCall(16));
    Key("S");
    ASSERT_TRUE(WaitForHost("menu 65"));
    ClearJournals();
    MenuEvent(15, 7, 64);
    ASSERT_TRUE(WaitForHost("menu 184"));
    EXPECT_TRUE(hostsim::JournalContains("menu 66 0 0 0 0"));
    EXPECT_TRUE(hostsim::JournalContains("menu 184 0 30 0 OSD_FM"));
    ASSERT_TRUE(WaitUntil([] { return HostCalls().size() >= 3; }));
    EXPECT_EQ(HostCalls().back(), std::make_pair(16, 1800));
    // Out of menu mode, arrows no longer reach the menu.
    Key(std::string(1, 28));
    Settle();
    EXPECT_EQ(hostsim::JournalCount("menu 40"), 0u);
}

TEST_F(FmSoundTest, MenuModeRoutesArrowsToTheMenu) {
    CreateAndStart();
    Key("S");
    Key(std::string(1, 28));
    Key(std::string(1, 10));
    ASSERT_TRUE(WaitForHost("menu 50"));
    EXPECT_TRUE(hostsim::JournalContains("menu 40 0 0 0 0"));
    Key(">");
    Key("S");
    ASSERT_TRUE(WaitForHost("menu 66"));
    EXPECT_EQ(Tuner().fmChannel, 0);
}

TEST_F(FmSoundTest, SensitivityFromTheMenuSetsTheSeekThreshold) {
    setRegInt("SolvaneON_FM_CHANNELNUM", 20);
    CreateAndStart();
    MenuEvent(3, 1, 31);
    ASSERT_TRUE(WaitForHost("menu 65 3"));
    MenuEvent(3, 2, 110);
    Settle();
    Key("]");
    // Threshold 21: the 24 peak at 89.3 MHz is a station.
    ASSERT_TRUE(WaitForTuned("89.3"));
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetSensitivityLevel 1"), 1);
    Destroy();
    EXPECT_EQ(getRegInt("SolvaneON_FM_SENSITIVITY_LEVEL", -1), 2);
}

TEST_F(FmSoundTest, SensitivityOutsideItsLevelsIsNotTaken) {
    // 400000000 x 7 does not fit an int: the threshold would be garbage.
    setRegInt("SolvaneON_FM_SENSITIVITY_LEVEL", 400000000);
    CreateAndStart();
    MenuEvent(3, 1, 31);
    ASSERT_TRUE(WaitForHost("menu 65 3"));
    MenuEvent(3, static_cast<unsigned>(-9), 110);
    Settle();
    Key("]");
    ASSERT_TRUE(WaitForTuner("ZAQ_SetSensitivityLevel"));
    // The default level 3: threshold 14, tuner sensitivity 2 - 14 / 14.
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetSensitivityLevel 1"), 1);
    Destroy();
    EXPECT_EQ(getRegInt("SolvaneON_FM_SENSITIVITY_LEVEL", -1), 3);
}

TEST_F(FmSoundTest, LanguageChangeFollowsThePreferenceAndClearsTheSleepTimer) {
    hostsim::SetLanguages(2, 1);
    CreateAndStart();
    MenuEvent(15, 4, 64);
    ASSERT_TRUE(WaitForHostCall(16));
    MenuEvent(15, 1, 87);
    ASSERT_TRUE(WaitForHost("lang set 2"));
    ASSERT_TRUE(WaitUntil([] { return HostCalls().back() == std::make_pair(16, 0); }));
    EXPECT_TRUE(hostsim::JournalContains("menu 97 0 0 0 0"));
    EXPECT_TRUE(hostsim::JournalContains("menu 165 0 0 0 OSD_FM"));
}

TEST_F(FmSoundTest, ExitChoiceOfTheMenuTellsTheHost) {
    CreateAndStart();
    MenuEvent(15, 0, 89);
    EXPECT_TRUE(WaitForHostCall(22));
}

TEST_F(FmSoundTest, PatchCheckShowsWhetherAPatchIsNewer) {
    hostsim::SetPartitions({{"/mnt/a", "A:"}, {"/mnt/c", "C:"}});
    hostsim::SetPatches({{"/mnt/c/", "/dev/loop3", 2, 0, 0}});
    hostsim::SetInstalledVersion(true, 1, 0, 0);
    CreateAndStart();
    controller_->MessageHandler(kMediaFm, kCmdSetPatch, nullptr, nullptr, nullptr);
    ASSERT_TRUE(WaitForHost("menu 90"));
    EXPECT_TRUE(hostsim::JournalContains("menu 90 27 0 0 0"));
    hostsim::SetInstalledVersion(true, 3, 0, 0);
    controller_->MessageHandler(kMediaFm, kCmdSetPatch, nullptr, nullptr, nullptr);
    ASSERT_TRUE(WaitForHost("menu 91 28"));
}

TEST_F(FmSoundTest, MenuEventsLeaveOrCloseTheMenu) {
    CreateAndStart();
    Key("S");
    MenuEvent(3, 0, 60);
    Key(std::string(1, 28));
    Settle();
    EXPECT_EQ(hostsim::JournalCount("menu 40"), 0u);
    controller_->Notify(24, nullptr, 0, 30);
    MenuEvent(3, 0, 56);
    ASSERT_TRUE(WaitForHost("menu 165"));
    EXPECT_TRUE(hostsim::JournalContains("menu 165 0 30 0 OSD_FM"));
    MenuEvent(15, 0, 83);
    EXPECT_TRUE(WaitForHost("menu 180 0 0 0 OSD_FM"));
}

TEST_F(FmSoundTest, StartUsesTheStoredAudioInputWithItsDefault) {
    CreateAndStart();
    EXPECT_EQ(Tuner().audioSource, 1);
    Destroy();
    setRegInt("SolvaneON_TV_AUDIOINPUTSOURCE", 3);
    CreateAndStart();
    EXPECT_EQ(Tuner().audioSource, 3);
}

TEST_F(FmSoundTest, DateIsDrawnByTheUiThread) {
    Create();
    EXPECT_TRUE(WaitForHost("fmpanel 35"));
    EXPECT_FALSE(hostsim::CurrentState().date.empty());
}

}  // namespace
}  // namespace fmtest
