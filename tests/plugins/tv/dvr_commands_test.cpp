// The TV engine's command table through MediaWrapperCommand, against the
// simulated tuner: the precondition, results, failure lines and the recorder.
#include <cstring>

#include "plugins/common/engine_table.h"
#include "plugins/tv/dvr_commands.h"
#include "plugins/tv/dvr_wrapper.h"
#include "plugins/tv/tv_settings_keys.h"
#include "tests/plugins/tv/tv_test_support.h"
#include "tests/support/guarded_buffer.h"

namespace {

using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

class DvrCommands : public tvtest::TvWorld {
  protected:
    void SetUp() override {
        TvWorld::SetUp();
        ASSERT_EQ(CreateMediaWrapper(kMediaTv, &handle_), 0);
        ASSERT_NE(handle_, 0u);
    }
    void TearDown() override {
        DestroyMediaWrapper(&handle_);
        TvWorld::TearDown();
    }

    int Run(unsigned command, void* in = nullptr, int inSize = 0, void* out = nullptr) {
        return MediaWrapperCommand(handle_, command, in, inSize, out, 0);
    }
    int RunValue(unsigned command, int value, void* out = nullptr) {
        return Run(command, reinterpret_cast<void*>(static_cast<intptr_t>(value)), 0, out);
    }
    // Starts TV on slot with offset 0.
    void Start(int slot = 1) {
        int offset = 0, input = 0;
        char country[] = "USA";
        void* list[] = {&slot, &offset, &input, country};
        ASSERT_EQ(Run(kDvrStartTv, list, 4), 0);
    }
    unsigned handle_ = 0;
};

TEST_F(DvrCommands, BeforeTheTunerOpensEveryCommandButStartAndCloseFails) {
    for (unsigned command : {30u, 31u, 32u, 34u,  35u,  43u,  46u,  54u,  55u,  56u, 65u,
                             66u, 75u, 89u, 115u, 116u, 122u, 123u, 124u, 125u, 126u}) {
        int out = 5;
        EXPECT_EQ(Run(command, nullptr, 0, &out), -1) << command;
        EXPECT_EQ(out, -1) << command;
    }
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_"), 1);  // the callback installation only
}

TEST_F(DvrCommands, CloseBeforeStartDoesNothingButStillReports) {
    EXPECT_EQ(Run(kDvrClose), 0);
    EXPECT_EQ(Run(kDvrCloseAndReport), 0);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_CloseTuner"), 0);
}

TEST_F(DvrCommands, UnknownCommandPrintsItsLine) {
    Start();
    CaptureStdout();
    EXPECT_EQ(Run(54), -1);
    EXPECT_EQ(GetCapturedStdout(), "err: Unknown CmdID\n");
}

TEST_F(DvrCommands, StartOpensPlaysAndTunesTheListedChannel) {
    int slot = 6, offset = 250, input = 1;
    char country[] = "Japan";
    void* list[] = {&slot, &offset, &input, country};
    EXPECT_EQ(Run(kDvrStartTv, list, 4), 0);
    const auto journal = SimTunerJournal();
    std::vector<std::string> tail(journal.end() - 3, journal.end());
    EXPECT_EQ(tail,
              (std::vector<std::string>{"ZAQ_SetTVInputType 1", "ZAQ_SetCountryCode 0 Japan 1",
                                        "ZAQ_SelectChannel 6 250"}));
    int state = 0;
    EXPECT_EQ(Run(kDvrGetState, nullptr, 0, &state), 1);
    EXPECT_EQ(state, kDvrTunerOpen | kDvrLiveVideo);
}

TEST_F(DvrCommands, StartWhoseOpenFailsAnswersOne) {
    sim_tuner_fail_next("ZAQ_Init", -1);
    int slot = 0, offset = 0, input = 0;
    void* list[] = {&slot, &offset, &input, nullptr};
    EXPECT_EQ(Run(kDvrStartTv, list, 4), 1);
}

TEST_F(DvrCommands, NullInOrSlotOutsideTheTablesFailsWithTheCommandsLine) {
    Start();
    CaptureStdout();
    EXPECT_EQ(Run(kDvrSelectChannel), -1);
    int slot = 512;
    EXPECT_EQ(Run(kDvrSelectChannel, &slot), -1);
    int offset = 0;
    void* list[] = {&slot, &offset};
    EXPECT_EQ(Run(kDvrSelectChannel, list, 2), -1);
    EXPECT_EQ(Run(kDvrSetInputType), -1);
    EXPECT_EQ(Run(kDvrSetCountrySearch), -1);
    EXPECT_EQ(Run(kDvrSetPicture), -1);
    EXPECT_EQ(Run(kDvrSetVolume), -1);
    EXPECT_EQ(GetCapturedStdout(),
              "err: Select Channel\nerr: Select Channel\nerr: Select Channel\n"
              "err: SetTVInputType\nerr: SetContryCode\nerr: arg\nerr: Set Volume\n");
    int found = 9;
    EXPECT_EQ(RunValue(kDvrScanChannel, -1, &found), -1);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(Run(kDvrPictureUp), -1);
}

// ---- Argument lists are read only as far as the count given ----

TEST_F(DvrCommands, StartWithAShortListReadsNothingPastIt) {
    // One item at the very end of readable memory: a read of item 2 faults.
    GuardedBuffer buffer(sizeof(void*));
    ASSERT_NE(buffer.data(), nullptr);
    int slot = 3;
    buffer.as<void*>()[0] = &slot;
    CaptureStdout();
    EXPECT_EQ(Run(kDvrStartTv, buffer.data(), 1), -1);
    EXPECT_EQ(GetCapturedStdout(), "err: Directplay Start\n");
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Init"), 0);
}

TEST_F(DvrCommands, StartWithFewerThanFourItemsIsRefused) {
    int slot = 3, offset = 0, input = 0;
    char country[] = "USA";
    void* list[] = {&slot, &offset, &input, country};
    CaptureStdout();
    for (int count : {-1, 0, 3}) EXPECT_EQ(Run(kDvrStartTv, list, count), -1) << count;
    EXPECT_EQ(GetCapturedStdout(),
              "err: Directplay Start\nerr: Directplay Start\nerr: Directplay Start\n");
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Init"), 0);
}

TEST_F(DvrCommands, SelectWithAListPassesTheOffset) {
    Start();
    int slot = 8, offset = -500;
    void* list[] = {&slot, &offset};
    EXPECT_EQ(Run(kDvrSelectChannel, list, 2), 1);
    EXPECT_EQ(Run(kDvrSelectChannel, &slot), 1);
    const auto journal = SimTunerJournal();
    EXPECT_EQ(journal[journal.size() - 2], "ZAQ_SelectChannel 8 -500");
    EXPECT_EQ(journal.back(), "ZAQ_SelectChannel 8 0");
}

TEST_F(DvrCommands, ChannelCountIsReadAndKept) {
    Start();
    int count = 0;
    EXPECT_EQ(Run(kDvrGetChannelCount, nullptr, 0, &count), 1);
    EXPECT_EQ(count, 125);
}

TEST_F(DvrCommands, VolumeUpAtTopStaysAndIsStored) {
    Start();
    int volume = 31;
    ASSERT_EQ(Run(kDvrSetVolume, &volume), 1);
    int now = 0;
    EXPECT_EQ(Run(kDvrVolumeUp, nullptr, 0, &now), 1);
    EXPECT_EQ(now, 31);
    EXPECT_EQ(getRegInt(kKeyTvVolume, -1), 31);
}

TEST_F(DvrCommands, VolumeDownAtZeroStaysAndMutes) {
    Start();
    int volume = 0;
    ASSERT_EQ(Run(kDvrSetVolume, &volume), 1);
    int now = 7;
    EXPECT_EQ(Run(kDvrVolumeDown, nullptr, 0, &now), 1);
    EXPECT_EQ(now, 0);
    SimTunerState state;
    sim_tuner_get_state(&state);
    EXPECT_EQ(state.mute, 1);
    EXPECT_EQ(getRegInt(kKeyTvVolume, -1), 0);
}

TEST_F(DvrCommands, VolumeUpFromZeroUnmutes) {
    Start();
    int volume = 0;
    ASSERT_EQ(Run(kDvrSetVolume, &volume), 1);
    ASSERT_EQ(RunValue(kDvrMute, 1), 1);
    int now = 0;
    EXPECT_EQ(Run(kDvrVolumeUp, nullptr, 0, &now), 1);
    EXPECT_EQ(now, 1);
    SimTunerState state;
    sim_tuner_get_state(&state);
    EXPECT_EQ(state.mute, 0);
}

TEST_F(DvrCommands, FailingVolumeReadAnswersTheVolumeAndPrints) {
    Start();
    // Every read fails while the command runs: the engine's monitor thread reads
    // properties too and could take a single armed failure first.
    sim_tuner_fail("ZAQ_GetProperty", -1, -1);
    CaptureStdout();
    EXPECT_EQ(Run(kDvrVolumeUp), 0);
    EXPECT_EQ(GetCapturedStdout(), "err: Get Volume\n");
    sim_tuner_clear_faults();
}

TEST_F(DvrCommands, PictureStepBeyondTheLimitKeepsTheValue) {
    Start();
    int id = 5;
    ASSERT_EQ(Run(kDvrSetPicture, &id, 31), 1);
    int now = 0;
    EXPECT_EQ(Run(kDvrPictureUp, &id, 0, &now), 1);
    EXPECT_EQ(now, 31);
    EXPECT_EQ(Run(kDvrPictureDown, &id, 0, &now), 1);
    EXPECT_EQ(now, 29);
}

TEST_F(DvrCommands, PropertySeventeenIsCachedAndResetOnSet) {
    Start();
    int id = 17, now = 0;
    EXPECT_EQ(Run(kDvrPictureUp, &id, 0, &now), 1);
    EXPECT_EQ(now, 2);
    EXPECT_EQ(Run(kDvrGetPicture, &id, 0, &now), 1);
    EXPECT_EQ(now, 2);
    EXPECT_EQ(Run(kDvrSetPicture, &id, 9), 1);
    EXPECT_EQ(Run(kDvrGetPicture, &id, 0, &now), 1);
    EXPECT_EQ(now, 0);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_GetProperty 17"), 0);
}

TEST_F(DvrCommands, SoundModeIsSetAndReadBack) {
    Start(4);  // slot 4 offers every mode
    int mode = ZAQ_MTS_SAP;
    EXPECT_EQ(Run(kDvrSetSoundMode, &mode), 1);
    int now = 0;
    EXPECT_EQ(Run(kDvrGetSoundMode, nullptr, 0, &now), 1);
    EXPECT_EQ(now, ZAQ_MTS_SAP);
}

TEST_F(DvrCommands, SoundModeTheStationLacksIsRefused) {
    Start(2);  // mono only
    int mode = ZAQ_MTS_STEREO;
    EXPECT_EQ(Run(kDvrSetSoundMode, &mode), kDvrSoundModeRefused);
}

TEST_F(DvrCommands, CountryIsSetAndRead) {
    Start();
    char japan[] = "Japan";
    EXPECT_EQ(Run(kDvrSetCountry, japan), 1);
    char country[ZAQ_COUNTRY_MAX_LENGTH] = {};
    EXPECT_EQ(Run(kDvrGetCountry, nullptr, 0, country), 0);
    EXPECT_STREQ(country, "Japan");
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetCountryCode 0 Japan 0"), 1);
}

TEST_F(DvrCommands, InputsAreSetAndRead) {
    Start();
    int source = 1, now = 0;
    EXPECT_EQ(Run(kDvrSetVideoSource, &source), 1);
    EXPECT_EQ(Run(kDvrGetVideoSource, nullptr, 0, &now), 1);
    EXPECT_EQ(now, 1);
    sim_tuner_fail_next("ZAQ_GetAudioInputSource", 1);
    CaptureStdout();
    EXPECT_EQ(Run(kDvrGetAudioSource, nullptr, 0, &now), -1);
    EXPECT_EQ(GetCapturedStdout(), "err: GetAudioInputSource\n");
}

TEST_F(DvrCommands, FrameCaptureNeedsLiveVideo) {
    Start();
    std::vector<unsigned char> frame(ZAQ_FRAME_CAPTURE_MAX_BYTES);
    EXPECT_EQ(Run(kDvrFrameCapture, frame.data()), 0);
    ASSERT_EQ(Run(kDvrClose), 0);
    CDVR_WRAPPER wrapper;
    ASSERT_EQ(wrapper.Engine().OpenTuner(), 0);
    CaptureStdout();
    EXPECT_EQ(wrapper.Command(kDvrFrameCapture, frame.data(), 0, nullptr, 0), -1);
    EXPECT_EQ(GetCapturedStdout(), "\n");
}

TEST_F(DvrCommands, PauseWithoutRecordingOrTimeShiftIsRefused) {
    Start();
    CaptureStdout();
    EXPECT_EQ(Run(kDvrPauseToggle), -1);
    EXPECT_EQ(GetCapturedStdout(), "not recording nor timeshift\n\n");
}

// The recorder bits are set by nothing in the plug-in, so these tests set them
// on a wrapper of their own.
class DvrRecorder : public tvtest::TvWorld {
  protected:
    void SetUp() override {
        TvWorld::SetUp();
        wrapper_ = std::make_unique<CDVR_WRAPPER>();
        ASSERT_EQ(wrapper_->Engine().OpenTuner(), 0);
    }
    void TearDown() override {
        wrapper_.reset();
        TvWorld::TearDown();
    }
    int Run(unsigned command, int value, int inSize = 0) {
        return wrapper_->Command(command, reinterpret_cast<void*>(static_cast<intptr_t>(value)),
                                 inSize, nullptr, 0);
    }
    std::unique_ptr<CDVR_WRAPPER> wrapper_;
};

TEST_F(DvrRecorder, PauseOnRecordingIsNotSupported) {
    wrapper_->Engine().Set(kDvrRecording);
    CaptureStdout();
    EXPECT_EQ(Run(kDvrPauseToggle, 0), -1);
    EXPECT_EQ(GetCapturedStdout(), "pause on recording is not supported\n\n");
}

TEST_F(DvrRecorder, PauseTogglesDuringPlayback) {
    wrapper_->Engine().Set(kDvrPlayback);
    EXPECT_EQ(Run(kDvrPauseToggle, 0), 1);
    EXPECT_TRUE(wrapper_->Engine().Has(kDvrPaused));
    EXPECT_EQ(Run(kDvrPauseToggle, 0), 1);
    EXPECT_FALSE(wrapper_->Engine().Has(kDvrPaused));
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Pause_On"), 1);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Pause_Off"), 1);
}

