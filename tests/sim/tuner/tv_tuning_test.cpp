// TV side of the simulated card: the channel-slot table, scan answers, tuning and fine
// tuning, the picture's noise, sound modes, properties, country and inputs.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "sim/tuner/builtin_tables.h"
#include "tests/sim/tuner/tuner_test_support.h"

namespace {

using tunertest::ClosedTuner;
using tunertest::State;
using tunertest::TvTuner;

bool BuiltinHasStation(int slot) {
    for (const auto& s : simtuner::kBuiltinTvStations)
        if (s.slot == slot) return true;
    return false;
}

int CountStations() {
    SimTvStationInfo info;
    int n = 0;
    for (int slot = 0; sim_tuner_tv_station(slot, &info) == 0; ++slot) n += info.hasStation;
    return n;
}

TEST_F(TvTuner, ReportsOneHundredTwentyFiveSlots) {
    int count = 0;
    ASSERT_EQ(ZAQ_GetChannelListNum(handle_, &count), 0);
    EXPECT_EQ(count, 125);
}

TEST_F(TvTuner, ScanAnswersZeroExactlyOnSlotsWithAStation) {
    for (int slot = 0; slot < 125; ++slot) {
        const int answer = ZAQ_ScanChannel(handle_, slot);
        if (BuiltinHasStation(slot))
            EXPECT_EQ(answer, 0) << "slot " << slot;
        else
            EXPECT_NE(answer, 0) << "slot " << slot;
    }
}

TEST_F(TvTuner, LastSlotHoldsAStationAndSlotZeroNone) {
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 124), 0);
    EXPECT_NE(ZAQ_ScanChannel(handle_, 0), 0);
}

TEST_F(TvTuner, ScanOutsideTheTableIsAnError) {
    EXPECT_LT(ZAQ_ScanChannel(handle_, 125), 0);
    EXPECT_LT(ZAQ_ScanChannel(handle_, -1), 0);
}

TEST_F(TvTuner, SelectChannelTunesSlotWithOffset) {
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 5, 250), 0);
    SimTvStationInfo info;
    ASSERT_EQ(sim_tuner_tv_station(5, &info), 0);
    const SimTunerState s = State();
    EXPECT_EQ(s.slot, 5);
    EXPECT_EQ(s.selectOffset, 250);
    EXPECT_EQ(s.frequencyKHz, info.frequencyKHz + 250);
}

TEST_F(TvTuner, SlotsFollowTheCablePlan) {
    SimTvStationInfo info;
    ASSERT_EQ(sim_tuner_tv_station(1, &info), 0);
    EXPECT_EQ(info.frequencyKHz, 55250);
    ASSERT_EQ(sim_tuner_tv_station(6, &info), 0);
    EXPECT_EQ(info.frequencyKHz, 175250);
    ASSERT_EQ(sim_tuner_tv_station(124, &info), 0);
    EXPECT_EQ(info.frequencyKHz, 799250);
}

TEST_F(TvTuner, MicroTunerAppliesItsTotalOnTopOfTheSelection) {
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 4, 250), 0);
    ASSERT_EQ(ZAQ_MicroTuner(handle_, 500), 0);
    ASSERT_EQ(ZAQ_MicroTuner(handle_, 250), 0);
    SimTunerState s = State();
    EXPECT_EQ(s.fineOffset, 250);
    EXPECT_EQ(s.frequencyKHz, 77250 + 500);
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 4, 0), 0);
    EXPECT_EQ(State().fineOffset, 0) << "a new selection drops the fine tuning";
}

TEST_F(TvTuner, NoiseGrowsWithDistanceFromTheBestOffset) {
    // Slot 4 is best at +500 kHz.
    std::vector<int> noise;
    for (int offset : {500, 750, 1250, 2000}) {
        ASSERT_EQ(ZAQ_SelectChannel(handle_, 4, offset), 0);
        const SimTunerState s = State();
        EXPECT_TRUE(s.stationTuned) << offset;
        noise.push_back(s.noiseAmplitude);
    }
    for (size_t i = 1; i < noise.size(); ++i) EXPECT_GT(noise[i], noise[i - 1]);
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 4, 500 - 3500), 0);
    EXPECT_FALSE(State().stationTuned) << "far off the station there is only snow";
}

