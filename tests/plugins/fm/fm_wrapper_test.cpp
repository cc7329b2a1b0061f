// CFM_WRAPPER on the simulated tuner: its command table, the radio's start and close,
// volume and mute, the mixer step and seeks on the simulated band.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <string>

#include "plugins/common/oss_mixer.h"
#include "plugins/fm/fm_wrapper.h"
#include "sim/host/host_journal.h"
#include "sim/tuner/sim_tuner.h"
#include "tests/plugins/fm/fm_test_support.h"
#include "tests/support/guarded_buffer.h"

namespace {

void* Value(intptr_t number) {
    return reinterpret_cast<void*>(number);
}

class FmWrapperTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fmtest::ResetWorld();
        wrapper_ = std::make_unique<CFM_WRAPPER>();
        wrapper_->SetCallback(fmtest::Callback);
        double start = 87.5;
        int count = 411;
        wrapper_->Command(57, &start, sizeof start, nullptr, 0);
        wrapper_->Command(58, &count, sizeof count, nullptr, 0);
    }
    void TearDown() override {
        fmtest::SetEventHook(nullptr);
        wrapper_.reset();
    }

    int Cmd(unsigned command, void* in = nullptr, void* out = nullptr, int inSize = 0) {
        return wrapper_->Command(command, in, inSize, out, 0);
    }
    int Start(int channel) { return Cmd(74, &channel); }
    int Out(unsigned command, intptr_t in) {
        int out = -99;
        Cmd(command, Value(in), &out);
        return out;
    }
    SimTunerState Tuner() {
        SimTunerState state{};
        sim_tuner_get_state(&state);
        return state;
    }

    std::unique_ptr<CFM_WRAPPER> wrapper_;
};

// ---- Stepping and tuning ----

TEST_F(FmWrapperTest, StepsWrapAtTheBandEdges) {
    EXPECT_EQ(Out(40, 410), 0);
    EXPECT_EQ(Out(40, 408), 410);
    EXPECT_EQ(Out(41, 0), 410);
    EXPECT_EQ(Out(41, 2), 0);
}

TEST_F(FmWrapperTest, SelectRefusesIndicesOutsideTheBand) {
    ASSERT_EQ(Start(100), 0);
    EXPECT_EQ(Cmd(31, Value(-1)), 1);
    EXPECT_EQ(Cmd(31, Value(411)), 1);
    EXPECT_EQ(Tuner().fmChannel, 100);
    EXPECT_EQ(Cmd(31, Value(410)), 0);
    EXPECT_EQ(Tuner().fmChannel, 410);
}

TEST_F(FmWrapperTest, SignalLevelAndChannelCountComeFromTheTuner) {
    ASSERT_EQ(Start(0), 0);
    EXPECT_EQ(Out(34, 80), sim_tuner_fm_level(80));
    EXPECT_EQ(Cmd(30), 411);
}

// ---- Sizes given with in and out ----

TEST_F(FmWrapperTest, BandStartReadsNoMoreThanTheSizeGiven) {
    // Four bytes at the very end of readable memory: reading the 8 of a double faults.
    GuardedBuffer four(sizeof(float));
    ASSERT_NE(four.data(), nullptr);
    *four.as<float>() = 76.0f;
    for (int size : {0, 4, -8}) EXPECT_EQ(wrapper_->Command(57, four.data(), size, nullptr, 0), 0);
    ASSERT_EQ(Start(0), 0);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_SetFrequencyRange 87.50 411").size(), 1u);
}

TEST_F(FmWrapperTest, ChannelCountReadsNoMoreThanTheSizeGiven) {
    GuardedBuffer two(2);
    ASSERT_NE(two.data(), nullptr);
    for (int size : {0, 2, -4}) EXPECT_EQ(wrapper_->Command(58, two.data(), size, nullptr, 0), 0);
    EXPECT_EQ(Out(40, 408), 410);
}

