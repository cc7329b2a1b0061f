// Digit typing and committing, as a remote-control host does it.
#include "apps/key_feed.h"

namespace host {

void KeyFeed::Press(unsigned char key) {
    if (key >= '0' && key <= '9') {
        digits_.push_back(static_cast<char>(key));
        lastDigit_ = std::chrono::steady_clock::now();
        send_(digits_, 0);
        return;
    }
    const bool hadDigits = !digits_.empty();
    Commit();
    // Enter only commits the number when one was being typed.
    if (key == kHostEnter && hadDigits) return;
    send_(std::string(1, static_cast<char>(key)), 1);
}

bool KeyFeed::Tick() {
    if (digits_.empty() || std::chrono::steady_clock::now() - lastDigit_ < kCommitPause) {
        return false;
    }
    Commit();
    return true;
}

void KeyFeed::Commit() {
    if (digits_.empty()) return;
    send_(digits_, 1);
    digits_.clear();
}

}  // namespace host