TEST_F(TvTuner, EmptySlotShowsSnow) {
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 3, 0), 0);
    EXPECT_FALSE(State().stationTuned);
}

TEST_F(TvTuner, SelectByFrequencyTunesTheNearestSlotWithTheRemainderAsOffset) {
    ASSERT_EQ(ZAQ_SelectChannelByFreq(handle_, 175250 + 750), 0);
    const SimTunerState s = State();
    EXPECT_EQ(s.slot, 6);
    EXPECT_EQ(s.selectOffset, 750);
    EXPECT_LT(ZAQ_SelectChannelByFreq(handle_, 10000), 0) << "no slot near 10 MHz";
}

TEST_F(TvTuner, OffsetsAndFrequenciesAtTheEndsOfTheIntRangeAreRefused) {
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 5, 250), 0);
    // |INT_MIN| does not exist as an int: it must not pass for a small offset.
    EXPECT_LT(ZAQ_SelectChannel(handle_, 5, INT_MIN), 0);
    EXPECT_LT(ZAQ_MicroTuner(handle_, INT_MIN), 0);
    EXPECT_LT(ZAQ_SelectChannel(handle_, 5, INT_MAX), 0);
    EXPECT_LT(ZAQ_SelectChannelByFreq(handle_, INT_MIN), 0);
    EXPECT_LT(ZAQ_SelectChannelByFreq(handle_, INT_MAX), 0);
    EXPECT_EQ(State().slot, 5);
    EXPECT_EQ(State().selectOffset, 250);
    EXPECT_EQ(State().fineOffset, 0);
}

TEST_F(TvTuner, ChannelFilesWithBestOffsetsBeyondAGigahertzAreRefused) {
    EXPECT_LT(sim_tuner_load_channels("station 3 2147483647 mono\n"), 0);
    EXPECT_LT(sim_tuner_load_channels("station 3 -2147483648 mono\n"), 0);
    EXPECT_EQ(sim_tuner_load_channels("station 3 -1000000 mono\n"), 0);
}

TEST_F(TvTuner, SelectionOutsideTheTableFails) {
    EXPECT_LT(ZAQ_SelectChannel(handle_, 125, 0), 0);
    EXPECT_LT(ZAQ_SelectChannel(handle_, 0, 6000), 0);
}

struct MtsCase {
    int slot;
    int requested;
    int readBack;
};

class SoundModes : public TvTuner, public ::testing::WithParamInterface<MtsCase> {};

TEST_P(SoundModes, ReadBackIsTheBestModeTheStationOffers) {
    const MtsCase c = GetParam();
    ASSERT_EQ(ZAQ_SelectChannel(handle_, c.slot, 0), 0);
    ASSERT_EQ(ZAQ_SetProperty(handle_, ZAQ_PROP_MTS_MODE, c.requested), 0);
    int mode = -1;
    ASSERT_EQ(ZAQ_GetProperty(handle_, ZAQ_PROP_MTS_MODE, &mode), 0);
    EXPECT_EQ(mode, c.readBack);
}

INSTANTIATE_TEST_SUITE_P(Stations, SoundModes,
                         ::testing::Values(MtsCase{2, 1, 0},    // mono only
                                           MtsCase{1, 1, 1},    // stereo
                                           MtsCase{1, 3, 1},    // stereo, no second language
                                           MtsCase{8, 2, 2},    // bilingual
                                           MtsCase{8, 3, 2},    // bilingual, no stereo
                                           MtsCase{4, 3, 3},    // everything
                                           MtsCase{3, 1, 0}));  // no station

