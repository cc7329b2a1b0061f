// The shared opening and closing of the tuner, on the stand-in tuner and host.
#include "plugins/common/tuner_session.h"

#include <gtest/gtest.h>

#include "sim/host/host_journal.h"
#include "sim/tuner/sim_tuner.h"

namespace {

class TunerSession : public ::testing::Test {
  protected:
    void SetUp() override {
        sim_tuner_reset();
        hostsim::ResetAll();
    }
    void TearDown() override {
        sim_tuner_reset();
        hostsim::ResetAll();
    }
    static int Handles() {
        SimTunerState state{};
        sim_tuner_get_state(&state);
        return state.handles;
    }
};

TEST_F(TunerSession, TheWindowIsPlacedWhereTheScreenPutsItsClientArea) {
    hostsim::Screen screen;
    screen.client = ZaqRect{0, 0, 639, 359};
    screen.origin = ZaqPoint{100, 50};
    hostsim::SetScreen(screen);
    void* window = nullptr;
    ZaqRect rect{1, 2, 3, 4};
    ASSERT_TRUE(LocateVideoWindow(&window, &rect));
    EXPECT_EQ(window, ZAQ_VIDEO_WINDOW);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right, 739);
    EXPECT_EQ(rect.bottom, 409);
}

TEST_F(TunerSession, AnUnknownWindowLeavesTheRectangleAsItWas) {
    hostsim::Screen screen;
    screen.clientToScreenFails = true;
    hostsim::SetScreen(screen);
    void* window = nullptr;
    ZaqRect rect{1, 2, 3, 4};
    EXPECT_FALSE(LocateVideoWindow(&window, &rect));
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(rect.bottom, 4);
}

TEST_F(TunerSession, AFailedOpenStillHoldsAHandleToClose) {
    sim_tuner_fail_next("ZAQ_OpenTuner", -7);
    int handle = 0;
    bool acquired = false;
    EXPECT_EQ(OpenTunerSession(ZAQ_MODE_FM, &handle, &acquired), -7);
    ASSERT_TRUE(acquired);
    EXPECT_NE(handle, 0);
    EXPECT_EQ(Handles(), 1);
    CloseTunerSession(handle);
    EXPECT_EQ(Handles(), 0);
}

TEST_F(TunerSession, AFailedInitAcquiresNothing) {
    sim_tuner_fail_next("ZAQ_Init", -1);
    int handle = 0;
    bool acquired = true;
    EXPECT_EQ(OpenTunerSession(ZAQ_MODE_TV, &handle, &acquired), -1);
    EXPECT_FALSE(acquired);
    EXPECT_EQ(handle, 0);
    EXPECT_EQ(sim_tuner_journal_count("ZAQ_OpenTuner"), 0);
}

}  // namespace
