// Key handling end to end: the controller fed keys as the host sends them,
// asserting on the menu and panel journal and the tuner journal.
#include "plugins/tv/dvr_engine.h"
#include "plugins/tv/tv_actions.h"
#include "tests/plugins/tv/tv_session_support.h"

namespace {

using tvtest::HostCalls;

class TvKeys : public tvtest::TvSession {};

TEST_F(TvKeys, BeforeStartOnlyQAndXAreTakenAndXStillClosesTheEngine) {
    Create();
    hostsim::JournalClear();
    Key("a");
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_GetChannelListNum"), 0);
    Key("x");
    ASSERT_TRUE(tvtest::WaitUntil([] { return HostCalls::Has("8 13 0 0 0"); }));
    EXPECT_EQ(Tv().engine.load(), 0u);
}

TEST_F(TvKeys, StartTunesTheStoredChannelWithItsOffsetAndShowsIt) {
    setRegInt(kKeyChannelNumber, 8);
    std::string offsets;
    for (int i = 0; i < 512; ++i) offsets += i == 8 ? "  250\n" : "    0\n";
    tvtest::WriteFile(kOffsetsFile, offsets);
    CreateAndStart();
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel 8 250"), 1);
    EXPECT_TRUE(hostsim::JournalContains("menu 159 9 0 3 OSD_TV"));
    EXPECT_TRUE(hostsim::JournalContains("panel 52 9 2"));
    EXPECT_EQ(Tv().channelCount, 125);
}

TEST_F(TvKeys, FailingStartTellsTheHost) {
    Create();
    sim_tuner_fail_next("ZAQ_Init", -1);
    Key("q");
    EXPECT_TRUE(HostCalls::Has("8 11 0 0 0"));
    EXPECT_FALSE(Tv().tvStarted);
}

TEST_F(TvKeys, TypingShowsTheDigitsAndTunesNothing) {
    CreateAndStart();
    sim_tuner_journal_clear();
    Key("5", 0);
    EXPECT_EQ(LastLine("menu 159"), "menu 159 5 1 1 OSD_TV");
    EXPECT_EQ(LastLine("panel 52"), "panel 52 5 2");
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel"), 0);
}

TEST_F(TvKeys, AKeyLongerThanANodeIsItsFirstTwelveBytes) {
    CreateAndStart();
    Key("0000000000012345", 0);
    EXPECT_EQ(LastLine("menu 159"), "menu 159 1 12 1 OSD_TV");
}

TEST_F(TvKeys, CommittedDigitsTuneAFoundChannel) {
    CreateAndStart();
    Key("7");
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel 6 0"), 1);
    EXPECT_EQ(Tv().currentChannel, 6);
    EXPECT_EQ(Tv().previousChannel, 0);
    EXPECT_EQ(LastLine("menu 159"), "menu 159 7 0 3 OSD_TV");
}

TEST_F(TvKeys, ANumberBeyondTheSlotsShowsTheCurrentChannelAgain) {
    sim_tuner_load_channels("slots 100\nstation 4 0 stereo\n");
    StoreChannelList(100, {4});
    setRegInt(kKeyChannelNumber, 4);
    CreateAndStart();
    sim_tuner_journal_clear();
    Key("123");
    EXPECT_EQ(LastLine("menu 159"), "menu 159 5 0 3 OSD_TV");
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel"), 0);
}

TEST_F(TvKeys, FavouriteNumbersWrapAtTwelvePositions) {
    tvtest::WriteFile(kFavouritesFile, "1\n2\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n124\n");
    CreateAndStart();
    Message(3, 51);
    ASSERT_EQ(Tv().channelMode, kFavouriteChannels);
    Key("14");
    EXPECT_EQ(Tv().currentChannel, 1);
    EXPECT_EQ(LastLine("menu 160"), "menu 160 3 0 3 OSD_TV");
    Key("12");
    EXPECT_EQ(Tv().currentChannel, 11);
    Key("1");
    Key("24");
    EXPECT_EQ(Tv().currentChannel, 11);
    EXPECT_EQ(LastLine("menu 160"), "menu 160 125 0 3 OSD_TV");
}

TEST_F(TvKeys, NextAndPreviousWalkTheFoundChannels) {
    CreateAndStart();
    Key("(");
    EXPECT_EQ(Tv().currentChannel, 1);
    Key("(");
    EXPECT_EQ(Tv().currentChannel, 2);
    Key(")");
    EXPECT_EQ(Tv().currentChannel, 1);
    Key(")");
    EXPECT_EQ(Tv().currentChannel, 124);
    EXPECT_EQ(LastLine("panel 52"), "panel 52 125 2");
}

TEST_F(TvKeys, NextWithOnlyTheCurrentChannelChangesAndShowsNothing) {
    StoreChannelList(125, {6});
    setRegInt(kKeyChannelNumber, 6);
    CreateAndStart();
    hostsim::JournalClear();
    sim_tuner_journal_clear();
    Key("(");
    EXPECT_EQ(Tv().currentChannel, 6);
    EXPECT_EQ(hostsim::JournalCount("menu 159"), 0u);
    EXPECT_EQ(hostsim::JournalCount("panel 52"), 0u);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel"), 0);
}

TEST_F(TvKeys, RecallSwapsWithThePreviousChannel) {
    CreateAndStart();
    Key("9");
    Key("!");
    EXPECT_EQ(Tv().currentChannel, 0);
    EXPECT_EQ(Tv().previousChannel, 8);
    EXPECT_EQ(LastLine("menu 161"), "menu 161 1 0 3 OSD_TV");
}

int TunerVolume() {
    SimTunerState state;
    sim_tuner_get_state(&state);
    return state.volume;
}

TEST_F(TvKeys, VolumeAndMute) {
    CreateAndStart();
    const int start = TunerVolume();
    Key("+");
    const std::string up = std::to_string(start + 1);
    EXPECT_EQ(LastLine("panel 22"), "panel 22 " + up + " 0");
    EXPECT_EQ(LastLine("menu 32"), "menu 32 0 " + up + " 0 OSD_TV");
    Key("f");
    EXPECT_TRUE(hostsim::CurrentState().muted);
    EXPECT_EQ(LastLine("menu 8"), "menu 8 0 0 0 OSD_TV");
    Key("f");
    EXPECT_FALSE(hostsim::CurrentState().muted);
    Key("f");
    Key("+");
    EXPECT_FALSE(Tv().muted);
    EXPECT_EQ(hostsim::CurrentState().volume, start + 2);
}

TEST_F(TvKeys, StoredVolumeIsWhatTheTunerPlaysAtStart) {
    // The tuner keeps its own level between opens; the stored one must win, so that
    // the panel at start and the first step agree with what is heard.
    setRegInt(kKeyTvVolume, 11);
    CreateAndStart();
    EXPECT_EQ(TunerVolume(), 11);
    EXPECT_EQ(LastLine("panel 0 "), "panel 0 11 0");
    Key("-");
    EXPECT_EQ(LastLine("panel 22"), "panel 22 10 0");
    EXPECT_EQ(TunerVolume(), 10);
    EXPECT_EQ(getRegInt(kKeyTvVolume, -1), 10);
}

TEST_F(TvKeys, WithoutAStoredVolumeTheTunerKeepsItsLevel) {
    CreateAndStart();
    // Nothing stored must not silence the tuner with the panel's default of 0.
    EXPECT_EQ(TunerVolume(), 10);
    Key("+");
    EXPECT_EQ(LastLine("panel 22"), "panel 22 11 0");
}

TEST_F(TvKeys, ThreePressesOfEqualsBringTheInputBackToZero) {
    CreateAndStart();
    Key("=");
    Key("=");
    Key("=");
    const auto journal = SimTunerJournal();
    std::vector<std::string> sets;
    for (const auto& line : journal) {
        if (line.rfind("ZAQ_SetVideoInputSource", 0) == 0) sets.push_back(line);
    }
    EXPECT_EQ(sets,
              (std::vector<std::string>{"ZAQ_SetVideoInputSource 1", "ZAQ_SetVideoInputSource 2",
                                        "ZAQ_SetVideoInputSource 0"}));
    EXPECT_EQ(Tv().videoInput, 0);
}

TEST_F(TvKeys, SoundModeKeyWalksToTheNextOfferedMode) {
    setRegInt(kKeyChannelNumber, 4);
    CreateAndStart();
    Key("i");
    SimTunerState state;
    sim_tuner_get_state(&state);
    EXPECT_NE(sim_tuner_journal_count("ZAQ_SetProperty 122"), 0);
    EXPECT_EQ(state.mtsMode, state.mtsRequested);
}

TEST_F(TvKeys, MenuOpenPassesArrowsAndEnterAndClosesOnS) {
    CreateAndStart();
    Key("S");
    EXPECT_TRUE(Tv().menuOpen);
    Key(std::string(1, 28));
    Key(std::string(1, 31));
    Key(std::string(1, 10));
    EXPECT_TRUE(hostsim::JournalContains("menu 40 0 0 0 0"));
    EXPECT_TRUE(hostsim::JournalContains("menu 43 0 0 0 0"));
    EXPECT_TRUE(hostsim::JournalContains("menu 50 0 0 0 0"));
    Key("S");
    EXPECT_FALSE(Tv().menuOpen);
}

TEST_F(TvKeys, TeletextSEndsItAndSwitchesToAllChannels) {
    tvtest::WriteFile(kFavouritesFile, "5\n");
    CreateAndStart();
    Message(3, 51);
    ASSERT_EQ(Tv().channelMode, kFavouriteChannels);
    testing::internal::CaptureStdout();
    Message(3, 58);
    Key("(");
    EXPECT_EQ(Tv().channelMode, kFavouriteChannels);
    Key("s");
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_NE(printed.find("#### TELTEXT is Start Now ####\n"), std::string::npos);
    EXPECT_NE(printed.find("#### TELTEXT is finished by key s ####\n"), std::string::npos);
    EXPECT_FALSE(Tv().teletext);
    EXPECT_EQ(Tv().channelMode, kAllChannels);
    EXPECT_EQ(Tv().currentChannel, 5);
    EXPECT_EQ(LastLine("menu 159"), "menu 159 6 0 3 OSD_TV");
}

TEST_F(TvKeys, FineTuningStopsAtTheLimitAndAnotherKeyStoresTheOffset) {
    std::string offsets;
    for (int i = 0; i < 512; ++i) offsets += i == 0 ? " 1750\n" : "    0\n";
    tvtest::WriteFile(kOffsetsFile, offsets);
    CreateAndStart();
    Message(3, 57);
    Key(std::string(1, 30));
    EXPECT_EQ(Tv().fineTuneTotal, 250);
    sim_tuner_journal_clear();
    Key(std::string(1, 30));
    EXPECT_EQ(Tv().fineTuneTotal, 250);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_MicroTuner"), 0);
    Key(std::string(1, 31));
    EXPECT_EQ(Tv().fineTuneTotal, 0);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_MicroTuner 0"), 1);
    Key(std::string(1, 31));
    EXPECT_EQ(Tv().fineTuneTotal + Tv().frequencyOffsets[0], 1500);
    const int volume = TunerVolume();
    Key("+");
    EXPECT_FALSE(Tv().fineTuning);
    EXPECT_EQ(Tv().frequencyOffsets[0], 1500);
    EXPECT_EQ(tvtest::ReadFile(kOffsetsFile).substr(0, 6), " 1500\n");
    EXPECT_EQ(LastLine("panel 22"), "panel 22 " + std::to_string(volume + 1) + " 0");
}

TEST_F(TvKeys, FineTuningFromTheLimitTakesOnlyTheDownwardStep) {
    std::string offsets;
    for (int i = 0; i < 512; ++i) offsets += i == 0 ? " 2000\n" : "    0\n";
    tvtest::WriteFile(kOffsetsFile, offsets);
    CreateAndStart();
    Message(3, 57);
    Key(std::string(1, 30));
    EXPECT_EQ(Tv().fineTuneTotal, 0);
    Key(std::string(1, 31));
    EXPECT_EQ(Tv().fineTuneTotal + Tv().frequencyOffsets[0], 1750);
}

// Without a stored channel list, starting TV scans.
class TvScanKeys : public tvtest::TvSession {
  protected:
    bool StartWithStoredList() const override { return false; }
};

TEST_F(TvScanKeys, ScanThatFindsNothingEndsOnSlotZero) {
    sim_tuner_load_channels("slots 20\n");
    setRegInt(kKeyChannelNumber, 5);
    Create();
    Key("q");
    ASSERT_TRUE(
        tvtest::WaitUntil([this] { return !Read([](TvController& tv) { return tv.scanning; }); }));
    ASSERT_TRUE(Tv().WaitIdle(20000));
    EXPECT_EQ(Tv().currentChannel, 0);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel 0 0"), 1);
    char stored[ZAQ_SETTING_MAX_LENGTH] = {};
    ASSERT_EQ(getRegStr(kKeyChannelList, stored), 0);
    EXPECT_EQ(std::string(stored), std::string(20, '0'));
}

TEST_F(TvScanKeys, DuringAScanOnlySAndXAreTakenAndXStopsAndExits) {
    Create();
    {
        // Acts while the scan's reports are still queued.
        std::lock_guard<std::recursive_mutex> guard(Tv().serial);
        StartTv(Tv());
        ASSERT_TRUE(Tv().scanning);
        sim_tuner_journal_clear();
        Tv().HandleKey("a", 1, 1);
        Tv().HandleKey("(", 1, 1);
        Tv().HandleKey("5", 1, 1);
        EXPECT_EQ(sim_tuner_journal_count("ZAQ_GetChannelListNum"), 0);
        EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel"), 0);
        Tv().HandleKey("x", 1, 1);
        EXPECT_FALSE(Tv().scanning);
        EXPECT_FALSE(DvrScanRunning());
    }
    ASSERT_TRUE(tvtest::WaitUntil([] { return HostCalls::Has("8 13 0 0 0"); }, 30000));
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_CloseTuner"), 1);
}

TEST_F(TvScanKeys, SDuringAScanStopsItOnly) {
    Create();
    std::lock_guard<std::recursive_mutex> guard(Tv().serial);
    StartTv(Tv());
    ASSERT_TRUE(Tv().scanning);
    Tv().HandleKey("s", 1, 1);
    EXPECT_FALSE(Tv().scanning);
    EXPECT_FALSE(DvrScanRunning());
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_CloseTuner"), 0);
}

}  // namespace