TEST_F(TvTuner, SoundModeOutsideZeroToThreeIsRefused) {
    EXPECT_LT(ZAQ_SetProperty(handle_, ZAQ_PROP_MTS_MODE, 4), 0);
    EXPECT_LT(ZAQ_SetProperty(handle_, ZAQ_PROP_MTS_MODE, -1), 0);
}

TEST_F(TvTuner, VolumeTakesZeroToThirtyOne) {
    EXPECT_EQ(ZAQ_SetProperty(handle_, ZAQ_PROP_VOLUME, 31), 0);
    EXPECT_LT(ZAQ_SetProperty(handle_, ZAQ_PROP_VOLUME, 32), 0);
    EXPECT_LT(ZAQ_SetProperty(handle_, ZAQ_PROP_VOLUME, -1), 0);
    int volume = -1;
    ASSERT_EQ(ZAQ_GetProperty(handle_, ZAQ_PROP_VOLUME, &volume), 0);
    EXPECT_EQ(volume, 31);
}

TEST_F(TvTuner, MuteReadsBackAsZeroOrOne) {
    ASSERT_EQ(ZAQ_SetProperty(handle_, ZAQ_PROP_MUTE, 1), 0);
    int mute = -1;
    ASSERT_EQ(ZAQ_GetProperty(handle_, ZAQ_PROP_MUTE, &mute), 0);
    EXPECT_EQ(mute, 1);
    EXPECT_EQ(State().mute, 1);
}

TEST_F(TvTuner, OtherPropertiesAreStoredAndReadBack) {
    ASSERT_EQ(ZAQ_SetProperty(handle_, 14, -12), 0);
    ASSERT_EQ(ZAQ_SetProperty(handle_, ZAQ_PROP_LIVE_VIDEO, 0), 0);
    int value = 99;
    ASSERT_EQ(ZAQ_GetProperty(handle_, 14, &value), 0);
    EXPECT_EQ(value, -12);
    ASSERT_EQ(ZAQ_GetProperty(handle_, 77, &value), 0);
    EXPECT_EQ(value, 0) << "a property never set reads 0";
}

TEST_F(TvTuner, CountryChoosesTheVideoType) {
    int type = -1;
    for (const char* ntsc : {"USA", "Japan", "Taiwan"}) {
        ASSERT_EQ(ZAQ_SetCountryCode(handle_, 0, ntsc, 1), 0);
        ASSERT_EQ(ZAQ_GetTVVideoType(handle_, &type), 0);
        EXPECT_EQ(type, ZAQ_VIDEO_NTSC) << ntsc;
    }
    ASSERT_EQ(ZAQ_SetCountryCode(handle_, 0, "Germany", 0), 0);
    ASSERT_EQ(ZAQ_GetTVVideoType(handle_, &type), 0);
    EXPECT_EQ(type, ZAQ_VIDEO_PAL);
    int format = -1, width = 0, height = 0;
    ZMP_GetTVFormat_Size(&format, &width, &height);
    EXPECT_EQ(width, 720);
    EXPECT_EQ(height, 576);
}

TEST_F(TvTuner, CountryReadsBackAsText) {
    ASSERT_EQ(ZAQ_SetCountryCode(handle_, 0, "Taiwan", 1), 0);
    char country[ZAQ_COUNTRY_MAX_LENGTH] = "";
    void* reserved = nullptr;
    ASSERT_EQ(ZAQ_GetCountryCode(handle_, &reserved, country), 0);
    EXPECT_STREQ(country, "Taiwan");
    EXPECT_NE(ZAQ_SetCountryCode(handle_, 0, "", 1), 0);
    EXPECT_NE(ZAQ_SetCountryCode(handle_, 0, nullptr, 1), 0);
}

