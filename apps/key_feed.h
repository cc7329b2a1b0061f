// Turns key presses into the key events a remote-control host sends: digits
// are typed (value 0, the digits so far) and committed (nonzero value) after a
// short pause or Enter; other keys are sent committed at once.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace host {

// Control values of the non-printing keys.
enum HostKey : unsigned char {
    kHostEnter = 10,
    kHostUp = 28,
    kHostDown = 29,
    kHostRight = 30,
    kHostLeft = 31,
};

class KeyFeed {
  public:
    using Sender = std::function<void(const std::string& key, int value)>;
    static constexpr std::chrono::milliseconds kCommitPause{1200};

    explicit KeyFeed(Sender send) : send_(std::move(send)) {}

    // One key press (a byte; arrows as 28..31, Enter as 10).
    void Press(unsigned char key);
    // Commits typed digits after the pause; call now and then. True when it
    // committed.
    bool Tick();
    // Commits typed digits at once.
    void Commit();

  private:
    Sender send_;
    std::string digits_;
    std::chrono::steady_clock::time_point lastDigit_{};
};

}  // namespace host
