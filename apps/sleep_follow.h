// One step of the host's sleep timer as both drivers take it: the plug-in's
// reports (host event 16) set the timer, it counts down, and the plug-in is
// told the remaining minutes once each has passed.
#pragma once

#include <functional>
#include <string>

#include "apps/sleep_timer.h"

namespace host {

struct SleepStep {
    std::string message;   // what to show ("sleep timer set", ...), "" for nothing
    bool expired = false;  // the timer ran out: close the session now
};

SleepStep FollowSleepTimer(SleepTimer& timer, const std::function<void(int minutes)>& tell);

}  // namespace host
