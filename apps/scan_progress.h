// A TV channel scan's progress as the host shows it: the plug-in reports each
// slot it reaches (setup-menu command 163 with slot n, until a channel is shown
// again), the card tells how many slots there are and what its scan answered for
// the slots passed.
//
// Not thread-safe: one thread updates and reads it.
#pragma once

#include <functional>
#include <string>

namespace host {

// What the tuner card answers about its slots.
struct ScanCard {
    std::function<int()> slotCount;
    std::function<bool(int slot)> hasStation;
};

// The simulated card's answers.
ScanCard SimulatedScanCard();

class ScanProgress {
  public:
    explicit ScanProgress(ScanCard card) : card_(std::move(card)) {}

    // The host's view now: whether scan reports are coming, and the slot of the
    // latest one.
    void Update(bool scanning, int reportedSlot);
    bool Running() const { return running_; }
    // True once a scan has ended, until the next one starts.
    bool Finished() const { return finished_; }
    // "scan [######......] slot 57 of 125, 12 stations found" while it runs,
    // "scan done: 125 of 125 slots, 40 stations found" after it; "" before.
    std::string Text(int barWidth) const;

  private:
    void Start();
    void CountFoundUpTo(int slot);
    int Slots() const;

    ScanCard card_;
    bool running_ = false;
    bool finished_ = false;
    int slot_ = 0;
    int slots_ = 0;
    int counted_ = 0;  // slots whose answers are counted
    int found_ = 0;
};

}  // namespace host
