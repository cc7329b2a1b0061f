// MessageHandler end to end: favourites, menu requests, sleep timer, sound
// mode, defaults, the patch check and index checks on menu events.
#include "tests/plugins/tv/tv_session_support.h"

namespace {

using tvtest::HostCalls;

class TvMessages : public tvtest::TvSession {};

TEST_F(TvMessages, SwitchingToFavouritesWithNoneSetStaysInAllChannels) {
    setRegInt(kKeyChannelNumber, 8);
    CreateAndStart();
    sim_tuner_journal_clear();
    Message(3, 51);
    EXPECT_EQ(Tv().channelMode, kAllChannels);
    EXPECT_EQ(Tv().currentChannel, 8);
    EXPECT_EQ(LastLine("menu 160"), "menu 160 9 0 3 OSD_TV");
    EXPECT_EQ(LastLine("panel 52"), "panel 52 9 2");
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel"), 0);
    EXPECT_EQ(LastLine("menu 66"), "menu 66 0 0 0 0");
}

TEST_F(TvMessages, AFavouriteOnlyInPositionTwelveIsFound) {
    tvtest::WriteFile(kFavouritesFile, "-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n21\n");
    CreateAndStart();
    Message(3, 51);
    EXPECT_EQ(Tv().channelMode, kFavouriteChannels);
    EXPECT_EQ(Tv().currentChannel, 11);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel 21 0"), 1);
    EXPECT_EQ(LastLine("menu 160"), "menu 160 22 0 3 OSD_TV");
    Message(3, 52);
    EXPECT_EQ(Tv().channelMode, kAllChannels);
    EXPECT_EQ(Tv().currentChannel, 21);
}

TEST_F(TvMessages, AssignedFavouritesAreLabelledByChannelNumber) {
    setRegInt(kKeyChannelNumber, 8);
    CreateAndStart();
    Message(3, 49, 0);
    EXPECT_EQ(LastLine("menu 95"), "menu 95 CH09 0 0 0");
    Key("10");
    Message(3, 49, 1);
    EXPECT_EQ(LastLine("menu 95"), "menu 95 CH10 0 0 0");
    EXPECT_EQ(Tv().favouriteLabels[0], "CH09");
    EXPECT_EQ(Tv().favouriteLabels[1], "CH10");
    Message(3, 48);
    EXPECT_EQ(LastLine("menu 96").rfind("menu 96 {CH09|CH10|SAVE03|", 0), 0u);
}

TEST_F(TvMessages, MenuIndicesOutOfRangeDoNothing) {
    CreateAndStart();
    const auto before = Read([](TvController& tv) { return tv.favourites; });
    Message(3, 49, 12);
    Message(3, 49, -1);
    Message(3, 50, 512);
    Message(3, 50, -3);
    EXPECT_EQ(Tv().favourites, before);
    EXPECT_EQ(hostsim::JournalCount("menu 95"), 0u);
    // A favourites mode position that holds nothing leaves the channel alone.
    Read([](TvController& tv) {
        tv.channelMode = kFavouriteChannels;
        tv.currentChannel = 40;
        return 0;
    });
    Message(3, 53);
    Message(3, 52);
    EXPECT_EQ(Tv().channelMode, kAllChannels);
}

TEST_F(TvMessages, SleepTimerChoiceThreeChangesNothing) {
    Create();
    Message(15, 64, 2);
    EXPECT_TRUE(HostCalls::Has("8 16 600 0 0"));
    EXPECT_EQ(LastLine("menu 184"), "menu 184 0 10 0 OSD_TV");
    HostCalls::Clear();
    hostsim::JournalClear();
    Message(15, 64, 3);
    EXPECT_TRUE(HostCalls::Has("8 16 600 0 0"));
    EXPECT_EQ(hostsim::JournalCount("menu 184"), 0u);
}

TEST_F(TvMessages, SoundModeTwoIsReportedToTheMenuAsThree) {
    setRegInt(kKeyChannelNumber, 4);
    CreateAndStart();
    Message(15, 36, 2);
    EXPECT_EQ(LastLine("menu 88"), "menu 88 2 0 0 0");
    EXPECT_EQ(LastLine("panel 127"), "panel 127 2 0");
    Message(15, 37);
    EXPECT_EQ(LastLine("menu 89"), "menu 89 3 0 0 0");
    int value = 0;
    Message(15, 35, 55, &value);
    EXPECT_EQ(value, 3);
}

TEST_F(TvMessages, CountryIsReadAndSetThroughTheMenu) {
    CreateAndStart();
    char japan[] = "Japan";
    Message(15, 39, 5, japan);
    EXPECT_EQ(LastLine("menu 88"), "menu 88 Japan 1 0 0");
    EXPECT_EQ(getRegInt(kKeyVideoType, -1), ZAQ_VIDEO_NTSC);
    Message(15, 38);
    EXPECT_EQ(LastLine("menu 89"), "menu 89 Japan 1 0 0");
    char country[ZAQ_COUNTRY_MAX_LENGTH] = {};
    Message(15, 35, 46, country);
    EXPECT_STREQ(country, "Japan");
}

TEST_F(TvMessages, ScanProgressIsShown) {
    Create();
    Message(15, 91, 4);
    EXPECT_EQ(LastLine("menu 163"), "menu 163 5 0 3 OSD_TV");
    EXPECT_EQ(LastLine("panel 52"), "panel 52 5 2");
}

TEST_F(TvMessages, DefaultsResetSleepLanguageAndCountry) {
    setRegStr(kKeyDefaultCountry, "Germany");
    hostsim::SetLanguages(2, 5);
    CreateAndStart();
    Message(15, 87, 1);
    EXPECT_TRUE(hostsim::JournalContains("menu 165 0 0 0 OSD_TV"));
    EXPECT_TRUE(HostCalls::Has("8 16 0 0 0"));
    EXPECT_TRUE(hostsim::JournalContains("lang set 2"));
    EXPECT_TRUE(hostsim::JournalContains("menu 97 0 0 0 0"));
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetCountryCode 0 Germany 1"), 1);
    EXPECT_FALSE(Tv().menuOpen);
}

TEST_F(TvMessages, PatchCheckReportsWhatItFinds) {
    Create();
    Message(29, 0);
    EXPECT_EQ(LastLine("menu 91"), "menu 91 28 0 0 0");
    hostsim::SetPartitions({{"/mnt/a", "A:"}, {"/mnt/d", "D:"}});
    hostsim::SetPatches({{"/mnt/d/", "/dev/loop3", 2, 0, 0}});
    Message(29, 0);
    EXPECT_EQ(LastLine("menu 90"), "menu 90 27 0 0 0");
    EXPECT_EQ(CZaqUpgradeManager::m_sLoopbackDevice, "/dev/loop3");
    EXPECT_EQ(hostsim::JournalCount("upgrade check /mnt/a"), 0u);
}

TEST_F(TvMessages, TunerOnlyEntriesStopOnAnExternalInput) {
    CreateAndStart();
    Key("=");
    Message(3, 57);
    EXPECT_FALSE(Tv().fineTuning);
    Key("=");
    Key("=");
    Message(3, 57);
    EXPECT_TRUE(Tv().fineTuning);
}

TEST_F(TvMessages, TunerEntriesStopWhileTheTunerDoesNotAnswer) {
    // Before 'q' the engine has no tuner: the video-input refresh fails, so no entry
    // that needs the tuner may tune, show a channel or write the favourites.
    setRegInt(kKeyChannelNumber, 8);
    tvtest::WriteFile(kFavouritesFile, "-1\n-1\n4\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n");
    Create();
    hostsim::JournalClear();
    sim_tuner_journal_clear();
    Message(3, 49, 0);
    Message(3, 51);
    Message(3, 52);
    Message(3, 53);
    Message(3, 57);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel"), 0);
    EXPECT_EQ(hostsim::JournalCount("menu 95"), 0u);
    EXPECT_EQ(hostsim::JournalCount("menu 159"), 0u);
    EXPECT_EQ(hostsim::JournalCount("menu 160"), 0u);
    EXPECT_EQ(hostsim::JournalCount("menu 161"), 0u);
    EXPECT_EQ(hostsim::JournalCount("menu 66"), 0u);
    EXPECT_EQ(hostsim::JournalCount("panel 52"), 0u);
    EXPECT_EQ(Tv().channelMode, kAllChannels);
    EXPECT_FALSE(Tv().fineTuning);
    EXPECT_NE(Tv().videoInput, 0);
    EXPECT_EQ(tvtest::ReadFile(kFavouritesFile), "-1\n-1\n4\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n");
    // Once TV runs the tuner answers and the same entries act.
    Key("q");
    ASSERT_TRUE(Tv().tvStarted);
    Message(3, 51);
    EXPECT_EQ(Tv().videoInput, 0);
    EXPECT_EQ(Tv().channelMode, kFavouriteChannels);
    EXPECT_EQ(LastLine("menu 160"), "menu 160 5 0 3 OSD_TV");
}

TEST_F(TvMessages, MenuOpensAndClosesByMessage) {
    Create();
    Message(15, 80);
    EXPECT_TRUE(Tv().menuOpen);
    Message(15, 83);
    EXPECT_FALSE(Tv().menuOpen);
    EXPECT_TRUE(hostsim::JournalContains("menu 180 0 0 0 OSD_TV"));
    Message(15, 89, 0);
    EXPECT_TRUE(HostCalls::Has("8 22 0 0 0"));
}

}  // namespace
