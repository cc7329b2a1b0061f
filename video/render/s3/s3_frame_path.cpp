// The frame path of the S3 Twister renderer: two surfaces one line shorter
// than the picture, conversion into the first, the overlay position, the
// colour-key paint, clearing and capture.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "interfaces/vendor/video_memory.h"
#include "video/kernels/library_state.h"
#include "video/kernels/processor_yuy2.h"
#include "video/kernels/processor_yv12.h"
#include "video/render/capture_bitmap.h"
#include "video/render/picture.h"
#include "video/render/s3/s3_renderer.h"

namespace {

constexpr uint32_t kSurfaceBits = 16;

uint32_t Height(const VRLNRect& r) {
    return uint32_t(r.bottom - r.top + 1);
}

uint32_t Width(const VRLNRect& r) {
    return uint32_t(r.right - r.left + 1);
}

uint32_t Position(const VRLNRect& r) {
    return uint32_t(r.left) + uint32_t(r.top) * 65536u;
}

}  // namespace

bool CVRLNS3Twister::HasSurfacesLocked() const {
    for (uint32_t s : surface_)
        if (s == 0) return false;
    return true;
}

// Both or none. A picture one line high would give surfaces of no lines:
// none are made and nothing is shown for it.
void CVRLNS3Twister::CreateSurfacesLocked() {
    if (!Bound() || pictureWidth_ <= 0 || surfaceHeight_ <= 0) return;
    for (int i = 0; i < kSurfaceCount; ++i) {
        surface_[i] =
            calls_.createSurface(uint32_t(pictureWidth_), uint32_t(surfaceHeight_), kSurfaceBits);
        if (surface_[i] == 0) {
            ReleaseSurfacesLocked();
            return;
        }
        offset_[i] = surface_[i] - screenStart_;
    }
}

void CVRLNS3Twister::ReleaseSurfacesLocked() {
    for (int i = 0; i < kSurfaceCount; ++i) {
        if (surface_[i] != 0 && Bound()) calls_.destroySurface(SurfaceHandle(surface_[i]));
        surface_[i] = 0;
        offset_[i] = 0;
    }
    converted_ = false;
}

// The overlay never keeps pointing at surfaces about to be released; it is
// hidden with the size its surfaces were made for.
void CVRLNS3Twister::HideOverlayLocked() {
    if (Bound() && overlayShown_)
        calls_.updateOverlay(uint32_t(destination_.left), uint32_t(destination_.top),
                             Height(destination_), Width(destination_), offset_[kCurrent],
                             uint32_t(madeHeight_ - 1), uint32_t(madeWidth_), 1, 0);
    overlayShown_ = false;
}

void CVRLNS3Twister::ResizeLocked(int width, int height) {
    HideOverlayLocked();
    ReleaseSurfacesLocked();
    madeWidth_ = width;
    madeHeight_ = height;
    SetLastChangedFrameSize(width, height);
    processor_.reset();
    if (tag_ == kTagPlanar420)
        processor_ = std::make_unique<CVRLNProcessorYV12>();
    else
        processor_ = std::make_unique<CVRLNProcessorYUY2>();
    // The surfaces hold one line less than the picture: so does each conversion.
    const int32_t rect[4] = {0, 0, width, height - 1};
    processor_->SetParameter(kParamRectangle, reinterpret_cast<intptr_t>(rect));
    CreateSurfacesLocked();
}

int CVRLNS3Twister::DrawPicture(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return DrawPictureLocked(picture);
}

int CVRLNS3Twister::DrawPictureLocked(CVRLNPicture* picture) {
    if (picture == nullptr) return kVrlnNullPointer;
    SetCurrentFrameSize(picture->width, picture->height - 1);
    pictureWidth_ = picture->width;
    surfaceHeight_ = picture->height - 1;
    SetDeinterlaceModeWord(
        DeinterlaceModeFor(picture->deinterlaceOff != 0, RendererFlags(), DeinterlaceOptions()));
    if (processor_ != nullptr) processor_->SetColourControls(&picture->colour);
    if (picture->width != madeWidth_ || picture->height != madeHeight_) {
        ResizeLocked(picture->width, picture->height);
        processor_->SetColourControls(&picture->colour);
    }
    return 0;
}

// Once per process, at the first Flip: the key is programmed and the
// destination painted with it.
void CVRLNS3Twister::PaintKeyOnceLocked() {
    if (!keyPaintPending_.exchange(false)) return;
    calls_.setColourKey(colourKey_);
    calls_.fillRectangle(0, Position(destination_), Height(destination_), Width(destination_),
                         colourKey_, kSurfaceBits);
}

