// Millisecond sleep: a deadline and nanosleep for the remainder, so an interrupted
// sleep never comes back early.
#include "plugins/common/sleep_ms.h"

#include <time.h>

#include <chrono>

void SleepMilliseconds(int milliseconds) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(end - now).count();
        timespec rest{static_cast<time_t>(left / 1000000000), static_cast<long>(left % 1000000000)};
        nanosleep(&rest, nullptr);
    }
}
