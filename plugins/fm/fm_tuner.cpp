// Opening and closing the tuner in radio mode, and direct play into the host's window.
#include "plugins/fm/fm_tuner.h"

#include "plugins/common/tuner_session.h"

namespace sonidra {

int FmTuner::Open() {
    if (IsOpen()) return 0;
    if (!LocateVideoWindow(&window_, &rect_)) return -1;
    int handle = 0;
    bool acquired = false;
    const int result = OpenTunerSession(ZAQ_MODE_FM, &handle, &acquired);
    if (!acquired) return result;
    handle_.store(handle);
    // Marked open whatever the service said, so a later stop still releases it.
    bits_.fetch_or(kOpen);
    if (result == 0) {
        ZAQ_SetFrequencyRange(handle, static_cast<float>(bandStart_.load()), count_.load());
    }
    return result;
}

void FmTuner::StartDirectPlay() {
    if (bits_.load() & kPlaying) return;
    ZAQ_DirectPlayStart(handle_.load(), window_, &rect_);
    bits_.fetch_or(kPlaying);
}

void FmTuner::StopDirectPlay() {
    if (!(bits_.load() & kPlaying)) return;
    ZAQ_DirectPlayStop(handle_.load());
    bits_.fetch_and(~kPlaying);
}

void FmTuner::Stop() {
    StopDirectPlay();
    if (!IsOpen()) return;
    CloseTunerSession(handle_.load());
    handle_.store(0);
    bits_.fetch_and(~kOpen);
}

}  // namespace sonidra
