// Open, close and the library binding of the Intel overlay renderers.
#include "video/render/intel/intel_renderer.h"

#include <mutex>

#include "interfaces/vendor/video_memory.h"
#include "video/kernels/video_processor.h"
#include "video/render/capture_bitmap.h"

CVRLNI865G::CVRLNI865G() : CVRLNI865G(false) {}

CVRLNI865G::CVRLNI865G(bool i915) : i915_(i915), tag_(kTagPacked422) {}

CVRLNI865G::~CVRLNI865G() {
    Close();
}

int CVRLNI865G::Open() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (suspended_) return 0;
    if (BindVendorCalls(&library_, IntelOverlayLibrary(i915_), &calls_) != VendorBind::kBound)
        return -1;
    loaded_ = true;
    if (calls_.initVideoOverlay() == 0) return -1;
    screenStart_ = calls_.getOnScreenStart();
    uint32_t width = 0, height = 0, bits = 0;
    if (calls_.getCurrentModeInfo(&width, &height, &bits) != 0) {
        destination_.right = int32_t(width);
        destination_.bottom = int32_t(height);
        screenWidth_ = int(width);
        screenHeight_ = int(height);
        screenBits_ = int(bits);
        // A probe of video memory; its result is not needed.
        const uint32_t probe = calls_.createSurface(width, height, bits);
        if (probe != 0) calls_.destroySurface(SurfaceHandle(probe));
    }
    if (!suspended_) tag_ = kTagPacked422;
    calls_.setColourKey(colourKey_);
    return 0;
}

// Releases whatever the renderer holds, whatever state it is in: a suspended
// renderer, or one whose binding failed half way, still gives its library back.
int CVRLNI865G::Close() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (Bound()) {
        HideOverlayLocked();
        ReleaseSurfacesLocked();
    }
    processor_.reset();
    destination_ = VRLNRect{0, 0, 0, 0};
    television_ = false;
    library_.Close();
    calls_ = IntelOverlayCalls{};
    loaded_ = false;
    return 0;
}

bool CVRLNI865G::Suspended() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return suspended_;
}

bool CVRLNI865G::HasSurfaces() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return HasSurfacesLocked();
}

bool CVRLNI865G::TelevisionOn() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return television_;
}

VRLNRect CVRLNI865G::Destination() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return destination_;
}
