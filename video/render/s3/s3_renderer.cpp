// Open, close, the library-wide entry points and the once-per-process
// colour-key paint of the S3 Twister renderer.
#include "video/render/s3/s3_renderer.h"

#include <mutex>

#include "video/kernels/video_processor.h"
#include "video/render/capture_bitmap.h"

S3OverlayCalls CVRLNS3Twister::calls_{};
// Set as the library is loaded into the process.
std::atomic<bool> CVRLNS3Twister::keyPaintPending_{true};

CVRLNS3Twister::CVRLNS3Twister() : tag_(kTagPacked422) {}

CVRLNS3Twister::~CVRLNS3Twister() {
    Close();
}

int CVRLNS3Twister::Open() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (BindVendorCalls(&library_, S3OverlayLibrary(), &calls_) != VendorBind::kBound) return -1;
    uint32_t width = 0, height = 0, bits = 0;
    if (calls_.getCurrentModeInfo(&width, &height, &bits) != 0) {
        destination_.right = int32_t(width);
        destination_.bottom = int32_t(height);
    }
    if (calls_.initVideoOverlay() == 0) return -1;
    tag_ = kTagPacked422;
    screenStart_ = calls_.getOnScreenStart();
    return 0;
}

// After a failed Open (no library, a name missing) nothing was bound and no
// library call is made: only the handle, if any, is given back.
int CVRLNS3Twister::Close() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (Bound()) {
        HideOverlayLocked();
        ReleaseSurfacesLocked();
        calls_ = S3OverlayCalls{};
    }
    processor_.reset();
    madeWidth_ = 0;
    madeHeight_ = 0;
    destination_ = VRLNRect{0, 0, 0, 0};
    library_.Close();
    return 0;
}

bool CVRLNS3Twister::KeyPaintPending() {
    return keyPaintPending_.load();
}

void CVRLNS3Twister::RearmKeyPaint() {
    keyPaintPending_ = true;
}

bool CVRLNS3Twister::HasSurfaces() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return HasSurfacesLocked();
}

VRLNRect CVRLNS3Twister::Destination() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return destination_;
}
