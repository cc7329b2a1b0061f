// The simulated tuner card: one process-wide object holding the tuner's state (handles,
// mode, tuning, properties, inputs, recorder), its capture thread that delivers live
// frames and its event thread. libravelo's ZAQ_ functions, the ZMP_ frame path and the
// test control all act on it. Every method may be called from any thread.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "interfaces/export.h"
#include "interfaces/tuner_service.h"
#include "sim/tuner/sim_tuner.h"
#include "sim/tuner/tonvex/tables.h"
#include "sim/tuner/tonvex/test_pattern.h"

namespace tonvex {

// Inputs and types that the service only stores and reports.
enum class Setting { kInputType, kVideoType, kVideoSource, kAudioSource };

class ZAQ_EXPORT Card {
  public:
    static Card& Instance();
    ~Card();

    // Handles and opening.
    int Init(int* handle);
    int Open(int handle, int mode);
    int Close(int handle);
    int Release(int handle);
    int InstallEventCallback(ZaqEventCallback fn);

    // Tuning.
    int ChannelCount(int handle, int* count);
    int SelectChannel(int handle, int index, int offset);
    int SelectByFrequency(int handle, int frequencyKHz);
    int FineTune(int handle, int offset);
    int Scan(int handle, int index);
    int SetFrequencyRange(int handle, double startMHz, int count);
    int SetSensitivity(int handle, int level);

    // Properties, country, inputs.
    int SetProperty(int handle, int id, int value);
    int GetProperty(int handle, int id, int* value);
    int SetCountry(int handle, const char* country);
    int GetCountry(int handle, char* country);
    int SetValue(int handle, Setting which, int value);
    int GetValue(int handle, Setting which, int* value);

    // Recorder.
    int Play(int handle);
    int Pause(int handle, bool on);
    int ScanPlayback(int handle, int speed, bool forward);
    int TimeSearch(int handle, uint64_t seconds);
    int PlaybackStatus(int handle, void* record);

    // Live video and frames.
    int DirectPlayStart(int handle, void* window, const ZaqRect* rect);
    int DirectPlayStop(int handle);
    int FrameCapture(int handle, void* buffer, int bits);
    int DriverId();
    int FormatSize(int* format, int* width, int* height);
    int InstallFrameClient(ZmpTunerFrameCallback fn, void* context, int client);
    int UninstallFrameClient(int client);

    // Test control.
    void Reset();
    int LoadChannels(const char* text);
    int LoadFmBand(const char* text);
    int StationInfo(int slot, SimTvStationInfo* info);
    int FmLevel(int channel);
    void GetState(SimTunerState* state);
    void SetManualClock(bool on);
    int DeliverFrames(int count);
    int WaitFrames(uint64_t count, int timeoutMs);
    int RenderCurrent(unsigned char* buffer, int size);
    void SetEventInterval(int milliseconds);
    int EmitEvent(int code, int a, int b);
    void SetRecording(uint32_t length, int state);

  private:
    struct FrameClient {
        ZmpTunerFrameCallback fn = nullptr;
        void* context = nullptr;
    };
    struct Event {
        int code, a, b;
    };
    static constexpr int kMaxClients = 4;

    Card();
    void LoadDefaultsLocked();
    bool ValidHandleLocked(int handle) const;
    bool OwnsLocked(int handle) const;
    bool OwnsModeLocked(int handle, int mode) const;
    Picture PictureLocked() const;
    int EffectiveMtsLocked() const;
    int FmFrequencyLocked(int channel) const;
    FrameFormat CurrentFormatLocked() const;

    // Live video helpers; the caller holds no lock.
    void StopLiveVideo(bool callStopDirectPlay);
    void StartCaptureThreadLocked();
    std::thread TakeCaptureThreadLocked();
    void CaptureLoop();
    bool DeliverOneFrame(FrameRenderer* renderer, std::vector<uint8_t>* buffer);

    // Event thread helpers.
    void StartEventThreadLocked();
    void StopEventThread();
    void EventLoop();

    std::mutex mutex_;  // guards everything below that is not atomic or otherwise marked
    ChannelTable channels_;
    FmBand band_;
    int nextHandle_ = 1;
    std::set<int> handles_;
    int owner_ = 0;
    int mode_ = -1;
    int slot_ = 0, selectOffset_ = 0, fineOffset_ = 0;
    int fmStartKHz_ = 87500, fmCount_ = 411, fmChannel_ = 0, sensitivity_ = 1;
    std::map<int, int> properties_;
    std::string country_;
    std::map<Setting, int> settings_;
    int playbackState_ = 0, scanSpeed_ = 0;
    uint32_t recordingLength_ = 3600, playbackPosition_ = 0;

    bool live_ = false;
    bool directPlayCalled_ = false;
    int directPlayResult_ = 0;
    FrameFormat liveFormat_{720, 480, 30};
    int liveVideoType_ = 0;
    bool manualClock_ = false;
    bool captureStop_ = false;
    std::thread captureThread_;
    std::condition_variable captureWake_;
    uint64_t frameIndex_ = 0;

    std::mutex deliverMutex_;  // one delivery at a time; guards manualRenderer_
    FrameRenderer manualRenderer_;
    std::mutex clientMutex_;  // guards clients_; held while a frame callback runs
    std::array<FrameClient, kMaxClients> clients_{};
    std::atomic<uint64_t> framesDelivered_{0};
    std::condition_variable frameDelivered_;  // with mutex_

    std::mutex eventFnMutex_;  // guards eventFn_; held while the event callback runs
    ZaqEventCallback eventFn_ = nullptr;
    std::mutex eventMutex_;  // guards the event queue and thread flags
    std::condition_variable eventWake_;
    std::deque<Event> events_;
    bool eventStop_ = false;
    bool eventRunning_ = false;
    int eventIntervalMs_ = 5000;
    std::thread eventThread_;
};

}  // namespace tonvex