TEST_F(FmWrapperTest, BandCommandsTakeValuesOfTheirOwnSize) {
    double start = 76.0;
    int count = 281;
    EXPECT_EQ(wrapper_->Command(57, &start, sizeof start, nullptr, 0), 0);
    EXPECT_EQ(wrapper_->Command(58, &count, sizeof count, nullptr, 0), 0);
    ASSERT_EQ(Start(0), 0);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_SetFrequencyRange 76.00 281").size(), 1u);
}

TEST_F(FmWrapperTest, OutputsSmallerThanAnIntAreNotWritten) {
    GuardedBuffer two(2);
    ASSERT_NE(two.data(), nullptr);
    two.data()[0] = 7;
    EXPECT_EQ(wrapper_->Command(40, Value(2), 0, two.data(), 2), 0);
    EXPECT_EQ(two.data()[0], 7);
    int out = 0;
    EXPECT_EQ(wrapper_->Command(40, Value(2), 0, &out, sizeof out), 0);
    EXPECT_EQ(out, 4);
}

// ---- Starting and closing the radio ----

TEST_F(FmWrapperTest, StartTwiceOpensOnceAndSelectsEachTime) {
    EXPECT_EQ(Start(100), 0);
    EXPECT_EQ(Start(120), 0);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_Init").size(), 1u);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_OpenTuner 0").size(), 1u);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_SetFrequencyRange 87.50 411").size(), 1u);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_DirectPlayStart").size(), 1u);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_SelectChannel 100 0").size(), 1u);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_SelectChannel 120 0").size(), 1u);
    EXPECT_EQ(Tuner().mode, 0);
}

TEST_F(FmWrapperTest, StartUsesTheScreenRectangleOfTheWindow) {
    hostsim::Screen screen;
    screen.client = ZaqRect{0, 0, 639, 399};
    screen.origin = ZaqPoint{10, 20};
    hostsim::SetScreen(screen);
    ASSERT_EQ(Start(0), 0);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_DirectPlayStart").at(0),
              "ZAQ_DirectPlayStart 0xdeadbeef 10 20 649 419");
}

TEST_F(FmWrapperTest, FailingInitOrWindowQueryFailsTheStart) {
    sim_tuner_fail_next("ZAQ_Init", -1);
    EXPECT_EQ(Start(0), 1);
    hostsim::Screen screen;
    screen.clientRectFails = true;
    hostsim::SetScreen(screen);
    EXPECT_EQ(Start(0), 1);
    EXPECT_EQ(Tuner().open, 0);
    EXPECT_TRUE(fmtest::TunerLines("ZAQ_OpenTuner").empty());
}

TEST_F(FmWrapperTest, FailedOpenIsStillClosedAndReleased) {
    sim_tuner_fail_next("ZAQ_OpenTuner", -1);
    EXPECT_EQ(Start(0), 1);
    EXPECT_EQ(Cmd(81), 0);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_CloseTuner").size(), 1u);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_Release").size(), 1u);
}

TEST_F(FmWrapperTest, CloseReleasesTheTunerAndReportsEveryTime) {
    ASSERT_EQ(Start(0), 0);
    EXPECT_EQ(Cmd(86), 0);
    EXPECT_EQ(Cmd(86), 0);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_DirectPlayStop").size(), 1u);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_CloseTuner").size(), 1u);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_Release").size(), 1u);
    EXPECT_EQ(Tuner().handles, 0);
    int closed = 0;
    for (const fmtest::Event& e : fmtest::Events()) {
        EXPECT_EQ(e.set, 13);
        EXPECT_EQ(e.len, 0);
        EXPECT_EQ(e.value, 0);
        ++closed;
    }
    EXPECT_EQ(closed, 2);
}

TEST_F(FmWrapperTest, DestroyingAnOpenWrapperReleasesTheTuner) {
    ASSERT_EQ(Start(0), 0);
    wrapper_.reset();
    EXPECT_EQ(Tuner().handles, 0);
}

// ---- Volume, mute and properties ----

