// The FM wrapper's hold on the tuner service: the handle, the open and direct-play
// state, the band it tunes in and the window it plays into.
//
// Threads: opened and closed on the controller's thread; the seek worker reads the
// handle and the band while a sweep runs (the wrapper keeps closing and sweeping apart).
#pragma once

#include <atomic>

#include "interfaces/tuner_service.h"

namespace sonidra {

class FmTuner {
  public:
    // Opens the tuner in radio mode with the band (nothing if open already). 0 or the
    // open's result; -1 when the window geometry or ZAQ_Init fails.
    int Open();
    void StartDirectPlay();
    // Stops direct play, then closes and releases the tuner if it is open.
    void Stop();

    bool IsOpen() const { return (bits_.load() & kOpen) != 0; }
    int Handle() const { return handle_.load(); }

    void SetBandStart(double megahertz) { bandStart_.store(megahertz); }
    void SetChannelCount(int count) { count_.store(count); }
    double BandStart() const { return bandStart_.load(); }
    int ChannelCount() const { return count_.load(); }

  private:
    static constexpr int kOpen = 1;
    static constexpr int kPlaying = 2;

    void StopDirectPlay();

    void* window_ = nullptr;
    ZaqRect rect_{0, 0, 0, 0};
    std::atomic<int> handle_{0};
    std::atomic<int> bits_{0};
    std::atomic<double> bandStart_{87.5};
    std::atomic<int> count_{411};
};

}  // namespace sonidra
