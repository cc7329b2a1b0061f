// The host's sleep timer. A plug-in reports the time the user chose (host event
// 16, in seconds; 0 clears it); the host counts it down, tells the plug-in the
// remaining minutes whenever a minute has passed (Notify type 24), and closes the
// session when it runs out.
//
// Not thread-safe: one thread sets, advances and reads it.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace host {

class SleepTimer {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // What is due after Advance.
    struct Due {
        bool tellMinutes = false;  // send `minutes` to the plug-in
        int minutes = 0;
        bool expired = false;  // close the session now
    };

    explicit SleepTimer(Clock now = &std::chrono::steady_clock::now) : now_(std::move(now)) {}

    // Arms the timer for `seconds` from now; 0 or less stops it.
    void Set(int seconds);
    bool Armed() const { return armed_; }
    // Whole seconds left, rounded up; 0 when not armed.
    int RemainingSeconds() const;
    // The remaining minutes once each has passed; `expired` once, at the end
    // (with minutes 0), after which the timer is stopped.
    Due Advance();
    // "sleep 4:59", or "" when not armed.
    std::string StatusText() const;

  private:
    Clock now_;
    bool armed_ = false;
    std::chrono::steady_clock::time_point deadline_{};
    int lastMinutes_ = 0;
};

}  // namespace host