TEST_F(FmWrapperTest, SetVolumeClampsAndStoresIt) {
    ASSERT_EQ(Start(0), 0);
    int volume = 20;
    Cmd(125, &volume);
    EXPECT_EQ(Tuner().volume, 16);
    EXPECT_EQ(getRegInt("SolvaneON_FM_VOLUME", -1), 16);
    volume = -3;
    Cmd(125, &volume);
    EXPECT_EQ(Tuner().volume, 0);
    EXPECT_EQ(getRegInt("SolvaneON_FM_VOLUME", -1), 0);
}

TEST_F(FmWrapperTest, VolumeDownToZeroMutesAndUpFromZeroUnmutes) {
    ASSERT_EQ(Start(0), 0);
    int volume = 1;
    Cmd(125, &volume);
    int now = -1;
    Cmd(123, nullptr, &now);
    EXPECT_EQ(now, 0);
    EXPECT_EQ(Tuner().mute, 1);
    Cmd(122, nullptr, &now);
    EXPECT_EQ(now, 1);
    EXPECT_EQ(Tuner().mute, 0);
    EXPECT_EQ(getRegInt("SolvaneON_FM_VOLUME", -1), 1);
}

TEST_F(FmWrapperTest, VolumeStepsClampAtTheEnds) {
    ASSERT_EQ(Start(0), 0);
    int volume = 16;
    Cmd(125, &volume);
    int now = -1;
    Cmd(122, nullptr, &now);
    EXPECT_EQ(now, 16);
    Cmd(126, nullptr, &now);
    EXPECT_EQ(now, 16);
}

TEST_F(FmWrapperTest, MuteAndPropertiesReachTheTuner) {
    ASSERT_EQ(Start(0), 0);
    Cmd(124, Value(1));
    EXPECT_EQ(Tuner().mute, 1);
    Cmd(124, Value(0));
    EXPECT_EQ(Tuner().mute, 0);
    int id = 34;
    wrapper_->Command(115, &id, 7, nullptr, 0);
    EXPECT_EQ(Cmd(116, &id), 7);
    Cmd(50, Value(2));
    EXPECT_EQ(Cmd(44), 2);
}

TEST_F(FmWrapperTest, UnknownCommandsDoNothing) {
    EXPECT_EQ(Cmd(999), 0);
    EXPECT_EQ(Cmd(115), 0);
    EXPECT_TRUE(fmtest::TunerLines("ZAQ_SetProperty").empty());
}

// ---- Mixer ----

struct MixerRecord {
    std::string path;
    int written = -1;
    int closed = 0;
};
MixerRecord g_mixer;

const MixerOps kRecordingMixer{
    [](const char* path) {
        g_mixer.path = path;
        return 5;
    },
    [](int, int* word) {
        *word = 0x1234;  // whatever the device reports
        return 0;
    },
    [](int, int word) {
        g_mixer.written = word;
        return 0;
    },
    [](int) { ++g_mixer.closed; },
};

TEST(FmWrapperMixer, MasterVolumeIsSetToFullOnBothChannels) {
    fmtest::ResetWorld();
    g_mixer = MixerRecord{};
    setenv("ZAQ_MIXER_DEVICE", "/tmp/fm_test_mixer_stand_in", 1);
    SetMixerOps(&kRecordingMixer);
    { CFM_WRAPPER wrapper; }
    SetMixerOps(nullptr);
    unsetenv("ZAQ_MIXER_DEVICE");
    EXPECT_EQ(g_mixer.path, "/tmp/fm_test_mixer_stand_in");
    EXPECT_EQ(g_mixer.written, (100 << 8) | 100);
    EXPECT_EQ(g_mixer.closed, 1);
}

TEST(FmWrapperMixer, MissingDeviceIsSkipped) {
    fmtest::ResetWorld();
    setenv("ZAQ_MIXER_DEVICE", "/nonexistent/mixer", 1);
    CFM_WRAPPER wrapper;
    unsetenv("ZAQ_MIXER_DEVICE");
    int channel = 0;
    EXPECT_EQ(wrapper.Command(74, &channel, 0, nullptr, 0), 0);
}

// ---- Seeks on the simulated band ----

