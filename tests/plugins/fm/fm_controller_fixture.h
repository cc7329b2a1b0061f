// A CFMUICtrl in a fresh simulated world: the host's callback recorded, keys sent as
// the host sends them, and waits on what the host and tuner stand-ins record.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plugins/fm/fm_ui_ctrl.h"
#include "sim/host/host_journal.h"
#include "sim/tuner/sim_tuner.h"

namespace fmtest {

// (code, argument) of each HostCallback(11, code, argument, 0, 0) so far.
std::vector<std::pair<int, int>> HostCalls();
bool WaitForHostCall(int code);

class FmControllerTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the controller, hands it the host callback and creates its engine.
    void Create();
    // Create, then 'q'; waits for the radio to play.
    void CreateAndStart();
    void Destroy();

    // A key with the completion flag set (a whole key or a complete entry).
    void Key(const std::string& key);
    // Digits typed so far, completion flag clear.
    void Typing(const std::string& digits);
    // A menu event as the setup menu reports it: (code, null, len, value).
    void MenuEvent(int code, unsigned len, int value);

    // Waits until the host's FM panel shows this frequency text.
    bool WaitForFrequency(const std::string& text);
    // Waits until the panel shows this frequency as tuned (not passed over by a seek).
    bool WaitForTuned(const std::string& text);
    // Waits until a host journal line starting with prefix is recorded after the last
    // ClearJournals.
    bool WaitForHost(const std::string& prefix);
    // Waits until the tuner's journal has at least count lines starting with prefix.
    bool WaitForTuner(const std::string& prefix, int count = 1);
    // Waits until everything queued so far has been handled.
    void Settle();
    // Keys but 's' and 'x' are dropped while a seek is busy, and busy ends with the
    // seek's end event, which the worker may queue after the display already shows
    // the station. Offers key, one at a time, until taken() holds; a key offered
    // while busy is dropped, so it is taken exactly once.
    bool OfferKeyAfterSeek(const std::string& key, const std::function<bool()>& taken);
    void ClearJournals();

    SimTunerState Tuner();
    std::vector<std::string> HostLines(const std::string& prefix);

    std::unique_ptr<CFMUICtrl> controller_;
};

}  // namespace fmtest
