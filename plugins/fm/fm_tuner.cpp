// Opening and closing the tuner in radio mode, and direct play into the host's window.
#include "plugins/fm/fm_tuner.h"

#include "interfaces/host_framework.h"

namespace sonidra {

bool FmTuner::FindVideoRect() {
    window_ = ZAQ_VIDEO_WINDOW;
    ZaqRect rect{0, 0, 719, 479};
    ZaqPoint origin{0, 0};
    CUIDRV* driver = CUIDRV::GetOrCreateObject();
    if (!driver || !driver->GetClientRect(window_, &rect)) return false;
    if (!driver->ClientToScreen(window_, &origin)) return false;
    rect.left += origin.x;
    rect.top += origin.y;
    rect.bottom += rect.top;
    rect.right += rect.left;
    rect_ = rect;
    return true;
}

int FmTuner::Open() {
    if (IsOpen()) return 0;
    if (!FindVideoRect()) return -1;
    int handle = 0;
    if (ZAQ_Init(&handle) != 0) return -1;
    handle_.store(handle);
    const int result = ZAQ_OpenTuner(handle, ZAQ_MODE_FM);
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
    ZAQ_CloseTuner(handle_.load());
    ZAQ_Release(handle_.load());
    handle_.store(0);
    bits_.fetch_and(~kOpen);
}

}  // namespace sonidra
