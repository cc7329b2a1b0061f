// A tuner service stand-in for direct-play tests: the four frame-path
// functions, a record of their calls, and the installed frame callback, which
// tests call as the capture thread would. Unlike a real service, its
// uninstall does not wait for a frame in progress.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "video/directplay/tuner_binding.h"

namespace faketuner {

struct State {
    std::atomic<int> driverId{1};
    int width = 720;
    int height = 576;
    std::atomic<ZmpTunerFrameCallback> callback{nullptr};
    std::atomic<void*> context{nullptr};
    std::mutex mutex;
    std::vector<std::string> calls;
};

State& Tuner();

// Installs the stand-in as the bound tuner functions and clears its record.
void Install(int driverId, int width, int height);
void Uninstall();

std::vector<std::string> Calls();

// Delivers a frame through the installed callback; false when none is installed.
bool Deliver(unsigned char* frame);

}  // namespace faketuner
