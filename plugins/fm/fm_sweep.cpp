// The seek sweep. Two sample slots hold the levels at p - 2 and p (p + 2 going down);
// each step classifies the pair as rising, falling or level and shifts one new sample
// in. Going down mirrors going up, except that a plateau's look-ahead starts only from
// its second step and its middle rounds the other way, so both directions land on the
// same channel.
#include "plugins/fm/fm_sweep.h"

namespace sonidra {

int ReduceChannel(long x, int count) {
    const long m = static_cast<long>(count) - 1;
    if (m <= 0) return 0;
    // The true wrap for positions below 0 too (only a downward look-ahead from the
    // bottom channels reaches them).
    return static_cast<int>(((x % m) + m) % m);
}

namespace {

class Walker {
  public:
    Walker(const SweepRequest& request, SweepPort& port) : q_(request), port_(port) {}

    SweepOutcome Run() {
        older_ = Sample(q_.start);
        p_ = Up() ? q_.start + 2L : q_.start + static_cast<long>(q_.count) - 3;
        newer_ = Sample(p_);
        outcome_.result = q_.start;
        while (InRange() && !port_.StopRequested()) {
            if (Step()) {
                outcome_.found = true;
                break;
            }
            p_ += Up() ? 2 : -2;
        }
        return outcome_;
    }

  private:
    bool Up() const { return q_.direction == SweepDirection::kUp; }
    bool InRange() const {
        return Up() ? p_ < q_.start + static_cast<long>(q_.count) : p_ >= q_.start;
    }
    int Sample(long x) { return port_.Level(ReduceChannel(x, q_.count)); }
    // The older slot takes the next sample and the slots swap roles.
    void Shift() {
        older_ = newer_;
        newer_ = Sample(Up() ? p_ + 2 : p_ - 2);
    }
    void Show(int event) {
        outcome_.result = ReduceChannel(p_, q_.count);
        port_.Report(outcome_.result, event);
        if (event == kSeekEventTune) outcome_.lastTuned = outcome_.result;
    }
    void LeavePlateau() {
        plateau_ = false;
        k_ = 0;
    }

    // One step at p; true when a station is found (the result is then set).
    bool Step() {
        if (older_ < newer_) return Rising();
        if (older_ > newer_) return Falling();
        return Level();
    }

    bool Rising() {
        rising_ = true;
        if (plateau_) LeavePlateau();
        Shift();
        Show(kSeekEventTune);
        return false;
    }

    bool Falling() {
        if (rising_ && older_ >= q_.threshold) {
            outcome_.result = ReduceChannel(FoundPosition(), q_.count);
            return true;
        }
        rising_ = false;
        if (plateau_) LeavePlateau();
        Shift();
        Show(kSeekEventPassed);
        return false;
    }

    bool Level() {
        const int level = older_;  // L, the level of the plateau so far
        Shift();
        if (!rising_ || level < q_.threshold) {
            Show(kSeekEventPassed);
            return false;
        }
        ++k_;
        plateau_ = true;
        const bool lookAhead = Up() || k_ >= 2;
        // A new sample below the plateau means the next step finds the fall: stay silent.
        if (!(lookAhead && newer_ < level)) Show(kSeekEventPassed);
        return false;
    }

    // The peak behind p: the channel before the fall, or the middle of its plateau (the
    // lower of two middles in both directions).
    long FoundPosition() const {
        if (Up()) return plateau_ ? p_ - 2 - 2L * ((k_ + 1) / 2) : p_ - 2;
        return plateau_ ? p_ + 2 + 2L * (k_ / 2) : p_ + 2;
    }

    const SweepRequest& q_;
    SweepPort& port_;
    SweepOutcome outcome_;
    long p_ = 0;
    int older_ = 0;
    int newer_ = 0;
    bool rising_ = false;
    bool plateau_ = false;
    int k_ = 0;
};

}  // namespace

SweepOutcome Sweep(const SweepRequest& request, SweepPort& port) {
    return Walker(request, port).Run();
}

int FinishSweep(const SweepRequest& request, const SweepOutcome& outcome, bool stopped,
                SweepPort& port) {
    const int start = request.start;
    const int r = outcome.result;
    // Nothing found compares reduced positions, so a sweep from the top channel (which
    // ends on channel 0, its reduced twin) also returns to its start.
    const bool nothing =
        !outcome.found && ReduceChannel(r, request.count) == ReduceChannel(start, request.count);
    if (outcome.found) {
        // The walk tuned the first channel of a plateau; the found station is its
        // middle, so tune that too unless the tuner is there already.
        if (r == start || r != outcome.lastTuned) port.Report(r, kSeekEventTune);
    } else if (nothing || stopped) {
        port.Report(nothing ? start : r, kSeekEventTune);
    }
    port.Report(0, kSeekEventEnd);
    return nothing ? start : r;
}

}  // namespace sonidra
