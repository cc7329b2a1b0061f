// The shared volume step on the stand-in tuner.
#include "plugins/common/tuner_volume.h"

#include <gtest/gtest.h>

#include "interfaces/tuner_service.h"
#include "sim/tuner/sim_tuner.h"

namespace {

class TunerVolume : public ::testing::Test {
  protected:
    void SetUp() override {
        sim_tuner_reset();
        ASSERT_EQ(ZAQ_Init(&tuner_), 0);
        ASSERT_EQ(ZAQ_OpenTuner(tuner_, ZAQ_MODE_FM), 0);
    }
    void TearDown() override {
        ZAQ_CloseTuner(tuner_);
        ZAQ_Release(tuner_);
        sim_tuner_reset();
    }
    int Property(int id) const {
        int value = -1;
        EXPECT_GE(ZAQ_GetProperty(tuner_, id, &value), 0);
        return value;
    }

    int tuner_ = 0;
};

TEST_F(TunerVolume, AStepUpFromSilenceUnmutesAndTheTopHolds) {
    ZAQ_SetProperty(tuner_, ZAQ_PROP_VOLUME, 0);
    ZAQ_SetProperty(tuner_, ZAQ_PROP_MUTE, 1);
    int level = -1;
    EXPECT_GE(StepTunerVolume(tuner_, +1, 16, &level), 0);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(Property(ZAQ_PROP_VOLUME), 1);
    EXPECT_EQ(Property(ZAQ_PROP_MUTE), 0);
    ZAQ_SetProperty(tuner_, ZAQ_PROP_VOLUME, 16);
    EXPECT_GE(StepTunerVolume(tuner_, +1, 16, &level), 0);
    EXPECT_EQ(level, 16);
    EXPECT_EQ(Property(ZAQ_PROP_VOLUME), 16);
}

TEST_F(TunerVolume, AStepDownToZeroMutesAndZeroHolds) {
    ZAQ_SetProperty(tuner_, ZAQ_PROP_VOLUME, 1);
    ZAQ_SetProperty(tuner_, ZAQ_PROP_MUTE, 0);
    int level = -1;
    EXPECT_GE(StepTunerVolume(tuner_, -1, 31, &level), 0);
    EXPECT_EQ(level, 0);
    EXPECT_EQ(Property(ZAQ_PROP_MUTE), 1);
    EXPECT_GE(StepTunerVolume(tuner_, -1, 31, &level), 0);
    EXPECT_EQ(level, 0);
    ZAQ_SetProperty(tuner_, ZAQ_PROP_VOLUME, 20);
    EXPECT_GE(StepTunerVolume(tuner_, -1, 31, &level), 0);
    EXPECT_EQ(level, 19);
    EXPECT_EQ(Property(ZAQ_PROP_VOLUME), 19);
}

TEST_F(TunerVolume, ATunerThatDoesNotAnswerIsLeftAlone) {
    const int writes = sim_tuner_journal_count("ZAQ_SetProperty");
    int level = 0;
    EXPECT_LT(StepTunerVolume(tuner_ + 1000, +1, 16, &level), 0);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetProperty"), writes);
}

}  // namespace
