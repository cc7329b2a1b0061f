// Shared helpers of the tuner-service tests: a fixture that starts every test from a reset
// service with one open tuner, and small readers of the service's state.
#pragma once

#include <gtest/gtest.h>

#include "interfaces/tuner_service.h"
#include "sim/tuner/sim_tuner.h"

namespace tunertest {

inline SimTunerState State() {
    SimTunerState state;
    sim_tuner_get_state(&state);
    return state;
}

// A reset service with a handle from ZAQ_Init and the tuner opened in `mode`
// (ZAQ_MODE_TV, ZAQ_MODE_FM, or -1 to leave it closed).
class OpenTuner : public ::testing::Test {
  protected:
    explicit OpenTuner(int mode) : mode_(mode) {}

    void SetUp() override {
        sim_tuner_reset();
        sim_tuner_set_event_interval(0);
        ASSERT_EQ(ZAQ_Init(&handle_), 0);
        if (mode_ >= 0) {
            ASSERT_EQ(ZAQ_OpenTuner(handle_, mode_), 0);
        }
    }
    void TearDown() override { sim_tuner_reset(); }

    int handle_ = 0;

  private:
    int mode_;
};

class TvTuner : public OpenTuner {
  protected:
    TvTuner() : OpenTuner(ZAQ_MODE_TV) {}
};

class FmTuner : public OpenTuner {
  protected:
    FmTuner() : OpenTuner(ZAQ_MODE_FM) {}
};

class ClosedTuner : public OpenTuner {
  protected:
    ClosedTuner() : OpenTuner(-1) {}
};

}  // namespace tunertest
