#include "apps/sleep_follow.h"

#include "apps/host_events.h"

namespace host {

SleepStep FollowSleepTimer(SleepTimer& timer, const std::function<void(int minutes)>& tell) {
    SleepStep step;
    int seconds = 0;
    while (TakeSleepReport(&seconds)) {
        timer.Set(seconds);
        step.message = seconds > 0 ? "sleep timer set" : "sleep timer off";
    }
    const SleepTimer::Due due = timer.Advance();
    if (due.tellMinutes) tell(due.minutes);
    if (due.expired) {
        step.expired = true;
        step.message = "sleep timer: closing";
    } else if (due.tellMinutes) {
        step.message = "sleep timer: " + std::to_string(due.minutes) + " min left";
    }
    return step;
}

}  // namespace host
