// The journal of calls and fault injection, and the player library's disc engine.
#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/sim/tuner/tuner_test_support.h"

namespace {

using ::testing::ElementsAre;
using tunertest::ClosedTuner;
using tunertest::State;
using tunertest::TvTuner;

TEST_F(ClosedTuner, JournalListsCallsWithTheirArguments) {
    sim_tuner_journal_clear();
    ASSERT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_TV), 0);
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 5, 250), 0);
    ASSERT_EQ(ZAQ_SetCountryCode(handle_, 0, "Japan", 1), 0);
    int value = 0;
    ASSERT_EQ(ZAQ_GetProperty(handle_, 34, &value), 0);
    ZaqRect rect{0, 0, 719, 479};
    sim_tuner_set_manual_clock(1);
    ASSERT_EQ(ZAQ_DirectPlayStart(handle_, ZAQ_VIDEO_WINDOW, &rect), 0);
    ASSERT_EQ(ZAQ_SetFrequencyRange(handle_, 87.5, 411), 0);
    ASSERT_EQ(ZAQ_Time_Search(handle_, 120, 0, 0), 0);
    EXPECT_THAT(
        SimTunerJournal(),
        ElementsAre("ZAQ_OpenTuner 2", "ZAQ_SelectChannel 5 250", "ZAQ_SetCountryCode 0 Japan 1",
                    "ZAQ_GetProperty 34", "ZAQ_DirectPlayStart 0xdeadbeef 0 0 719 479",
                    // the test program's direct play asks back
                    "ZMP_GetTVFormat_Size", "ZMP_GetDriverID", "ZMP_InstallTunerCallBackFunction 1",
                    "ZAQ_SetFrequencyRange 87.50 411", "ZAQ_Time_Search 120 0 0"));
}

TEST_F(ClosedTuner, JournalCountsByPrefix) {
    sim_tuner_journal_clear();
    ZAQ_ScanChannel(handle_, 1);
    ZAQ_ScanChannel(handle_, 2);
    ZAQ_SelectChannel(handle_, 1, 0);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_ScanChannel"), 2);
    EXPECT_EQ(sim_tuner_journal_count(""), 3);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_ScanChannel 2"), 1);
}

TEST_F(ClosedTuner, JournalReadIsCutToTheBuffer) {
    sim_tuner_journal_clear();
    ZAQ_ScanChannel(handle_, 1);
    char small[6];
    EXPECT_EQ(sim_tuner_journal_read(small, sizeof small),
              static_cast<int>(std::string("ZAQ_ScanChannel 1").size() + 1));
    EXPECT_STREQ(small, "ZAQ_S");
}

TEST_F(ClosedTuner, ArmedFaultAnswersTheNextCallOnly) {
    sim_tuner_fail_next("ZAQ_OpenTuner", -5);
    EXPECT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_TV), -5);
    EXPECT_FALSE(State().open) << "the faulted call did nothing";
    EXPECT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_TV), 0);
    const auto journal = SimTunerJournal();
    EXPECT_EQ(journal[journal.size() - 2], "ZAQ_OpenTuner 2 -> fault");
    EXPECT_EQ(journal.back(), "ZAQ_OpenTuner 2");
}

TEST_F(TvTuner, FaultedGetterLeavesItsResultUntouched) {
    sim_tuner_fail_next("ZAQ_GetProperty", -1);
    int value = 1234;
    EXPECT_EQ(ZAQ_GetProperty(handle_, ZAQ_PROP_VOLUME, &value), -1);
    EXPECT_EQ(value, 1234);
}

TEST_F(TvTuner, FaultCanLastForSeveralCallsOrUntilCleared) {
    sim_tuner_fail("ZAQ_ScanChannel", 7, 2);
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 3), 7);
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 3), 7);
    EXPECT_EQ(ZAQ_ScanChannel(handle_, 1), 0);
    sim_tuner_fail("ZAQ_Init", -3, -1);
    int other = 0;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(ZAQ_Init(&other), -3);
    sim_tuner_clear_faults();
    EXPECT_EQ(ZAQ_Init(&other), 0);
}

TEST_F(TvTuner, FrameFunctionsAndSettingsCanFailToo) {
    sim_tuner_fail_next("ZMP_GetDriverID", 0);
    EXPECT_EQ(ZMP_GetDriverID(), 0);
    EXPECT_EQ(ZMP_GetDriverID(), SIM_TUNER_DRIVER_ID);
    sim_tuner_fail_next("getRegInt", 42);
    EXPECT_EQ(getRegInt("SimTunerTestNoSuchKey", 1), 42);
}

TEST_F(TvTuner, ResetForgetsEverything) {
    ASSERT_EQ(ZAQ_SetProperty(handle_, ZAQ_PROP_VOLUME, 20), 0);
    ASSERT_EQ(ZAQ_SelectChannel(handle_, 8, 250), 0);
    sim_tuner_fail_next("ZAQ_Init", -1);
    sim_tuner_reset();
    const SimTunerState s = State();
    EXPECT_FALSE(s.open);
    EXPECT_EQ(s.handles, 0);
    EXPECT_EQ(s.slot, 0);
    EXPECT_NE(s.volume, 20);
    EXPECT_TRUE(SimTunerJournal().empty());
    int handle = 0;
    EXPECT_EQ(ZAQ_Init(&handle), 0) << "faults are cleared";
}

TEST(DiscEngine, CreatedForDiscTypesRecordsCommandsAndAnswersZero) {
    sim_tuner_reset();
    for (int type : {12, 13}) {
        std::unique_ptr<CMEDIA_WRAPPER> engine = std::make_unique<CDVD_WRAPPER>(type);
        EXPECT_EQ(engine->Command(7, nullptr, 4, nullptr, 0), 0);
        EXPECT_EQ(engine->SetCallback([](int, const char*, unsigned, int) { return 0; }), 0);
        EXPECT_EQ(static_cast<CDVD_WRAPPER*>(engine.get())->MediaType(), type);
        EXPECT_NE(static_cast<CDVD_WRAPPER*>(engine.get())->Callback(), nullptr);
    }
    EXPECT_THAT(SimTunerJournal(), ElementsAre("CDVD_WRAPPER 12", "CDVD_WRAPPER::Command 7 4 0",
                                               "CDVD_WRAPPER::SetCallback set", "~CDVD_WRAPPER",
                                               "CDVD_WRAPPER 13", "CDVD_WRAPPER::Command 7 4 0",
                                               "CDVD_WRAPPER::SetCallback set", "~CDVD_WRAPPER"));
}

}  // namespace