TEST_F(TvTuner, OverlongCountryIsCutToTheBuffer) {
    const std::string longName(200, 'x');
    ASSERT_EQ(ZAQ_SetCountryCode(handle_, 0, longName.c_str(), 1), 0);
    char country[ZAQ_COUNTRY_MAX_LENGTH + 8];
    std::fill(std::begin(country), std::end(country), '#');
    void* reserved = nullptr;
    ASSERT_EQ(ZAQ_GetCountryCode(handle_, &reserved, country), 0);
    EXPECT_EQ(std::string(country).size(), ZAQ_COUNTRY_MAX_LENGTH - 1u);
    EXPECT_EQ(country[ZAQ_COUNTRY_MAX_LENGTH], '#');
}

TEST_F(TvTuner, InputTypesAndSourcesAreStored) {
    int value = -1;
    ASSERT_EQ(ZAQ_SetTVInputType(handle_, 1), 0);
    ASSERT_EQ(ZAQ_GetTVInputType(handle_, &value), 0);
    EXPECT_EQ(value, 1);
    ASSERT_EQ(ZAQ_SetVideoInputSource(handle_, 2), 0);
    ASSERT_EQ(ZAQ_GetVideoInputSource(handle_, &value), 0);
    EXPECT_EQ(value, 2);
    ASSERT_EQ(ZAQ_SetAudioInputSource(handle_, 1), 0);
    ASSERT_EQ(ZAQ_GetAudioInputSource(handle_, &value), 0);
    EXPECT_EQ(value, 1);
    ASSERT_EQ(ZAQ_SetTVVideoType(handle_, ZAQ_VIDEO_PAL), 0);
    ASSERT_EQ(ZAQ_GetTVVideoType(handle_, &value), 0);
    EXPECT_EQ(value, ZAQ_VIDEO_PAL);
    EXPECT_NE(ZAQ_SetTVVideoType(handle_, 7), 0);
}

TEST_F(TvTuner, AnOutsideVideoInputHasNoStation) {
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 1, 0), 0);
    ASSERT_EQ(ZAQ_SetVideoInputSource(handle_, 1), 0);
    EXPECT_FALSE(State().stationTuned);
}

TEST_F(TvTuner, FrameCaptureFillsTwentyFourBitPixels) {
    EXPECT_EQ(ZAQ_FrameCapture(handle_, nullptr, 24), 720 * 480 * 3);
    EXPECT_LT(ZAQ_FrameCapture(handle_, nullptr, 16), 0);
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 1, 0), 0);
    std::vector<unsigned char> bgr(720 * 480 * 3 + 16, 0xA5);
    ASSERT_EQ(ZAQ_FrameCapture(handle_, bgr.data(), 24), 0);
    // The black box behind the channel number begins at (30, 30).
    const unsigned char* pixel = &bgr[(32 * 720 + 32) * 3];
    EXPECT_LT(pixel[0] + pixel[1] + pixel[2], 3 * 24);
    EXPECT_EQ(bgr[720 * 480 * 3], 0xA5) << "nothing written past the picture";
}

// The current picture, packed 4:2:2.
std::vector<unsigned char> Picture() {
    std::vector<unsigned char> frame(static_cast<size_t>(sim_tuner_render_frame(nullptr, 0)));
    sim_tuner_render_frame(frame.data(), static_cast<int>(frame.size()));
    return frame;
}

TEST_F(TvTuner, PictureOfTheSamePatternDiffersOnlyInTheChannelNumber) {
    // Slots 1 and 27 share a pattern; their numbers 2 and 28 sit in the box at the top left.
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 1, 0), 0);
    const auto two = Picture();
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 27, -1000), 0);
    const auto twentyEight = Picture();
    ASSERT_EQ(two.size(), 720u * 480 * 2);
    ASSERT_EQ(two.size(), twentyEight.size());
    int differentInBox = 0, differentElsewhere = 0;
    for (size_t i = 0; i < two.size(); ++i) {
        const int x = static_cast<int>(i % (720 * 2)) / 2, y = static_cast<int>(i / (720 * 2));
        const bool inBox = x < 200 && y < 130;
        if (two[i] != twentyEight[i]) (inBox ? differentInBox : differentElsewhere)++;
    }
    EXPECT_GT(differentInBox, 1000);
    EXPECT_EQ(differentElsewhere, 0);
}

