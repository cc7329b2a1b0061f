// FM side of the simulated card: the band's signal levels, the flat tops, and what a seek
// by signal level finds in it at the plug-in's thresholds.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <vector>

#include "sim/tuner/builtin_tables.h"
#include "tests/sim/tuner/tuner_test_support.h"

namespace {

using tunertest::FmTuner;
using tunertest::State;

// A seek by signal level over channels two apart, as the FM plug-in makes it: a station is
// the top of a rise that falls again with the top at or above the threshold; on a flat top
// it is the middle sample (the lower of two middles).
class Seek {
  public:
    Seek(int count, std::function<int(int)> level) : n_(count), level_(std::move(level)) {}

    int Up(int start, int threshold) const {
        int older = Level(start), newer = Level(start + 2);
        int result = start, plateau = 0;
        bool rising = false;
        for (long p = start + 2; p < start + n_; p += 2) {
            if (older < newer) {
                rising = true;
                plateau = 0;
            } else if (older > newer) {
                if (rising && older >= threshold)
                    return Mod(plateau ? p - 2 - 2 * ((plateau + 1) / 2) : p - 2);
                rising = false;
                plateau = 0;
            } else if (rising && newer >= threshold) {
                ++plateau;
            }
            older = newer;
            newer = Level(p + 2);
            result = Mod(p);
        }
        return result == start ? start : result;
    }

    int Down(int start, int threshold) const {
        int older = Level(start), newer = Level(start + n_ - 1 - 2);
        int plateau = 0;
        bool rising = false;
        for (long p = start + n_ - 3; p >= start; p -= 2) {
            if (older < newer) {
                rising = true;
                plateau = 0;
            } else if (older > newer) {
                if (rising && older >= threshold)
                    return Mod(plateau ? p + 2 + 2 * (plateau / 2) : p + 2);
                rising = false;
                plateau = 0;
            } else if (rising && newer >= threshold) {
                ++plateau;
            }
            older = newer;
            newer = Level(p - 2);
        }
        return start;
    }

    // Stations found one after another from channel 0 until the seek comes round again.
    std::vector<int> AllUp(int threshold) const {
        std::vector<int> found;
        int at = 0;
        for (int i = 0; i < 64; ++i) {
            at = Up(at, threshold);
            if (!found.empty() && at == found.front()) break;
            found.push_back(at);
        }
        return found;
    }

  private:
    int Mod(long x) const { return static_cast<int>(static_cast<unsigned long>(x) % (n_ - 1)); }
    int Level(long x) const { return level_(Mod(x)); }

