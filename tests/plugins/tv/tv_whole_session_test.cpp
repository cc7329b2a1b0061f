// A whole TV session, start to exit, and the next start: the stored files and
// keys written by one run are what the next run reads.
#include "tests/plugins/tv/tv_session_support.h"

namespace {

using tvtest::HostCalls;

class TvWholeSession : public tvtest::TvSession {
  protected:
    bool StartWithStoredList() const override { return false; }

    void Exit() {
        Key("x");
        ASSERT_TRUE(tvtest::WaitUntil([] { return HostCalls::Has("8 13 0 0 0"); }));
        ui_.reset();
        HostCalls::Clear();
    }
};

TEST_F(TvWholeSession, ExitLeavesWhatTheNextStartExpects) {
    Create();
    Key("q");  // no stored list: scans
    ASSERT_TRUE(tvtest::WaitUntil(
        [this] { return !Read([](TvController& tv) { return tv.scanning; }); }, 30000));
    ASSERT_TRUE(Tv().WaitIdle(20000));
    EXPECT_EQ(Tv().currentChannel, 1);  // the first station
    Key("9");
    Message(3, 49, 2);  // favourite position 3 := slot 8
    Message(3, 57);
    Key(std::string(1, 30));
    Key(std::string(1, 30));
    Key("+");  // ends fine tuning, storing 500 for slot 8
    Key("+");
    SimTunerState state;
    sim_tuner_get_state(&state);
    Exit();

    const std::string favourites = tvtest::ReadFile(kFavouritesFile);
    EXPECT_EQ(favourites, "-1\n-1\n8\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n");
    const std::string offsets = tvtest::ReadFile(kOffsetsFile);
    ASSERT_EQ(offsets.size(), 512u * 6);
    EXPECT_EQ(offsets.substr(8 * 6, 6), "  500\n");
    EXPECT_EQ(getRegInt(kKeyChannelNumber, -1), 8);
    EXPECT_EQ(getRegInt(kKeyTvVolume, -1), state.volume);
    char country[ZAQ_SETTING_MAX_LENGTH] = {};
    EXPECT_EQ(getRegStr(kKeyCountry, country), 0);

    sim_tuner_reset();
    sim_settings_reload();
    Create();
    Key("q");
    EXPECT_FALSE(Tv().scanning);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SelectChannel 8 500"), 1);
    EXPECT_EQ(Tv().favourites[2], 8);
    EXPECT_EQ(Tv().favouriteLabels[2], "CH09");
    EXPECT_EQ(tvtest::ReadFile(kFavouritesFile), favourites);
    Exit();
    EXPECT_EQ(tvtest::ReadFile(kOffsetsFile), offsets);
    EXPECT_EQ(tvtest::ReadFile(kFavouritesFile), favourites);
}

TEST_F(TvWholeSession, TwoStartsLeaveTwelveFavourites) {
    Create();
    Key("q");
    ASSERT_TRUE(tvtest::WaitUntil(
        [this] { return !Read([](TvController& tv) { return tv.scanning; }); }, 30000));
    Key("q");
    EXPECT_EQ(Tv().favourites.size(), 12u);
    EXPECT_EQ(Tv().favouriteLabels.size(), 12u);
    Exit();
    EXPECT_EQ(tvtest::ReadFile(kFavouritesFile),
              "-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n-1\n");
}

TEST_F(TvWholeSession, ExitDuringFineTuningStoresTheOffset) {
    StoreChannelList(125, {0, 1});
    Create();
    Key("q");
    Message(3, 57);
    Key(std::string(1, 31));
    Exit();
    EXPECT_EQ(tvtest::ReadFile(kOffsetsFile).substr(0, 6), " -250\n");
}

}  // namespace