class FmWrapperSeekTest : public FmWrapperTest {
  protected:
    // Queues a seek from channel and waits for its end; the last tuned channel.
    int Seek(unsigned command, int channel, int threshold = 14) {
        start_ = channel;
        fmtest::ClearEvents();
        Cmd(command, Value(threshold), &start_);
        EXPECT_TRUE(fmtest::WaitForSeekEnd());
        return fmtest::LastTuned();
    }
    int start_ = 0;
};

TEST_F(FmWrapperSeekTest, ThreeWidePlateauEndsOnItsMiddleBothWays) {
    ASSERT_EQ(Start(0), 0);
    EXPECT_EQ(Seek(37, 60), 80);
    EXPECT_EQ(Seek(38, 100), 80);
}

TEST_F(FmWrapperSeekTest, TwoWidePlateauEndsOnTheLowerChannelBothWays) {
    ASSERT_EQ(Start(0), 0);
    EXPECT_EQ(Seek(37, 100), 118);
    EXPECT_EQ(Seek(38, 130), 118);
}

TEST_F(FmWrapperSeekTest, SensitivityDecidesWhichPeaksAreStations) {
    ASSERT_EQ(Start(0), 0);
    // 89.3 MHz (channel 36) peaks at 24: a station at threshold 14 but not at 28.
    EXPECT_EQ(Seek(37, 20, 14), 36);
    EXPECT_EQ(Seek(37, 20, 28), 48);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_SetSensitivityLevel 1").size(), 1u);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_SetSensitivityLevel 0").size(), 1u);
}

TEST_F(FmWrapperSeekTest, SweepIsMutedUnlessTheListenerMuted) {
    ASSERT_EQ(Start(0), 0);
    Seek(37, 60);
    EXPECT_EQ(fmtest::TunerLines("ZAQ_SetProperty 39").size(), 2u);
    EXPECT_EQ(Tuner().mute, 0);
    Cmd(124, Value(1));
    sim_tuner_journal_clear();
    Seek(37, 60);
    EXPECT_TRUE(fmtest::TunerLines("ZAQ_SetProperty 39").empty());
    EXPECT_EQ(Tuner().mute, 1);
}

TEST_F(FmWrapperSeekTest, EveryEventCarriesSetThreeAndEndsWithEndOnChannelZero) {
    ASSERT_EQ(Start(0), 0);
    Seek(37, 60);
    const auto trace = fmtest::SeekTrace();
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.back(), "108:0");
    for (const fmtest::Event& e : fmtest::Events()) EXPECT_EQ(e.set, 3);
}

TEST_F(FmWrapperSeekTest, NothingFoundFromTheTopChannelReturnsToIt) {
    ASSERT_EQ(sim_tuner_load_fm_band("floor 5\n"), 0);
    ASSERT_EQ(Start(0), 0);
    EXPECT_EQ(Seek(37, 410), 410);
    const auto trace = fmtest::SeekTrace();
    ASSERT_GE(trace.size(), 2u);
    EXPECT_EQ(trace[trace.size() - 2], "107:410");
    EXPECT_EQ(Seek(38, 200), 200);
}

TEST_F(FmWrapperSeekTest, StopRequestEndsOnTheLastPositionPassed) {
    ASSERT_EQ(sim_tuner_load_fm_band("floor 5\n"), 0);
    ASSERT_EQ(Start(0), 0);
    CFM_WRAPPER* wrapper = wrapper_.get();
    fmtest::SetEventHook([wrapper](const fmtest::Event& e) {
        if (e.set == 3 && e.len == 200 && e.value != 108)
            wrapper->Command(39, nullptr, 0, nullptr, 0);
    });
    EXPECT_EQ(Seek(37, 100), 200);
    const auto trace = fmtest::SeekTrace();
    ASSERT_GE(trace.size(), 3u);
    EXPECT_EQ(trace[trace.size() - 2], "107:200");
}

TEST_F(FmWrapperSeekTest, StopRequestBeforeTheSeekStartsHasNoEffect) {
    ASSERT_EQ(Start(0), 0);
    Cmd(39);
    EXPECT_EQ(Seek(37, 60), 80);
}

}  // namespace