    int n_;
    std::function<int(int)> level_;
};

class DefaultBand : public FmTuner {
  protected:
    void SetUp() override {
        FmTuner::SetUp();
        ASSERT_EQ(ZAQ_SetFrequencyRange(handle_, 87.5, 411), 0);
    }
    Seek MakeSeek(int count) const {
        const int h = handle_;
        return Seek(count, [h](int channel) { return ZAQ_ScanChannel(h, channel); });
    }
    int Level(int channel) const { return ZAQ_ScanChannel(handle_, channel); }
};

TEST_F(DefaultBand, ChannelCountFollowsTheRange) {
    int count = 0;
    ASSERT_EQ(ZAQ_GetChannelListNum(handle_, &count), 0);
    EXPECT_EQ(count, 411);
}

TEST_F(DefaultBand, PeaksSitWhereTheTableSays) {
    EXPECT_EQ(Level(8), 62);    // 87.9
    EXPECT_EQ(Level(36), 24);   // 89.3
    EXPECT_EQ(Level(48), 55);   // 89.9
    EXPECT_EQ(Level(166), 32);  // 95.8
    EXPECT_EQ(Level(192), 18);  // 97.1
    EXPECT_EQ(Level(224), 66);  // 98.7
    EXPECT_EQ(Level(280), 58);  // 101.5
    EXPECT_EQ(Level(336), 40);  // 104.3
    EXPECT_EQ(Level(368), 21);  // 105.9
    EXPECT_EQ(Level(406), 60);  // 107.8, near the top
    EXPECT_EQ(Level(6), 46);
    EXPECT_EQ(Level(10), 46);
}

TEST_F(DefaultBand, FlatTopOfThreeSamples) {
    EXPECT_EQ(Level(78), 70);
    EXPECT_EQ(Level(80), 70);
    EXPECT_EQ(Level(82), 70);
    EXPECT_EQ(Level(76), 54);
    EXPECT_EQ(Level(84), 54);
}

TEST_F(DefaultBand, FlatTopOfTwoSamples) {
    EXPECT_EQ(Level(118), 48);
    EXPECT_EQ(Level(120), 48);
    EXPECT_EQ(Level(116), 32);
    EXPECT_EQ(Level(122), 32);
}

TEST_F(DefaultBand, NoiseFloorStaysBelowTheLowestThreshold) {
    int belowSeven = 0;
    for (int channel = 0; channel < 411; ++channel) {
        const int level = Level(channel);
        EXPECT_GE(level, 0);
        belowSeven += level < 7;
    }
    EXPECT_GT(belowSeven, 250) << "most of the band is empty";
    EXPECT_LE(Level(300), simtuner::kFmNoiseFloorMax);
}

TEST_F(DefaultBand, ScanOutsideTheBandIsAnError) {
    EXPECT_LT(ZAQ_ScanChannel(handle_, 411), 0);
    EXPECT_LT(ZAQ_ScanChannel(handle_, -2), 0);
}

TEST_F(DefaultBand, SeekAtDefaultSensitivityFindsEveryStationInTurn) {
    EXPECT_EQ(MakeSeek(411).AllUp(14),
              (std::vector<int>{8, 36, 48, 80, 118, 166, 192, 224, 280, 336, 368, 406}));
}

TEST_F(DefaultBand, HigherThresholdsFindOnlyStrongerStations) {
    const Seek seek = MakeSeek(411);
    EXPECT_EQ(seek.AllUp(21), (std::vector<int>{8, 36, 48, 80, 118, 166, 224, 280, 336, 368, 406}));
    EXPECT_EQ(seek.AllUp(28), (std::vector<int>{8, 48, 80, 118, 166, 224, 280, 336, 406}));
    EXPECT_EQ(seek.AllUp(35), (std::vector<int>{8, 48, 80, 118, 224, 280, 336, 406}));
}

TEST_F(DefaultBand, FlatTopsEndOnTheMiddleOrTheLowerOfTwoInBothDirections) {
    const Seek seek = MakeSeek(411);
    EXPECT_EQ(seek.Up(48, 14), 80);
    EXPECT_EQ(seek.Up(80, 14), 118);
    EXPECT_EQ(seek.Down(166, 14), 118);
    EXPECT_EQ(seek.Down(118, 14), 80);
}

TEST_F(DefaultBand, SeekDownFromTheBottomWrapsToTheStationNearTheTop) {
    EXPECT_EQ(MakeSeek(411).Down(0, 14), 406);
}

TEST_F(DefaultBand, SelectChannelTunesAChannelOfTheBand) {
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 280, 0), 0);
    EXPECT_EQ(State().fmFrequencyKHz, 101500);
    EXPECT_LT(ZAQ_SelectChannel(handle_, 411, 0), 0);
    ASSERT_EQ(ZAQ_SelectChannelByFreq(handle_, 98700), 0);
    EXPECT_EQ(State().fmChannel, 224);
}

TEST_F(DefaultBand, SensitivityLevelsZeroToTwoAreAccepted) {
    for (int level : {0, 1, 2}) {
        EXPECT_EQ(ZAQ_SetSensitivityLevel(handle_, level), 0);
        EXPECT_EQ(State().sensitivity, level);
    }
    EXPECT_LT(ZAQ_SetSensitivityLevel(handle_, -1), 0);
}

TEST_F(DefaultBand, LevelsDoNotDependOnSensitivity) {
    ASSERT_EQ(ZAQ_SetSensitivityLevel(handle_, 0), 0);
    const int before = Level(166);
    ASSERT_EQ(ZAQ_SetSensitivityLevel(handle_, 2), 0);
    EXPECT_EQ(Level(166), before);
}

TEST_F(FmTuner, JapaneseBandHasItsOwnStationsAndFlatTops) {
    ASSERT_EQ(ZAQ_SetFrequencyRange(handle_, 76.0, 281), 0);
    const int h = handle_;
    const Seek seek(281, [h](int channel) { return ZAQ_ScanChannel(h, channel); });
    EXPECT_EQ(seek.AllUp(14), (std::vector<int>{10, 80, 106, 130, 174, 238, 266, 278}));
    EXPECT_EQ(seek.Down(238, 14), 174);
}

