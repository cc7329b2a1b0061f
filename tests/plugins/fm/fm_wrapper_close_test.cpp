// Closing or destroying the FM engine while a sweep runs: the sweep ends at once and
// never samples a closed tuner. The sweep is held on its first event so the close
// always lands mid-sweep.
#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "plugins/fm/fm_wrapper_state.h"
#include "sim/tuner/sim_tuner.h"
#include "tests/plugins/fm/fm_test_support.h"

namespace {

using sonidra::CommandArgs;
using sonidra::FindCommandHandler;
using sonidra::FmWrapperState;

// Holds the reporting thread on the first seek event until released.
class FirstEventGate {
  public:
    void Arm() {
        fmtest::SetEventHook([this](const fmtest::Event& e) { Hold(e); });
    }
    ~FirstEventGate() {
        Release();
        fmtest::SetEventHook(nullptr);
    }
    bool WaitHeld() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), [this] { return held_; });
    }
    void Release() {
        std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

  private:
    void Hold(const fmtest::Event& e) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (e.set != 3 || held_) return;
        held_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return released_; });
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool released_ = false;
};

int Command(FmWrapperState& state, unsigned command, void* in = nullptr, void* out = nullptr) {
    return FindCommandHandler(command)(state, CommandArgs{in, 0, out, 0});
}

class FmWrapperCloseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fmtest::ResetWorld();
        ASSERT_EQ(sim_tuner_load_fm_band("floor 5\n"), 0);
        state_ = std::make_unique<FmWrapperState>();
        state_->callback.store(fmtest::Callback);
        int channel = 0;
        ASSERT_EQ(Command(*state_, 74, &channel), 0);
    }
    void StartSweep() {
        gate_.Arm();
        Command(*state_, 37, reinterpret_cast<void*>(intptr_t{14}), &start_);
        ASSERT_TRUE(gate_.WaitHeld());
    }
    // Scans made after the tuner was closed.
    static int ScansAfterClose() {
        bool closed = false;
        int scans = 0;
        for (const std::string& line : SimTunerJournal()) {
            if (line.rfind("ZAQ_CloseTuner", 0) == 0) closed = true;
            if (closed && line.rfind("ZAQ_ScanChannel", 0) == 0) ++scans;
        }
        return scans;
    }

    FirstEventGate gate_;
    std::unique_ptr<FmWrapperState> state_;
    int start_ = 100;
};

TEST_F(FmWrapperCloseTest, CloseDuringASweepEndsItBeforeTheTunerCloses) {
    StartSweep();
    std::thread closer([this] { Command(*state_, 86); });
    ASSERT_TRUE(fmtest::WaitUntil([this] { return state_->closing.load() > 0; }));
    gate_.Release();
    closer.join();
    EXPECT_EQ(ScansAfterClose(), 0);
    EXPECT_LT(sim_tuner_journal_count("ZAQ_ScanChannel"), 10);
    const auto trace = fmtest::SeekTrace();
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.back(), "108:0");
    const auto events = fmtest::Events();
    EXPECT_EQ(events.back().set, 13);
    EXPECT_TRUE(state_->seeks.Empty());
}

TEST_F(FmWrapperCloseTest, CloseEmptiesTheSeekQueue) {
    StartSweep();
    int other = 50;
    Command(*state_, 38, reinterpret_cast<void*>(intptr_t{14}), &other);
    EXPECT_FALSE(state_->seeks.Empty());
    std::thread closer([this] { Command(*state_, 86); });
    ASSERT_TRUE(fmtest::WaitUntil([this] { return state_->closing.load() > 0; }));
    gate_.Release();
    closer.join();
    EXPECT_TRUE(state_->seeks.Empty());
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_SetSensitivityLevel"), 1);
}

TEST_F(FmWrapperCloseTest, DestroyingDuringASweepDoesNotWaitForTheWholeSweep) {
    StartSweep();
    FmWrapperState* state = state_.get();
    std::thread destroyer([this] { state_.reset(); });
    ASSERT_TRUE(fmtest::WaitUntil([state] { return state->closing.load() > 0; }));
    gate_.Release();
    destroyer.join();
    EXPECT_LT(sim_tuner_journal_count("ZAQ_ScanChannel"), 10);
    EXPECT_EQ(ScansAfterClose(), 0);
    SimTunerState tuner{};
    sim_tuner_get_state(&tuner);
    EXPECT_EQ(tuner.handles, 0);
}

TEST_F(FmWrapperCloseTest, SeekOnAClosedTunerSamplesNothingButEnds) {
    Command(*state_, 81);
    gate_.Release();
    sim_tuner_journal_clear();
    Command(*state_, 37, reinterpret_cast<void*>(intptr_t{14}), &start_);
    ASSERT_TRUE(fmtest::WaitForSeekEnd());
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_"), 0);
}

}  // namespace
