// A stand-in for libmirova's direct-play entry points, exported from the test program so
// the tuner service finds them the way it finds libmirova's: it asks for the frame size and
// driver, installs a frame callback as client 1 and counts and checks every frame.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "interfaces/tuner_service.h"

namespace fakeplay {

struct Record {
    std::atomic<int> starts{0};
    std::atomic<int> stops{0};
    std::atomic<int> frames{0};
    std::atomic<int> nullFrames{0};
    std::atomic<int> startResult{0};
    std::mutex mutex;  // guards the fields below
    void* window = nullptr;
    ZaqRect rect{};
    int driverId = -1;
    int width = 0, height = 0;
    std::vector<std::vector<uint8_t>> kept;  // frames copied while keepFrames is set
    bool keepFrames = false;
};

Record& Played();
void ResetPlayed();

}  // namespace fakeplay
