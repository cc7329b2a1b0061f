// Keys wake the loop at once; frames come on a fixed schedule that skips, not
// queues, the frames it could not draw in time.
#include "apps/live_loop.h"

#include <thread>

#include "apps/terminal_guard.h"
#include "apps/terminal_keys.h"

namespace host {

void RunLiveLoop(const LiveLoopSteps& steps, std::chrono::milliseconds grace) {
    using Clock = std::chrono::steady_clock;
    auto nextFrame = Clock::now();
    bool stopping = false;
    bool inputOpen = true;
    Clock::time_point giveUp{};
    while (!steps.done()) {
        const auto now = Clock::now();
        if (stopping && now >= giveUp) return;
        if (now >= nextFrame) {
            steps.draw();
            nextFrame += kLiveFramePeriod;
            if (nextFrame < Clock::now()) nextFrame = Clock::now() + kLiveFramePeriod;
        }
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(nextFrame - Clock::now());
        const int waitMs = wait.count() > 0 ? static_cast<int>(wait.count()) : 0;
        int key = -1;
        if (inputOpen) {
            key = ReadKey(waitMs);
            inputOpen = key != -2;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
        }
        if (key >= 0) steps.key(key);
        steps.follow();
        if (!stopping && (!inputOpen || TerminalGuard::StopRequested())) {
            stopping = true;
            giveUp = Clock::now() + grace;
            steps.stop();
        }
    }
}

}  // namespace host
