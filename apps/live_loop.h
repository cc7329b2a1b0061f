// The frame clock of the live views: keys are taken as they come, and a frame
// is drawn every kLiveFramePeriod, from whatever the session shows then.
#pragma once

#include <chrono>
#include <functional>

namespace host {

// 15 frames a second.
constexpr std::chrono::milliseconds kLiveFramePeriod{66};

struct LiveLoopSteps {
    // A key the terminal gave (its byte, arrows 28..31, Enter 10).
    std::function<void(int key)> key;
    // Between keys: work that follows the session.
    std::function<void()> follow;
    // Draws one frame.
    std::function<void()> draw;
    // True when the loop is done.
    std::function<bool()> done;
    // Asked to stop: Ctrl-C, SIGTERM, SIGHUP or the end of the input. Called
    // once; the loop then goes on until done() or the grace time has passed.
    std::function<void()> stop;
};

// Runs until done() (or, after a stop, `grace` at most).
void RunLiveLoop(const LiveLoopSteps& steps, std::chrono::milliseconds grace);

}  // namespace host
