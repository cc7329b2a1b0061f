// The FM controller end to end: the band from the country, typed frequencies, steps and
// seeks, checked on the host's screen and panel and on the simulated tuner.
#include <climits>

#include "tests/plugins/fm/fm_controller_fixture.h"
#include "tests/plugins/fm/fm_test_support.h"

namespace fmtest {
namespace {

using FmTuningTest = FmControllerTest;

// ---- Band ----

TEST_F(FmTuningTest, OtherCountriesShowTheEuropeanBandAndStepsWrap) {
    CreateAndStart();
    EXPECT_EQ(hostsim::CurrentState().fmFrequency, "87.5");
    Key("<");
    EXPECT_TRUE(WaitForFrequency("108.0"));
    EXPECT_EQ(Tuner().fmChannel, 410);
    Key(">");
    EXPECT_TRUE(WaitForFrequency("87.5"));
    EXPECT_EQ(Tuner().fmChannel, 0);
    EXPECT_TRUE(fmtest::TunerLines("ZAQ_SetFrequencyRange 87.50 411").size() == 1u);
}

TEST_F(FmTuningTest, JapanShowsItsOwnBand) {
    setRegStr("SolvaneON_TV_CONTRY", "Japan");
    CreateAndStart();
    EXPECT_EQ(hostsim::CurrentState().fmFrequency, "76.0");
    EXPECT_EQ(fmtest::TunerLines("ZAQ_SetFrequencyRange 76.00 281").size(), 1u);
    Key("<");
    EXPECT_TRUE(WaitForFrequency("90.0"));
    EXPECT_EQ(Tuner().fmChannel, 280);
}

TEST_F(FmTuningTest, StartForcesTheStoredChannelEvenAndShowsItInHertz) {
    setRegInt("SolvaneON_FM_CHANNELNUM", 81);
    CreateAndStart();
    EXPECT_EQ(Tuner().fmChannel, 80);
    EXPECT_EQ(hostsim::CurrentState().fmFrequency, "91.5");
    EXPECT_EQ(hostsim::CurrentState().frequencyHz, 91500000);
}

TEST_F(FmTuningTest, StoredChannelOutsideTheBandStartsAtChannelZero) {
    for (int stored : {99999, 411, -2, INT_MAX, INT_MIN}) {
        setRegInt("SolvaneON_FM_CHANNELNUM", stored);
        CreateAndStart();
        EXPECT_EQ(Tuner().fmChannel, 0) << stored;
        EXPECT_EQ(hostsim::CurrentState().fmFrequency, "87.5") << stored;
        EXPECT_EQ(hostsim::CurrentState().frequencyHz, 87500000) << stored;
        Destroy();
    }
}

TEST_F(FmTuningTest, TheTopChannelOfTheBandIsKept) {
    setRegInt("SolvaneON_FM_CHANNELNUM", 410);
    CreateAndStart();
    EXPECT_EQ(Tuner().fmChannel, 410);
    EXPECT_EQ(hostsim::CurrentState().fmFrequency, "108.0");
}

// ---- Typed frequencies ----

TEST_F(FmTuningTest, TypedDigitsShowWhileTypingAndTuneWhenComplete) {
    CreateAndStart();
    Typing("1");
    Typing("10");
    EXPECT_TRUE(WaitForFrequency("10."));
    EXPECT_TRUE(WaitUntil([] { return hostsim::CurrentState().frequencyHz == 10000000; }));
    Typing("101");
    Key("1015");
    EXPECT_TRUE(WaitForFrequency("101.5"));
    EXPECT_EQ(Tuner().fmChannel, 280);
}

TEST_F(FmTuningTest, LeadingZeroReadsBelowOneHundred) {
    CreateAndStart();
    Key("0985");
    EXPECT_TRUE(WaitForFrequency("98.5"));
    EXPECT_EQ(Tuner().fmChannel, 220);
}

TEST_F(FmTuningTest, EntryOutsideTheBandLeavesTheRadioWhereItWas) {
    CreateAndStart();
    Key("1015");
    ASSERT_TRUE(WaitForFrequency("101.5"));
    Typing("12");
    ASSERT_TRUE(WaitForFrequency("12."));
    Key("1200");
    EXPECT_TRUE(WaitForFrequency("101.5"));
    EXPECT_EQ(Tuner().fmChannel, 280);
}

TEST_F(FmTuningTest, EntryOfOtherThanFourDigitsIsRefused) {
    CreateAndStart();
    Typing("10");
    ASSERT_TRUE(WaitForFrequency("10."));
    Key("10155");
    EXPECT_TRUE(WaitForFrequency("87.5"));
    Typing("10");
    ASSERT_TRUE(WaitForFrequency("10."));
    Key("1");
    EXPECT_TRUE(WaitForFrequency("87.5"));
    EXPECT_EQ(Tuner().fmChannel, 0);
}

TEST_F(FmTuningTest, KeysBeforeTheRadioStartsAreRefused) {
    Create();
    Key(">");
    Key("1015");
    Settle();
    EXPECT_TRUE(fmtest::TunerLines("ZAQ_SelectChannel").empty());
    EXPECT_TRUE(hostsim::CurrentState().fmFrequency.empty() ||
                hostsim::CurrentState().fmFrequency == "87.5");
}

// ---- Seeks ----

TEST_F(FmTuningTest, SeekLandsOnTheStationTheTunerPlays) {
    setRegInt("SolvaneON_FM_CHANNELNUM", 60);
    CreateAndStart();
    Key("]");
    ASSERT_TRUE(WaitForTuned("91.5"));
    Settle();
    EXPECT_EQ(Tuner().fmChannel, 80);
    EXPECT_EQ(hostsim::CurrentState().frequencyFlag, 0);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_SetSensitivityLevel 1").size(), 1u);
    ASSERT_TRUE(OfferKeyAfterSeek(
        "[", [] { return sim_tuner_journal_count("ZAQ_SetSensitivityLevel") == 2; }));
    ASSERT_TRUE(WaitForTuned("89.9"));
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetSensitivityLevel"), 2);
    Settle();
    EXPECT_EQ(Tuner().fmChannel, 48);
}

TEST_F(FmTuningTest, PlateauSeekEndsWithTunerDisplayAndChannelAgreeing) {
    setRegInt("SolvaneON_FM_CHANNELNUM", 100);
    CreateAndStart();
    Key("[");
    ASSERT_TRUE(WaitForTuned("91.5"));
    Settle();
    EXPECT_EQ(Tuner().fmChannel, 80);
    const auto selects = fmtest::TunerLines("ZAQ_SelectChannel");
    ASSERT_FALSE(selects.empty());
    EXPECT_EQ(selects.back(), "ZAQ_SelectChannel 80 0");
    Destroy();
    EXPECT_EQ(getRegInt("SolvaneON_FM_CHANNELNUM", -1), 80);
}

TEST_F(FmTuningTest, SecondSeekKeyWhileBusyIsDroppedAndBusyEndsWithTheSeek) {
    setRegInt("SolvaneON_FM_CHANNELNUM", 200);
    CreateAndStart();
    Key("]");
    // The UI thread works through the seek's events one per pass; busy lasts until
    // the last one, so a key sent as soon as the sweep began meets it.
    ASSERT_TRUE(WaitForTuner("ZAQ_SetSensitivityLevel"));
    Key("]");
    Key(">");
    ASSERT_TRUE(WaitForTuned("98.7"));
    Settle();
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetSensitivityLevel"), 1);
    EXPECT_EQ(Tuner().fmChannel, 224);
    EXPECT_TRUE(
        OfferKeyAfterSeek(">", [] { return hostsim::CurrentState().fmFrequency == "98.8"; }));
}

TEST_F(FmTuningTest, TwoSeekKeysSentBackToBackGiveOneSeek) {
    setRegInt("SolvaneON_FM_CHANNELNUM", 60);
    CreateAndStart();
    // Both keys are queued before the UI thread handles the first: busy is not yet set
    // when the second passes Notify, so the key handler itself must drop it.
    Key("]");
    Key("]");
    ASSERT_TRUE(WaitForTuned("91.5"));
    Settle();
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetSensitivityLevel"), 1);
    EXPECT_EQ(Tuner().fmChannel, 80);
    // The seek's end still frees the keys: a later seek runs.
    ASSERT_TRUE(OfferKeyAfterSeek(
        "]", [] { return sim_tuner_journal_count("ZAQ_SetSensitivityLevel") == 2; }));
}

TEST_F(FmTuningTest, ExitDuringASeekClosesTheRadio) {
    ASSERT_EQ(sim_tuner_load_fm_band("floor 5\n"), 0);
    CreateAndStart();
    Key("]");
    ASSERT_TRUE(WaitForTuner("ZAQ_SetSensitivityLevel"));
    Key("x");
    ASSERT_TRUE(WaitForHostCall(13));
    EXPECT_EQ(Tuner().handles, 0);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_CloseTuner"), 1);
}

}  // namespace
}  // namespace fmtest