TEST_F(TvTuner, OutsideVideoInputShowsABluePicture) {
    ASSERT_EQ(ZAQ_SetVideoInputSource(handle_, 1), 0);
    const auto frame = Picture();
    // Bottom right, away from the number: blue has a high U (byte 1) and a low V (byte 3).
    const size_t at = (470 * 720 + 700) * 2;
    EXPECT_GT(frame[at + 1], 180);
    EXPECT_LT(frame[at + 3], 128);
}

TEST_F(TvTuner, SecondOpenWhileOpenIsRefused) {
    int other = 0;
    ASSERT_EQ(ZAQ_Init(&other), 0);
    EXPECT_NE(ZAQ_OpenTuner(other, ZAQ_MODE_FM), 0);
    EXPECT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_TV), 0) << "opening again in the same mode is fine";
}

TEST_F(TvTuner, CloseAndReleaseEndTheHandle) {
    EXPECT_EQ(ZAQ_CloseTuner(handle_), 0);
    EXPECT_EQ(ZAQ_Release(handle_), 0);
    EXPECT_EQ(State().handles, 0);
    int value;
    EXPECT_NE(ZAQ_GetProperty(handle_, ZAQ_PROP_VOLUME, &value), 0);
}

TEST_F(ClosedTuner, TuningNeedsAnOpenTuner) {
    int count = 0;
    EXPECT_LT(ZAQ_GetChannelListNum(handle_, &count), 0);
    EXPECT_LT(ZAQ_SelectChannel(handle_, 1, 0), 0);
    EXPECT_LT(ZAQ_ScanChannel(handle_, 1), 0);
    EXPECT_EQ(ZMP_GetDriverID(), 0);
}

TEST_F(ClosedTuner, UnknownHandlesAndModesAreRefused) {
    EXPECT_NE(ZAQ_OpenTuner(handle_ + 100, ZAQ_MODE_TV), 0);
    EXPECT_NE(ZAQ_OpenTuner(handle_, 1), 0);
    EXPECT_NE(ZAQ_Init(nullptr), 0);
}

TEST_F(TvTuner, ChannelTextReplacesTheTable) {
    ASSERT_EQ(sim_tuner_load_channels("# small table\nslots 10\nstation 9 -250 stereo 3\n"), 0);
    int count = 0;
    ASSERT_EQ(ZAQ_GetChannelListNum(handle_, &count), 0);
    EXPECT_EQ(count, 10);
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 9), 0);
    EXPECT_NE(ZAQ_ScanChannel(handle_, 1), 0);
    EXPECT_EQ(CountStations(), 1);
}

TEST_F(TvTuner, BrokenChannelTextLeavesTheTable) {
    EXPECT_LT(sim_tuner_load_channels("station 300 0 stereo\n"), 0);
    EXPECT_LT(sim_tuner_load_channels("station 3 0 surround\n"), 0);
    EXPECT_LT(sim_tuner_load_channels("slots 0\n"), 0);
    EXPECT_EQ(CountStations(), static_cast<int>(std::size(simtuner::kBuiltinTvStations)));
}

TEST(TvChannelFile, EnvironmentNamesTheTableFile) {
    char path[] = "/tmp/sim-tuner-channels-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::ofstream(path) << "slots 3\nstation 0 0 mono\nstation 2 500 all\n";
    setenv("SIM_TUNER_CHANNELS", path, 1);
    sim_tuner_reset();
    EXPECT_EQ(CountStations(), 2);
    unsetenv("SIM_TUNER_CHANNELS");
    sim_tuner_reset();
    EXPECT_EQ(CountStations(), static_cast<int>(std::size(simtuner::kBuiltinTvStations)));
    std::remove(path);
}

}  // namespace
