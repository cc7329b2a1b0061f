// An FM session driven as a host drives it: line by line (each key sent, the
// plug-in's work waited for, the FM screen printed) or live (keys sent at once
// while the screen is redrawn). It also keeps the host's sleep timer.
#pragma once

#include <string>

#include "apps/fm_session.h"
#include "apps/key_feed.h"
#include "apps/progress_line.h"
#include "apps/sleep_timer.h"

namespace host {

// The FM controller's control keys.
enum FmKey : int { kFmLeft = 28, kFmRight = 29, kFmUp = 30, kFmDown = 31, kFmEnter = 10 };

// Menu events of scripts, above the byte range.
constexpr int kStorePresetBase = 1000;  // + slot 0..9
constexpr int kListPresets = 2000;

class FmDriver {
  public:
    explicit FmDriver(SleepTimer::Clock clock = &std::chrono::steady_clock::now);

    // Loads the plug-in and creates the controller; false (one line on stderr)
    // when that fails.
    bool Open();

    // Line by line: sends a key (or a script's menu event), waits for its
    // effects and prints the FM screen with `label`.
    void Run(int key, const std::string& label);
    // Commits typed digits after the pause and follows the sleep timer.
    void Tick();

    // Live: sends a key (or a script's menu event) at once.
    void Press(int key);
    // Commits typed digits after the pause and follows the sleep timer.
    void Follow();

    // The host's own sleep timer of `seconds` (the plug-in is told the minutes).
    void SetSleep(int seconds);
    bool SleepArmed() const { return sleep_.Armed(); }
    bool ClosedBySleep() const { return closedBySleep_; }
    // The radio closed or could not start.
    bool Ended() const;
    // Sends 'x' (once) unless the radio has already closed.
    void Leave();

    // "seeking: 98.3 MHz" while a seek runs, else "". The host sees a seek as
    // the frequencies it passes (marked 999 on the panel while they are passed
    // over, plain while the radio follows a rising signal), so a seek key's seek
    // lasts while they keep changing.
    std::string SeekText() const;
    // "sleep 29:59", or "".
    std::string SleepText() const { return sleep_.StatusText(); }

    // Leaves the radio, deletes the controller and prints the host's events and
    // journal. 0, or 1 (with one line on stderr) when the radio could not start
    // or did not close.
    int Finish();

    FmSession& Session() { return session_; }

  private:
    void Send(int key);
    std::string FollowSleep();
    void FollowSeek();
    void PrintNewHostEvents();
    void WaitForEffects();

    FmSession session_;
    KeyFeed feed_;
    SleepTimer sleep_;
    ProgressLine progress_;
    size_t printedEvents_ = 0;
    bool seeking_ = false;
    std::string seekFrequency_;
    std::chrono::steady_clock::time_point seekMoved_{};
    bool closedBySleep_ = false;
    bool leaving_ = false;
};

// The status label of an FM key or script event.
std::string FmKeyLabel(int key);

}  // namespace host
