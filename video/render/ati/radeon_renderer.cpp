// Open, close and the library binding of the ATI overlay renderer.
#include "video/render/ati/radeon_renderer.h"

#include <unistd.h>

#include <cstdio>
#include <mutex>

#include "platform/debug_log.h"
#include "video/kernels/video_processor.h"
#include "video/render/ati/packed_planar.h"
#include "video/render/capture_bitmap.h"

CVRLNRadeon::CVRLNRadeon() : tag_(kTagPlanar420) {}

CVRLNRadeon::~CVRLNRadeon() {
    Close();
}

int CVRLNRadeon::Open() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (suspended_) return 0;
    firstOutputRect_ = true;
    if (BindVendorCalls(&library_, RadeonOverlayLibrary(), &calls_) != VendorBind::kBound)
        return -1;
    loaded_ = true;
    std::printf("\nVrln pid: %d\n", int(getpid()));
    std::fflush(stdout);
    frameBuffer_ = calls_.getFrameBufferAddress();
    if (calls_.getMode(&mode_) == 0) return -1;
    // Without the address of video memory there is nowhere to put a picture.
    if (frameBuffer_ == nullptr) {
        DebugPrint("VRLN: libradeonov.so gave no frame-buffer address\n");
        return -1;
    }
    if (calls_.setMode(0, &mode_) != 0) DestinationFromModeLocked();
    calls_.solidFill(0, 0, mode_.width - 1, mode_.height - 1, 0);
    ModeChangedLocked();
    tag_ = kTagPlanar420;
    return 0;
}

// Releases whatever the renderer holds, whatever state it is in: a suspended
// renderer, or one whose binding failed half way, still hides its overlay
// and gives its library back.
int CVRLNRadeon::Close() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    processor_.reset();
    converter_.reset();
    destination_ = VRLNRect{0, 0, 0, 0};
    if (Bound()) calls_.overlayDisable();
    library_.Close();
    calls_ = RadeonOverlayCalls{};
    loaded_ = false;
    frameBuffer_ = nullptr;
    sourceAccepted_ = false;
    sourcePending_ = false;
    pictureWidth_ = 0;
    pictureHeight_ = 0;
    return 0;
}

void CVRLNRadeon::DestinationFromModeLocked() {
    destination_.right = mode_.width - 1;
    destination_.bottom = mode_.height - 1;
}

// The buffers start right below the visible screen of the mode in the record.
void CVRLNRadeon::ModeChangedLocked() {
    const uint32_t offset = uint32_t(mode_.height) * uint32_t(mode_.bytesPerLine);
    if (offset == videoOffset_) return;
    videoOffset_ = offset;
    // Buffers set up at the old offset would now overlap the screen.
    if (sourceAccepted_ || pictureWidth_ > 0) sourcePending_ = true;
}

bool CVRLNRadeon::Suspended() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return suspended_;
}

VRLNRect CVRLNRadeon::Destination() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return destination_;
}

uint32_t CVRLNRadeon::VideoBufferOffset() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return videoOffset_;
}

RadeonTransform CVRLNRadeon::Transform() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return transform_;
}

int CVRLNRadeon::BufferIndex() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return index_;
}