void CVRLNS3Twister::ConvertLocked(CVRLNPicture* picture) {
    picture->displayWidth = pictureWidth_;
    picture->displayHeight = surfaceHeight_;
    processor_->SetSubpicture(picture);
    uint32_t* const surface = SurfaceHandle(surface_[kCurrent]);
    const uint32_t pitch = calls_.lockSurface(surface, nullptr, nullptr);
    // A surface that cannot be locked is not written.
    if (pitch == 0) return;
    picture->outputPitch = int32_t(pitch);
    picture->output = VideoMemoryPointer(surface_[kCurrent]);
    processor_->Process(picture, 0);
    converted_ = true;
    RefreshLocked();
    calls_.flipOverlay(offset_[kCurrent], offset_[kCurrent], uint32_t(pictureWidth_),
                       uint32_t(surfaceHeight_), kSurfaceBits, 1);
    calls_.unlockSurface(surface);
}

int CVRLNS3Twister::Flip(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (!Bound()) return 0;
    PaintKeyOnceLocked();
    const int drawn = DrawPictureLocked(picture);
    if (drawn < 0) return drawn;
    // Without surfaces the frame is dropped: there is nothing to write into.
    if (processor_ != nullptr && HasSurfacesLocked()) ConvertLocked(picture);
    return 0;
}

int CVRLNS3Twister::PresentPicture(CVRLNPicture* picture) {
    return Flip(picture);
}

int CVRLNS3Twister::Refresh(int32_t, int32_t) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return RefreshLocked();
}

// Left, top, then the height and the width of the destination; the source
// is the surface's height - 1 lines.
int CVRLNS3Twister::RefreshLocked() {
    if (!Bound() || !HasSurfacesLocked()) return 0;
    calls_.updateOverlay(uint32_t(destination_.left), uint32_t(destination_.top),
                         Height(destination_), Width(destination_), offset_[kCurrent],
                         uint32_t(surfaceHeight_), uint32_t(pictureWidth_), 1, 1);
    overlayShown_ = true;
    return 0;
}

// A rectangle without width or height would be sent as sizes of billions
// of pixels: it is not taken.
int CVRLNS3Twister::SetOutputRect(uintptr_t, const VRLNRect* destination, const VRLNRect*) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (destination != nullptr && destination->left < destination->right &&
        destination->top < destination->bottom)
        destination_ = *destination;
    return 0;
}

int CVRLNS3Twister::ClearPicture() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (!Bound() || !HasSurfacesLocked()) return 0;
    for (uint32_t surface : surface_) ClearSurfaceLocked(surface);
    return 0;
}

// Packed black (16, 128) over the surface's own lines at its own pitch.
void CVRLNS3Twister::ClearSurfaceLocked(uint32_t surface) {
    const uint32_t pitch = calls_.lockSurface(SurfaceHandle(surface), nullptr, nullptr);
    if (pitch == 0) return;
    const size_t lineBytes = std::min<size_t>(pitch, size_t(pictureWidth_) * 2);
    for (int line = 0; line < surfaceHeight_; ++line) {
        uint8_t* p = VideoMemoryPointer(surface) + size_t(line) * pitch;
        for (size_t i = 0; i + 1 < lineBytes; i += 2) {
            p[i] = 16;
            p[i + 1] = 128;
        }
    }
    calls_.unlockSurface(SurfaceHandle(surface));
}

// The bitmap has the picture's full height; the surface holds one line less,
// so the last line repeats the one above it.
int CVRLNS3Twister::CapturePicture(CVRLNPicture* picture, int bitCount, uint8_t* bitmap) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (picture == nullptr || picture->output == nullptr) return -1;
    if (!converted_ || !HasSurfacesLocked() ||
        picture->output != VideoMemoryPointer(surface_[kCurrent]) || picture->outputPitch <= 0)
        return -1;
    const int width = madeWidth_ & ~3;
    if (bitmap == nullptr) return int(CaptureBytes(bitCount, width, madeHeight_));
    const size_t lineBytes = size_t(width) * 2;
    std::vector<uint8_t> lines(lineBytes * size_t(madeHeight_));
    for (int line = 0; line < madeHeight_; ++line) {
        const int from = line < surfaceHeight_ ? line : surfaceHeight_ - 1;
        std::memcpy(&lines[size_t(line) * lineBytes],
                    picture->output + size_t(from) * size_t(picture->outputPitch), lineBytes);
    }
    CaptureSource source{};
    source.tag = kTagPacked422;
    source.pixels = lines.data();
    source.pitch = int(lineBytes);
    source.width = width;
    source.height = madeHeight_;
    return WriteCaptureBitmap(source, bitCount, bitmap) ? 0 : -1;
}
