// Counting the sleep timer down in whole minutes, rounded up, as a remote
// control's display shows them.
#include "apps/sleep_timer.h"

#include <cstdio>

namespace host {
namespace {

constexpr int kSecondsPerMinute = 60;

int MinutesRoundedUp(int seconds) {
    return (seconds + kSecondsPerMinute - 1) / kSecondsPerMinute;
}

}  // namespace

void SleepTimer::Set(int seconds) {
    armed_ = seconds > 0;
    if (!armed_) return;
    deadline_ = now_() + std::chrono::seconds(seconds);
    lastMinutes_ = MinutesRoundedUp(seconds);
}

int SleepTimer::RemainingSeconds() const {
    if (!armed_) return 0;
    const auto left = deadline_ - now_();
    if (left <= std::chrono::steady_clock::duration::zero()) return 0;
    // Rounded up, so a timer shows 0:00 only when it has run out.
    const auto whole = std::chrono::ceil<std::chrono::seconds>(left);
    return static_cast<int>(whole.count());
}

SleepTimer::Due SleepTimer::Advance() {
    Due due;
    if (!armed_) return due;
    const int seconds = RemainingSeconds();
    if (seconds == 0) {
        armed_ = false;
        due.tellMinutes = lastMinutes_ != 0;
        due.expired = true;
        return due;
    }
    const int minutes = MinutesRoundedUp(seconds);
    if (minutes != lastMinutes_) {
        lastMinutes_ = minutes;
        due.tellMinutes = true;
        due.minutes = minutes;
    }
    return due;
}

std::string SleepTimer::StatusText() const {
    if (!armed_) return "";
    const int seconds = RemainingSeconds();
    char text[32];
    std::snprintf(text, sizeof text, "sleep %d:%02d", seconds / kSecondsPerMinute,
                  seconds % kSecondsPerMinute);
    return text;
}

}  // namespace host