TEST_F(FmTuner, BandTextReplacesTheStations) {
    ASSERT_EQ(sim_tuner_load_fm_band("floor 0\n100.0 50\n"), 0);
    ASSERT_EQ(ZAQ_SetFrequencyRange(handle_, 87.5, 411), 0);
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 250), 50);
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 252), 34);
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 8), 0);
    EXPECT_LT(sim_tuner_load_fm_band("abc 5\n"), 0);
}

TEST_F(FmTuner, RangeOutsideTheFmBandsIsRefused) {
    EXPECT_LT(ZAQ_SetFrequencyRange(handle_, 10.0, 411), 0);
    EXPECT_LT(ZAQ_SetFrequencyRange(handle_, 87.5, 0), 0);
}

TEST_F(FmTuner, SingleFloatBandStartIsTakenToTheKilohertz) {
    // The radio passes the start as a single-precision number.
    ASSERT_EQ(ZAQ_SetFrequencyRange(handle_, static_cast<float>(87.5), 411), 0);
    EXPECT_EQ(State().fmStartKHz, 87500);
}

// ---- Band files and frequencies at the ends of the int range ----

TEST_F(FmTuner, AHugeFallValueDropsToTheFloorInsteadOfWrapping) {
    // 242 channels of 2147483647 each: as an int product it wraps to -242 and the
    // far channels would read as 292.
    ASSERT_EQ(sim_tuner_load_fm_band("floor 0\n100.0 50 0 2147483647\n"), 0);
    ASSERT_EQ(ZAQ_SetFrequencyRange(handle_, 87.5, 411), 0);
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 250), 50);
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 8), 0);
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 410), 0);
}

TEST_F(FmTuner, PeaksWidthsAndFloorsAtTheirLimitsStayInRange) {
    ASSERT_EQ(sim_tuner_load_fm_band("floor 2147483647\n"
                                     "100.0 2147483647 2147483647 1\n"),
              0);
    ASSERT_EQ(ZAQ_SetFrequencyRange(handle_, 87.5, 411), 0);
    for (int channel : {0, 250, 410}) EXPECT_EQ(ZAQ_ScanChannel(handle_, channel), INT_MAX);
}

TEST_F(FmTuner, BandFilesWithUnusableNumbersAreRefused) {
    for (const char* text : {"1e300 50\n", "-5 50\n", "nan 50\n", "100.0 -1\n", "100.0 50 -1\n",
                             "100.0 50 0 0\n", "floor -1\n", "100.0 99999999999\n"}) {
        EXPECT_LT(sim_tuner_load_fm_band(text), 0) << text;
    }
}

TEST_F(FmTuner, FrequenciesAtTheEndsOfTheIntRangeAreOffTheBand) {
    ASSERT_EQ(ZAQ_SetFrequencyRange(handle_, 87.5, 411), 0);
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 100, 0), 0);
    EXPECT_LT(ZAQ_SelectChannelByFreq(handle_, INT_MIN), 0);
    EXPECT_LT(ZAQ_SelectChannelByFreq(handle_, INT_MAX), 0);
    EXPECT_LT(ZAQ_SelectChannelByFreq(handle_, INT_MAX - 10), 0);
    EXPECT_EQ(State().fmChannel, 100);
    EXPECT_EQ(ZAQ_SelectChannelByFreq(handle_, 108000), 0);
    EXPECT_EQ(State().fmChannel, 410);
}

TEST(FmBandFile, EnvironmentNamesTheBandFile) {
    char path[] = "/tmp/sim-tuner-band-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::ofstream(path) << "# one station\nfloor 0\n99.0 40 100\n";
    setenv("SIM_TUNER_FM_BAND", path, 1);
    sim_tuner_reset();
    EXPECT_EQ(sim_tuner_fm_level(230), 40);  // 99.0 MHz in the 87.5 MHz band
    EXPECT_EQ(sim_tuner_fm_level(228), 40);
    EXPECT_EQ(sim_tuner_fm_level(8), 0);
    unsetenv("SIM_TUNER_FM_BAND");
    sim_tuner_reset();
    EXPECT_EQ(sim_tuner_fm_level(8), 62);
    std::remove(path);
}

}  // namespace
