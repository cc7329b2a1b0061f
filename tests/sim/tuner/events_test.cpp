// Events of the simulated service: sent through the callback of ZAQ_InstallCallbackFunction
// from the service's own thread, only while a tuner is open.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "tests/sim/tuner/tuner_test_support.h"

namespace {

struct Received {
    int code, a, b;
    std::thread::id thread;
};

std::mutex mutex;
std::condition_variable arrived;
std::vector<Received> received;

int OnEvent(void* source, int code, int a, int b) {
    EXPECT_NE(source, nullptr);
    std::lock_guard<std::mutex> lock(mutex);
    received.push_back({code, a, b, std::this_thread::get_id()});
    arrived.notify_all();
    return 0;
}

bool WaitForEvents(size_t count) {
    std::unique_lock<std::mutex> lock(mutex);
    return arrived.wait_for(lock, std::chrono::seconds(10),
                            [count] { return received.size() >= count; });
}

class Events : public tunertest::ClosedTuner {
  protected:
    void SetUp() override {
        ClosedTuner::SetUp();
        {
            std::lock_guard<std::mutex> lock(mutex);
            received.clear();
        }
        // Not under the lock: installing waits for a delivery in progress, which needs it.
        ASSERT_EQ(ZAQ_InstallCallbackFunction(OnEvent), 0);
    }
};

TEST_F(Events, NoEventWhileNoTunerIsOpen) {
    EXPECT_EQ(sim_tuner_emit_event(ZAQ_EVENT_PLAYBACK_STATUS, 0, 0), -1);
    EXPECT_TRUE(tunertest::State().eventCallbackInstalled);
}

TEST_F(Events, EmittedEventArrivesOnTheServiceThread) {
    ASSERT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_TV), 0);
    ASSERT_EQ(sim_tuner_emit_event(ZAQ_EVENT_PLAYBACK_STATUS, 1, 2), 0);
    ASSERT_TRUE(WaitForEvents(1));
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(received[0].code, 32788);
    EXPECT_EQ(received[0].a, 1);
    EXPECT_EQ(received[0].b, 2);
    EXPECT_NE(received[0].thread, std::this_thread::get_id());
}

TEST_F(Events, PlaybackStatusComesNowAndThenWhileOpen) {
    sim_tuner_set_recording(600, SIM_PLAYBACK_PLAYING);
    sim_tuner_set_event_interval(5);
    ASSERT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_TV), 0);
    ASSERT_TRUE(WaitForEvents(2));
    ASSERT_EQ(ZAQ_CloseTuner(handle_), 0);
    std::lock_guard<std::mutex> lock(mutex);
    const size_t atClose = received.size();
    EXPECT_EQ(received[0].code, ZAQ_EVENT_PLAYBACK_STATUS);
    EXPECT_EQ(received[0].a, SIM_PLAYBACK_PLAYING);
    EXPECT_EQ(sim_tuner_emit_event(1, 0, 0), -1);
    EXPECT_EQ(received.size(), atClose) << "the thread ended with the close";
}

TEST_F(Events, RemovedCallbackHearsNothing) {
    ASSERT_EQ(ZAQ_OpenTuner(handle_, ZAQ_MODE_TV), 0);
    ASSERT_EQ(sim_tuner_emit_event(5, 0, 0), 0);
    ASSERT_TRUE(WaitForEvents(1));
    ASSERT_EQ(ZAQ_InstallCallbackFunction(nullptr), 0);
    ASSERT_EQ(sim_tuner_emit_event(6, 0, 0), 0);
    ASSERT_EQ(ZAQ_CloseTuner(handle_), 0);  // ends the thread: whatever it sent is in
    std::lock_guard<std::mutex> lock(mutex);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].code, 5);
}

}  // namespace
