// The TV engine's lifecycle: construction (mixer, tuner callback, monitor
// thread), opening and closing the tuner, live video, and destruction.
#include "plugins/tv/dvr_engine.h"

#include "interfaces/host_framework.h"
#include "plugins/common/oss_mixer.h"
#include "plugins/common/sleep_ms.h"
#include "plugins/common/tuner_session.h"
#include "plugins/tv/tuner_event_queue.h"

namespace {

// One monitor thread per process, whichever engine started it.
std::atomic<bool> gMonitorRunning{false};

constexpr int kMonitorTickMs = 10;
constexpr int kMonitorPollTicks = 200;
constexpr int kSoundModeChanged = 21;

}  // namespace

bool DvrMonitorRunning() {
    return gMonitorRunning.load();
}

DvrEngine::DvrEngine() {
    SetMixerLevel(16);
    ZAQ_InstallCallbackFunction(&QueueTunerEvent);
    bool expected = false;
    if (gMonitorRunning.compare_exchange_strong(expected, true)) {
        monitor_ = std::thread(&DvrEngine::RunMonitor, this);
    }
}

DvrEngine::~DvrEngine() {
    StopScan();
    if (monitor_.joinable()) {
        gMonitorRunning.store(false);
        monitor_.join();
    }
    // The service must not queue into a plug-in that may be unloaded next, and
    // the events nobody read go with the engine.
    ZAQ_InstallCallbackFunction(nullptr);
    ClearTunerEvents();
}

void DvrEngine::Report(int code, int len, int value) {
    if (MediaEventCallback fn = callback.load())
        fn(code, nullptr, static_cast<unsigned>(len), value);
}

void DvrEngine::RunMonitor() {
    int ticks = kMonitorPollTicks;
    int lastMode = ZAQ_MTS_STEREO;
    while (gMonitorRunning.load()) {
        SleepMilliseconds(kMonitorTickMs);
        if (++ticks <= kMonitorPollTicks) continue;
        ticks = 0;
        // Only an open tuner has a sound mode to report.
        if (!Has(kDvrTunerOpen)) continue;
        int mode = 0;
        if (ZAQ_GetProperty(tuner.load(), ZAQ_PROP_MTS_MODE, &mode) != 0 || mode == lastMode) {
            continue;
        }
        Report(kCmdSetSettings, mode, kSoundModeChanged);
        lastMode = mode;
    }
}

int DvrEngine::OpenTuner() {
    if (Has(kDvrTunerOpen)) return 0;
    if (!LocateVideoWindow(&window, &rect)) return -1;
    int handle = 0;
    bool acquired = false;
    const int result = OpenTunerSession(ZAQ_MODE_TV, &handle, &acquired);
    if (!acquired) return result;
    tuner.store(handle);
    // Marked open whatever the service said, so closing always releases it.
    Set(kDvrTunerOpen);
    return result;
}

int DvrEngine::StartLiveVideo() {
    if (Has(kDvrLiveVideo)) return 0;
    ZAQ_DirectPlayStart(tuner.load(), window, &rect);
    ZAQ_SetProperty(tuner.load(), ZAQ_PROP_LIVE_VIDEO, 0);
    Set(kDvrLiveVideo);
    return 0;
}

void DvrEngine::StopLiveVideo() {
    if (!Has(kDvrLiveVideo)) return;
    ZAQ_DirectPlayStop(tuner.load());
    Clear(kDvrLiveVideo);
}

int DvrEngine::CloseTuner() {
    StopLiveVideo();
    if (Has(kDvrTunerOpen)) {
        CloseTunerSession(tuner.load());
        tuner.store(0);
        Clear(kDvrTunerOpen);
    }
    return 0;
}
