// Recorder calls of the simulated card and the playback status record.
#include <cstdint>
#include <cstring>

#include "tests/sim/tuner/tuner_test_support.h"

namespace {

using tunertest::TvTuner;

struct Status {
    uint32_t length;
    uint32_t position;
    int32_t state;
    int32_t speed;
};

Status Read(int handle) {
    uint8_t record[ZAQ_PLAYBACK_STATUS_SIZE + 8];
    std::memset(record, 0xEE, sizeof record);
    EXPECT_EQ(ZAQ_GetPlayBackStatus(handle, record), 0);
    EXPECT_EQ(record[ZAQ_PLAYBACK_STATUS_SIZE], 0xEE) << "136 bytes, no more";
    Status s;
    std::memcpy(&s.length, record + ZAQ_PLAYBACK_LENGTH_OFFSET, 4);
    std::memcpy(&s.position, record + SIM_PLAYBACK_POSITION_OFFSET, 4);
    std::memcpy(&s.state, record + ZAQ_PLAYBACK_STATE_OFFSET, 4);
    std::memcpy(&s.speed, record + SIM_PLAYBACK_SPEED_OFFSET, 4);
    return s;
}

TEST_F(TvTuner, StatusRecordCarriesLengthAndState) {
    const Status s = Read(handle_);
    EXPECT_EQ(s.length, 3600u);
    EXPECT_EQ(s.state, SIM_PLAYBACK_STOPPED);
    sim_tuner_set_recording(900, SIM_PLAYBACK_PLAYING);
    EXPECT_EQ(Read(handle_).length, 900u);
    EXPECT_EQ(Read(handle_).state, SIM_PLAYBACK_PLAYING);
}

TEST_F(TvTuner, PlayPauseAndScanChangeTheState) {
    ASSERT_EQ(ZAQ_Play(handle_), 0);
    EXPECT_EQ(Read(handle_).state, SIM_PLAYBACK_PLAYING);
    ASSERT_EQ(ZAQ_Pause_On(handle_), 0);
    EXPECT_EQ(Read(handle_).state, SIM_PLAYBACK_PAUSED);
    ASSERT_EQ(ZAQ_Pause_Off(handle_), 0);
    EXPECT_EQ(Read(handle_).state, SIM_PLAYBACK_PLAYING);
    ASSERT_EQ(ZAQ_Forward_Scan(handle_, 4), 0);
    EXPECT_EQ(Read(handle_).state, SIM_PLAYBACK_FORWARD);
    EXPECT_EQ(Read(handle_).speed, 4);
    ASSERT_EQ(ZAQ_Backward_Scan(handle_, 8), 0);
    EXPECT_EQ(Read(handle_).state, SIM_PLAYBACK_BACKWARD);
    EXPECT_LT(ZAQ_Forward_Scan(handle_, 0), 0);
}

TEST_F(TvTuner, TimeSearchMovesWithinTheRecordingOnly) {
    ASSERT_EQ(ZAQ_Time_Search(handle_, 120, 0, 0), 0);
    EXPECT_EQ(Read(handle_).position, 120u);
    ASSERT_EQ(ZAQ_Time_Search(handle_, 3600, 0, 0), 0);
    EXPECT_LT(ZAQ_Time_Search(handle_, 3601, 0, 0), 0);
    EXPECT_EQ(Read(handle_).position, 3600u);
}

TEST_F(TvTuner, StatusNeedsARecord) {
    EXPECT_LT(ZAQ_GetPlayBackStatus(handle_, nullptr), 0);
}

TEST_F(TvTuner, RadioHasNoRecorder) {
    ASSERT_EQ(ZAQ_CloseTuner(handle_), 0);
    ASSERT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_FM), 0);
    EXPECT_LT(ZAQ_Play(handle_), 0);
    uint8_t record[ZAQ_PLAYBACK_STATUS_SIZE];
    EXPECT_LT(ZAQ_GetPlayBackStatus(handle_, record), 0);
}

}  // namespace
