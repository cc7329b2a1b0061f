// A TV session driven as a host drives it, in either of the host program's
// ways: line by line (each key is sent, the plug-in's work waited for, and the
// status printed) or live (keys sent at once while the screen is redrawn). It
// also keeps the host's sleep timer and follows channel scans.
#pragma once

#include <string>

#include "apps/key_feed.h"
#include "apps/progress_line.h"
#include "apps/scan_progress.h"
#include "apps/sleep_timer.h"
#include "apps/tv_session.h"

namespace host {

class TvDriver {
  public:
    explicit TvDriver(SleepTimer::Clock clock = &std::chrono::steady_clock::now);

    // Loads the plug-in and creates the controller; false (one line on stderr)
    // when that fails.
    bool Open();

    // Line by line: sends a key (or a script's menu event), waits for its
    // effects and prints the status line with `label`.
    void Run(int key, const std::string& label);
    // Commits typed digits after the pause and follows the sleep timer,
    // printing what happened.
    void Tick();

    // Live: sends a key (or a script's menu event) at once.
    void Press(int key);
    // Commits typed digits after the pause, follows the sleep timer and the scan.
    void Follow();

    // The host's own sleep timer of `seconds` (the plug-in is told the minutes).
    void SetSleep(int seconds);
    bool SleepArmed() const { return sleep_.Armed(); }
    // The sleep timer ran out and the session was asked to close.
    bool ClosedBySleep() const { return closedBySleep_; }
    // Nothing more to do: the engine closed or the tuner could not be opened.
    bool Ended() const;
    // Sends 'x' (once) unless the engine has already closed.
    void Leave();

    // "channel 5 | volume 12 | ... | sleep 4:59"
    std::string StatusLine() const;
    // The scan's progress bar (or its result), "" when there was no scan.
    std::string ScanText(int barWidth) const { return scan_.Text(barWidth); }

    // Commits typed digits, leaves TV if it is still on, deletes the controller
    // and prints the host's events and journal. 0, or 1 (with one line on
    // stderr) when the tuner could not be opened or the engine did not close.
    int Finish();

    TvSession& Session() { return session_; }

  private:
    void Send(int key);
    // The sleep timer's reports and countdown; the message to show, or "".
    std::string FollowSleep();
    void FollowScan();
    void WaitForEffects();

    TvSession session_;
    KeyFeed feed_;
    SleepTimer sleep_;
    ScanProgress scan_;
    ProgressLine progress_;
    bool closedBySleep_ = false;
    bool leaving_ = false;
};

}  // namespace host