TEST_F(DvrRecorder, ForwardScanAtNormalSpeedPlaysAndClearsPause) {
    wrapper_->Engine().Set(kDvrTimeShift | kDvrPaused);
    Run(kDvrForwardScan, 1000);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Play"), 1);
    EXPECT_FALSE(wrapper_->Engine().Has(kDvrPaused));
}

TEST_F(DvrRecorder, ScansAtOtherSpeedsAndRefuseZero) {
    wrapper_->Engine().Set(kDvrPlayback);
    Run(kDvrBackwardScan, 4000);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Backward_Scan 4000"), 1);
    CaptureStdout();
    EXPECT_EQ(Run(kDvrForwardScan, 0), -1);
    EXPECT_EQ(GetCapturedStdout(), "inputparam err\n");
}

TEST_F(DvrRecorder, ScansOutsidePlaybackDoNothing) {
    EXPECT_EQ(Run(kDvrForwardScan, 2000), 1);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Forward_Scan"), 0);
}

TEST_F(DvrRecorder, TimeSearchBeyondTheLengthSearchesToTheLength) {
    sim_tuner_set_recording(120, SIM_PLAYBACK_PLAYING);
    EXPECT_EQ(Run(kDvrTimeSearch, 0, 500), 1);
    EXPECT_EQ(Run(kDvrTimeSearch, 0, 60), 1);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Time_Search 120 0 0"), 1);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_Time_Search 60 0 0"), 1);
}

}  // namespace
