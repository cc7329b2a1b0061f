// The two threads of a renderer's threading test: frames on one, control calls
// on the caller's. The frames start only once the first control round is done,
// so the two overlap however the machine schedules them, and control rounds go
// on until the last frame is through.
#pragma once

#include <atomic>
#include <thread>

namespace rendertest {

// frame(i) for i in [0, frameCount) on a thread of its own, control(round)
// meanwhile; returns once both are done.
template <class Frame, class Control>
void ControlBesideFrames(int frameCount, Frame frame, Control control) {
    std::atomic<bool> started{false}, done{false};
    std::thread frames([&] {
        while (!started) std::this_thread::yield();
        for (int i = 0; i < frameCount; ++i) frame(i);
        done = true;
    });
    int round = 0;
    do {
        control(round++);
        started = true;
    } while (!done);
    frames.join();
}

}  // namespace rendertest
