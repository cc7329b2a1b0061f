// The seek sweep across the FM band by signal level: walks the band two channels at a
// time from a start channel, follows rising slopes, skips plateaus to their middle and
// stops on the first fall from a peak at or above the threshold. Pure logic: the tuner
// and the event sink are reached through SweepPort, so the rules can be checked on any
// band.
#pragma once

namespace sonidra {

// Seek event codes (command set 3): a position passed over, a position to tune, the end.
enum : int { kSeekEventPassed = 106, kSeekEventTune = 107, kSeekEventEnd = 108 };

class SweepPort {
  public:
    virtual ~SweepPort() = default;
    // Signal level of a channel already reduced into 0 .. N - 2.
    virtual int Level(int channel) = 0;
    virtual void Report(int channel, int event) = 0;
    virtual bool StopRequested() = 0;
};

enum class SweepDirection { kUp, kDown };

struct SweepRequest {
    SweepDirection direction = SweepDirection::kUp;
    int start = 0;      // channel the sweep leaves from
    int threshold = 0;  // a peak must reach this level
    int count = 0;      // channels in the band (N)
};

struct SweepOutcome {
    int result = 0;      // r: the station found, or the last position passed
    bool found = false;  // ended on a fall from a peak
    int lastTuned = -1;  // channel of the last tune event, -1 when none
};

// Steps 4 and 5 of a seek: the walk with its 106 and 107 events. Muting, sensitivity
// and the closing events are the caller's.
SweepOutcome Sweep(const SweepRequest& request, SweepPort& port);

// The closing events after the walk: the tune event that makes tuner, current channel
// and display agree (if one is due), then the end event with channel 0. Returns the
// seek's result channel.
int FinishSweep(const SweepRequest& request, const SweepOutcome& outcome, bool stopped,
                SweepPort& port);

// Position x reduced as the sweep reduces it: modulo N - 1, so channel N - 1 coincides
// with channel 0.
int ReduceChannel(long x, int count);

}  // namespace sonidra
