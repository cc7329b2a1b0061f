// Display-output switching (television output on and off, the desktop mode
// again), suspend and resume of the Intel overlay renderers. Each switch
// releases the surfaces, restarts the library in the new mode and makes the
// surfaces again; a failing step ends the switch with its result and leaves
// the renderer without surfaces (frames are then dropped).
#include "video/render/capture_bitmap.h"
#include "video/render/fb_device.h"
#include "video/render/intel/intel_renderer.h"

namespace {

constexpr int32_t kTelevisionOn = 0;
constexpr int32_t kTelevisionOff = 64;

}  // namespace

int32_t CVRLNI865G::SwitchDisplayLocked(int32_t value) {
    if (!Bound()) return kVrlnFailure;
    // Asking for the state already in place, or for neither state, changes nothing.
    if (value == kTelevisionOn && !television_) return TelevisionOnLocked();
    if (value == kTelevisionOff && television_) return TelevisionOffLocked();
    return 0;
}

// Exit and re-initialise the library around the mode change; the console
// cursor is hidden as the frame-buffer renderer hides it.
int32_t CVRLNI865G::RestartLibraryLocked() {
    calls_.exitLib();
    SetConsoleCursorVisible(false);
    return calls_.initLib() != 0 ? 0 : kVrlnFailure;
}

int32_t CVRLNI865G::RestartOverlayLocked() {
    if (calls_.initVideoOverlay() == 0) return -1;
    screenStart_ = calls_.getOnScreenStart();
    if (!CreateSurfacesLocked()) return kVrlnFailure;
    if (calls_.setColourKey(colourKey_) == 0) {
        ReleaseSurfacesLocked();
        return kVrlnFailure;
    }
    updatePending_ = true;
    if (!suspended_) tag_ = kTagPacked422;
    return 0;
}

int32_t CVRLNI865G::TelevisionOnLocked() {
    HideOverlayLocked();
    ReleaseSurfacesLocked();
    const int32_t restarted = RestartLibraryLocked();
    if (restarted != 0) return restarted;
    tvConnector_ = calls_.tvConnector();
    if (calls_.tvOnOff(1) == 0) return kVrlnFailure;
    television_ = true;
    if (calls_.setMode(calls_.getVesaModeNumber(800, 600, 16)) == 0) return kVrlnFailure;
    return RestartOverlayLocked();
}

int32_t CVRLNI865G::TelevisionOffLocked() {
    HideOverlayLocked();
    ReleaseSurfacesLocked();
    if (calls_.tvOnOff(0) == 0) return kVrlnFailure;
    television_ = false;
    const int32_t restarted = RestartLibraryLocked();
    if (restarted != 0) return restarted;
    // Back to the desktop's mode; whether the library takes it is not examined.
    calls_.setMode(calls_.getVesaModeNumber(uint32_t(screenWidth_), uint32_t(screenHeight_),
                                            uint32_t(screenBits_)));
    return RestartOverlayLocked();
}

int32_t CVRLNI865G::RestoreDisplayLocked() {
    if (!Bound()) return kVrlnFailure;
    HideOverlayLocked();
    ReleaseSurfacesLocked();
    const int32_t restarted = RestartLibraryLocked();
    if (restarted != 0) return restarted;
    if (calls_.setMode(calls_.getVesaModeNumber(1024, 768, 16)) == 0) return kVrlnFailure;
    return RestartOverlayLocked();
}

// The overlay is hidden before its surfaces go, so it never shows released memory.
int32_t CVRLNI865G::SuspendLocked() {
    suspended_ = true;
    HideOverlayLocked();
    ReleaseSurfacesLocked();
    return 0;
}

// Only a suspended renderer resumes: a second set of surfaces would leak the first.
int32_t CVRLNI865G::ResumeLocked() {
    if (!suspended_) return 0;
    if (!Bound()) return kVrlnFailure;
    const int32_t restarted = RestartOverlayLocked();
    if (restarted != 0) return restarted;
    suspended_ = false;
    updatePending_ = true;
    return 0;
}
