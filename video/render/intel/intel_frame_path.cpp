// The frame path of the Intel overlay renderers: surfaces made at the picture
// size, conversion into the next surface, flips, the overlay position, and
// capture of the last converted surface.
#include <mutex>

#include "interfaces/vendor/video_memory.h"
#include "video/kernels/library_state.h"
#include "video/kernels/processor_yuy2.h"
#include "video/kernels/processor_yv12.h"
#include "video/render/capture_bitmap.h"
#include "video/render/intel/intel_renderer.h"
#include "video/render/picture.h"

namespace {

constexpr uint32_t kSurfaceBits = 16;

uint32_t Height(const VRLNRect& r) {
    return uint32_t(r.bottom - r.top + 1);
}

uint32_t Width(const VRLNRect& r) {
    return uint32_t(r.right - r.left + 1);
}

}  // namespace

bool CVRLNI865G::HasSurfacesLocked() const {
    for (uint32_t s : surface_)
        if (s == 0) return false;
    return true;
}

// All three or none: a half-made set is given back at once.
bool CVRLNI865G::CreateSurfacesLocked() {
    if (!Bound() || pictureWidth_ <= 0 || pictureHeight_ <= 0) return true;
    for (int i = 0; i < kSurfaceCount; ++i) {
        surface_[i] =
            calls_.createSurface(uint32_t(pictureWidth_), uint32_t(pictureHeight_), kSurfaceBits);
        if (surface_[i] == 0) {
            ReleaseSurfacesLocked();
            return false;
        }
        offset_[i] = surface_[i] - screenStart_;
    }
    return true;
}

void CVRLNI865G::ReleaseSurfacesLocked() {
    for (int i = 0; i < kSurfaceCount; ++i) {
        if (surface_[i] != 0 && Bound()) calls_.destroySurface(SurfaceHandle(surface_[i]));
        surface_[i] = 0;
        offset_[i] = 0;
    }
    converted_ = false;
}

// The overlay never keeps pointing at surfaces about to be released.
void CVRLNI865G::HideOverlayLocked() {
    if (Bound() && (HasSurfacesLocked() || overlayShown_))
        calls_.updateOverlay(uint32_t(destination_.left), uint32_t(destination_.top),
                             Height(destination_), Width(destination_), offset_[current_],
                             uint32_t(pictureHeight_), uint32_t(pictureWidth_), 1, 0);
    overlayShown_ = false;
}

void CVRLNI865G::ResizeLocked(int width, int height) {
    madeWidth_ = width;
    madeHeight_ = height;
    SetLastChangedFrameSize(width, height);
    processor_.reset();
    if (tag_ == kTagPlanar420)
        processor_ = std::make_unique<CVRLNProcessorYV12>();
    else
        processor_ = std::make_unique<CVRLNProcessorYUY2>();
    const int32_t rect[4] = {0, 0, width, height};
    processor_->SetParameter(kParamRectangle, reinterpret_cast<intptr_t>(rect));
    HideOverlayLocked();
    ReleaseSurfacesLocked();
    CreateSurfacesLocked();
    updatePending_ = true;
}

int CVRLNI865G::DrawPicture(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return DrawPictureLocked(picture);
}

int CVRLNI865G::DrawPictureLocked(CVRLNPicture* picture) {
    if (suspended_) return 0;
    if (picture == nullptr) return kVrlnNullPointer;
    SetCurrentFrameSize(picture->width, picture->height);
    pictureWidth_ = picture->width;
    pictureHeight_ = picture->height;
    if (processor_ != nullptr) processor_->SetColourControls(&picture->colour);
    if (picture->width != madeWidth_ || picture->height != madeHeight_) {
        ResizeLocked(picture->width, picture->height);
        processor_->SetColourControls(&picture->colour);
    }
    return 0;
}

// Converts into the surface after the current one, which becomes current.
int CVRLNI865G::ConvertLocked(CVRLNPicture* picture) {
    picture->displayWidth = pictureWidth_;
    picture->displayHeight = pictureHeight_;
    processor_->SetSubpicture(picture);
    const int next = current_ ^ 1;
    if (calls_.lockSurface(SurfaceHandle(surface_[next]), nullptr, nullptr) == 0) return -1;
    picture->outputPitch = pictureWidth_ * 2;
    const int previous = current_;
    current_ = next;
    picture->output = VideoMemoryPointer(surface_[next]);
    processor_->Process(picture, 0);
    converted_ = true;
    return previous;
}

int CVRLNI865G::Flip(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (suspended_) return 0;
    const int drawn = DrawPictureLocked(picture);
    if (drawn < 0) return drawn;
    // Without surfaces the frame is dropped: there is nothing to write into.
    if (processor_ == nullptr || !HasSurfacesLocked()) return 0;
    const int previous = ConvertLocked(picture);
    if (previous < 0) return 0;
    if (updatePending_) {
        RefreshLocked();
        overlayShown_ = true;
        updatePending_ = false;
    }
    calls_.flipOverlay(offset_[current_], offset_[previous], uint32_t(pictureWidth_),
                       uint32_t(pictureHeight_), kSurfaceBits, 1);
    calls_.unlockSurface(SurfaceHandle(surface_[current_]));
    return 0;
}

int CVRLNI865G::PresentPicture(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (!suspended_) Flip(picture);
    return 0;
}

int CVRLNI865G::Refresh(int32_t, int32_t) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return RefreshLocked();
}

// Left, top, then the height and the width of the destination.
int CVRLNI865G::RefreshLocked() {
    if (suspended_ || !Bound() || !HasSurfacesLocked()) return 0;
    calls_.updateOverlay(uint32_t(destination_.left), uint32_t(destination_.top),
                         Height(destination_), Width(destination_), offset_[current_],
                         uint32_t(pictureHeight_), uint32_t(pictureWidth_), 1, 1);
    return 0;
}

int CVRLNI865G::ClearPicture() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (Bound() && pictureWidth_ > 0 && pictureHeight_ > 0) {
        calls_.updateOverlay(uint32_t(destination_.left), uint32_t(destination_.top),
                             Height(destination_), Width(destination_), offset_[current_],
                             uint32_t(pictureHeight_), uint32_t(pictureWidth_), 1, 0);
        overlayShown_ = false;
    }
    return 0;
}

int CVRLNI865G::SetOutputRect(uintptr_t, const VRLNRect* destination, const VRLNRect*) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (suspended_ || destination == nullptr) return 0;
    if (destination->left < destination->right && destination->top < destination->bottom)
        destination_ = *destination;
    if (overlayShown_) {
        RefreshLocked();
        updatePending_ = true;
    }
    return 0;
}

// The last converted surface, read through the picture's output pointer,
// and only while that surface still exists.
int CVRLNI865G::CapturePicture(CVRLNPicture* picture, int bitCount, uint8_t* bitmap) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (picture == nullptr || picture->output == nullptr) return -1;
    if (!converted_ || !HasSurfacesLocked() ||
        picture->output != VideoMemoryPointer(surface_[current_]))
        return -1;
    const int width = pictureWidth_ & ~3;
    if (bitmap == nullptr) return int(CaptureBytes(bitCount, width, pictureHeight_));
    CaptureSource source{};
    source.tag = kTagPacked422;
    source.pixels = picture->output;
    source.pitch = picture->outputPitch;
    source.width = width;
    source.height = pictureHeight_;
    return WriteCaptureBitmap(source, bitCount, bitmap) ? 0 : -1;
}
