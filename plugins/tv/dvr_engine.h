// The TV engine's state and its tuner steps: opening and closing the tuner,
// live video, the monitor thread that reports sound-mode changes and the
// channel-scan thread. The command table (dvr_commands.h) works on it.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

#include "interfaces/media_types.h"
#include "interfaces/tuner_service.h"

// State bits.
enum : unsigned {
    kDvrTunerOpen = 1,
    kDvrLiveVideo = 2,
    kDvrRecording = 4,
    kDvrTimeShift = 8,
    kDvrPaused = 16,
    kDvrPlayback = 64,
};

constexpr int kDvrMaxSlots = 512;

struct DvrEngine {
    DvrEngine();
    ~DvrEngine();
    DvrEngine(const DvrEngine&) = delete;
    DvrEngine& operator=(const DvrEngine&) = delete;

    // Opens the tuner once (bit 1): window geometry, ZAQ_Init, ZAQ_OpenTuner.
    // 0 on success, -1 for geometry or ZAQ_Init failing, else OpenTuner's result.
    int OpenTuner();
    // Starts live video once (bit 2); returns 0.
    int StartLiveVideo();
    void StopLiveVideo();
    // Stops live video and closes and releases an open tuner; returns 0.
    int CloseTuner();

    // Reports to the controller, if a callback is installed.
    void Report(int code, int len, int value);

    bool Has(unsigned bits) const { return (state.load() & bits) != 0; }
    void Set(unsigned bits) { state.fetch_or(bits); }
    void Clear(unsigned bits) { state.fetch_and(~bits); }

    // Scan thread: started by command 35, stopped and joined by 36.
    void StartScan();
    void StopScan();

    std::atomic<int> property17{0};
    void* window = nullptr;
    ZaqRect rect{0, 0, 0, 0};
    std::atomic<int> tuner{0};
    std::atomic<unsigned> state{0};
    std::atomic<int> channelCount{0};
    std::atomic<MediaEventCallback> callback{nullptr};

  private:
    void RunMonitor();
    void RunScan();
    void ScanSlot(int slot);

    std::thread monitor_;
    std::mutex scanLock_;
    std::thread scan_;
};

// The process-wide running flags (one TV engine at a time).
bool DvrMonitorRunning();
bool DvrScanRunning();
