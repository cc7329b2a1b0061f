// The frame path of the CLE266 overlay renderer: surfaces made at the
// picture size, each picture converted into the buffer of the next index,
// the overlay record sent and the buffer shown.
#include <mutex>

#include "interfaces/vendor/video_memory.h"
#include "video/kernels/library_state.h"
#include "video/kernels/processor_yuy2.h"
#include "video/render/capture_bitmap.h"
#include "video/render/picture.h"
#include "video/render/via/cle266_renderer.h"

namespace {

constexpr uint32_t kShowFlags = kViaOverlayAtBlank | kViaOverlayShow;
constexpr uint32_t kHideFlags = kViaOverlayAtBlank | kViaOverlayHide;
constexpr uint32_t kSurfaceKind = 1;

}  // namespace

int CVRLNCLE266::ReleaseSurfacesLocked() {
    bool failed = false;
    if (overlay_ != nullptr) {
        overlay_->flags = kHideFlags;
        failed = Command(kViaUpdateOverlay, overlay_.get()) != 0 || failed;
        overlay_.reset();
    }
    if (surface_ != nullptr) {
        failed = Command(kViaDestroySurfaces, surface_.get()) != 0 || failed;
        surface_.reset();
    }
    failed = Command(kViaStop, nullptr) != 0 || failed;
    surfacesCreated_ = false;
    buffersMade_ = false;
    return failed ? 1 : 0;
}

int CVRLNCLE266::CreateSurfacesLocked() {
    const uint32_t started = Command(kViaStart, nullptr);
    if (started != 0) return int(started);
    surfacesCreated_ = true;
    surface_ = std::make_unique<ViaSurfaceRecord>();
    surface_->width = uint32_t(pictureWidth_);
    surface_->height = uint32_t(pictureHeight_);
    surface_->kind = kSurfaceKind;
    surface_->colourKey = colourKey_;
    surface_->format = tag_;
    const uint32_t created = Command(kViaCreateSurfaces, surface_.get());
    buffersMade_ = created == 0;
    return int(created);
}

int CVRLNCLE266::DrawPicture(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return DrawPictureLocked(picture);
}

int CVRLNCLE266::DrawPictureLocked(CVRLNPicture* picture) {
    if (picture == nullptr) return kVrlnNullPointer;
    SetCurrentFrameSize(picture->width, picture->height);
    SetDeinterlaceModeWord(
        DeinterlaceModeFor(picture->deinterlaceOff != 0, RendererFlags(), DeinterlaceOptions()));
    if (processor_ != nullptr) processor_->SetColourControls(&picture->colour);
    if (picture->width == pictureWidth_ && picture->height == pictureHeight_) return 0;
    if (!opened_) return 0;
    pictureWidth_ = picture->width;
    pictureHeight_ = picture->height;
    SetLastChangedFrameSize(pictureWidth_, pictureHeight_);
    processor_.reset();
    processor_ = std::make_unique<CVRLNProcessorYUY2>();
    const int32_t rect[4] = {0, 0, pictureWidth_, pictureHeight_};
    processor_->SetParameter(kParamRectangle, reinterpret_cast<intptr_t>(rect));
    processor_->SetColourControls(&picture->colour);
    if (surfacesCreated_) ReleaseSurfacesLocked();
    CreateSurfacesLocked();
    return 0;
}

// Into the buffer of the current index, which command 4 hands out; false
// when there is nothing safe to write into.
bool CVRLNCLE266::ConvertLocked(CVRLNPicture* picture) {
    surface_->format = kTagPacked422;
    picture->displayWidth = pictureWidth_;
    picture->displayHeight = pictureHeight_;
    processor_->SetSubpicture(picture);
    if (Command(kViaLockSurfaces, surface_.get()) != 0) return false;
    const uint32_t buffer = surface_->buffer[index_];
    if (buffer == 0 || surface_->pitch < uint32_t(pictureWidth_) * 2) return false;
    picture->outputPitch = int32_t(surface_->pitch);
    picture->output = VideoMemoryPointer(buffer);
    processor_->Process(picture, 0);
    return true;
}

int CVRLNCLE266::Flip(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    index_ ^= 1;
    const int drawn = DrawPictureLocked(picture);
    if (drawn < 0) return drawn;
    // Without surfaces (a failed command 0 or 2) the frame is dropped.
    if (processor_ == nullptr || !buffersMade_ || surface_ == nullptr) return 0;
    if (!ConvertLocked(picture)) return 0;
    RefreshLocked();
    Command(kViaShowBuffer, &index_);
    return 0;
}

int CVRLNCLE266::PresentPicture(CVRLNPicture* picture) {
    return Flip(picture);
}

int CVRLNCLE266::Refresh(int32_t, int32_t) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return RefreshLocked();
}

int CVRLNCLE266::RefreshLocked() {
    if (!opened_) return 1;
    if (overlay_ == nullptr) overlay_ = std::make_unique<ViaOverlayRecord>();
    ViaOverlayRecord& r = *overlay_;
    r.left = destination_.left;
    r.top = destination_.top;
    r.right = destination_.right;
    r.bottom = destination_.bottom;
    r.width = uint32_t(pictureWidth_);
    r.height = uint32_t(pictureHeight_);
    r.flags = kShowFlags | (keying_ ? kViaOverlayKeying : 0);
    r.colourKey = colourKey_;
    r.format = tag_;
    return int(Command(kViaUpdateOverlay, overlay_.get()));
}

// Applied by the next Refresh; a rectangle one pixel wide or high is kept.
int CVRLNCLE266::SetOutputRect(uintptr_t, const VRLNRect* destination, const VRLNRect*) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (destination != nullptr && destination->right >= destination->left &&
        destination->bottom >= destination->top)
        destination_ = *destination;
    return 0;
}
