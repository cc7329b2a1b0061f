// The frame path of the ATI overlay renderer: the overlay source programmed
// at every size change, the two video buffers painted black, each picture
// converted into the buffer not shown and flipped to, and the overlay
// position.
#include <cstring>
#include <mutex>

#include "video/kernels/library_state.h"
#include "video/kernels/processor_yuy2.h"
#include "video/kernels/processor_yv12.h"
#include "video/render/ati/packed_planar.h"
#include "video/render/ati/radeon_renderer.h"
#include "video/render/capture_bitmap.h"
#include "video/render/picture.h"

namespace {

constexpr uint8_t kBlackLuma = 16;
constexpr uint8_t kBlackChroma = 128;

int Width(const VRLNRect& r) {
    return r.right - r.left + 1;
}

int Height(const VRLNRect& r) {
    return r.bottom - r.top + 1;
}

}  // namespace

uint8_t* CVRLNRadeon::BufferLocked(int index) const {
    return frameBuffer_ + videoOffset_ + size_t(index) * bufferBytes_;
}

// What a conversion writes must fit one buffer: the tightly packed planes of
// the converter, or the processor's planes at the source pitch.
bool CVRLNRadeon::CanConvertLocked(const CVRLNPicture& picture) const {
    if (!sourceAccepted_ || frameBuffer_ == nullptr || sourcePitch_ < pictureWidth_) return false;
    const size_t pitch = size_t(sourcePitch_), lines = size_t(pictureHeight_);
    const size_t needed = picture.packed
                              ? CVRLNPackedToPlanar::OutputBytesFor(pictureWidth_, pictureHeight_)
                              : pitch * lines + 2 * ((pitch + 1) / 2) * ((lines + 1) / 2);
    return needed <= bufferBytes_;
}

void CVRLNRadeon::ProgramSourceLocked() {
    sourcePending_ = false;
    index_ = 0;
    int pitch = 0;
    sourceAccepted_ = calls_.overlaySetSource(videoOffset_, pictureWidth_, pictureHeight_,
                                              kRadeonFormatYV12, &pitch) != 0;
    sourcePitch_ = sourceAccepted_ ? pitch : 0;
    calls_.overlaySetDestination(destination_.left, destination_.top, Width(destination_),
                                 Height(destination_));
    calls_.overlaySetColourKey(0, colourKey_);
    calls_.overlayEnable();
    const uint32_t perPixel = tag_ == kTagPacked422 ? 4 : 3;  // x 2 or x 3 / 2
    bufferBytes_ = uint32_t(pictureHeight_) * uint32_t(sourcePitch_) * perPixel / 2;
    PaintBuffersBlackLocked();
}

// Luma (the first two thirds) at 16, chroma (the last third) at 128.
void CVRLNRadeon::PaintBuffersBlackLocked() {
    if (!sourceAccepted_ || frameBuffer_ == nullptr) return;
    const size_t luma = size_t(bufferBytes_) / 3 * 2;
    for (int i = 0; i < kBuffers; ++i) {
        uint8_t* buffer = BufferLocked(i);
        std::memset(buffer, kBlackLuma, luma);
        std::memset(buffer + luma, kBlackChroma, bufferBytes_ - luma);
    }
}

void CVRLNRadeon::ReplaceProcessorLocked(const CVRLNPicture& picture) {
    processor_.reset();
    if (tag_ == kTagPacked422)
        processor_ = std::make_unique<CVRLNProcessorYUY2>();
    else
        processor_ = std::make_unique<CVRLNProcessorYV12>();
    const int32_t rect[4] = {0, 0, picture.width, picture.height};
    processor_->SetParameter(kParamRectangle, reinterpret_cast<intptr_t>(rect));
    processor_->SetColourControls(&picture.colour);
}

int CVRLNRadeon::DrawPicture(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return DrawPictureLocked(picture);
}

int CVRLNRadeon::DrawPictureLocked(CVRLNPicture* picture) {
    if (suspended_) return 0;
    if (picture == nullptr) return kVrlnNullPointer;
    SetCurrentFrameSize(picture->width, picture->height);
    SetDeinterlaceModeWord(
        DeinterlaceModeFor(picture->deinterlaceOff != 0, RendererFlags(), DeinterlaceOptions()));
    if (processor_ != nullptr) processor_->SetColourControls(&picture->colour);
    const bool sized = picture->width == pictureWidth_ && picture->height == pictureHeight_;
    if (sized && !sourcePending_) return 0;
    if (!Bound()) return 0;
    if (!sized) {
        // The previous converter goes at once: it was made for the old size.
        converter_.reset();
        if (picture->packed)
            converter_ = std::make_unique<CVRLNPackedToPlanar>(picture->width, picture->height);
        pictureWidth_ = picture->width;
        pictureHeight_ = picture->height;
        SetLastChangedFrameSize(pictureWidth_, pictureHeight_);
    }
    ProgramSourceLocked();
    if (!sized) ReplaceProcessorLocked(*picture);
    return 0;
}

void CVRLNRadeon::ConvertLocked(CVRLNPicture* picture, uint8_t* buffer) {
    picture->output = buffer;
    if (picture->packed) {
        // A packed picture after planar ones of the same size has no converter yet.
        if (converter_ == nullptr)
            converter_ = std::make_unique<CVRLNPackedToPlanar>(pictureWidth_, pictureHeight_);
        converter_->Convert(picture->plane[0], buffer);
    } else {
        processor_->Process(picture, 0);
    }
}

int CVRLNRadeon::Flip(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (suspended_) return 0;
    const int drawn = DrawPictureLocked(picture);
    if (drawn < 0) return drawn;
    if (processor_ == nullptr) return 0;
    // Only into buffers the overlay was pointed at; otherwise the frame is dropped.
    if (!Bound() || !CanConvertLocked(*picture)) return 0;
    picture->displayWidth = pictureWidth_;
    picture->displayHeight = pictureHeight_;
    processor_->SetSubpicture(picture);
    picture->outputPitch = sourcePitch_;
    const int previous = index_;
    index_ ^= 1;
    ConvertLocked(picture, BufferLocked(previous == 1 ? 0 : 1));
    calls_.overlayFlip();
    return 0;
}

int CVRLNRadeon::PresentPicture(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (!suspended_) Flip(picture);
    return 0;
}

int CVRLNRadeon::Refresh(int32_t, int32_t) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (suspended_ || !Bound()) return 0;
    calls_.overlaySetDestination(destination_.left, destination_.top, Width(destination_),
                                 Height(destination_));
    return 0;
}

int CVRLNRadeon::ClearPicture() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (!suspended_) PaintBuffersBlackLocked();
    return 0;
}

// The first rectangle after Open is only recorded: the first picture
// programs the overlay with it.
int CVRLNRadeon::SetOutputRect(uintptr_t, const VRLNRect* destination, const VRLNRect*) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (suspended_ || destination == nullptr) return 0;
    if (destination->left < destination->right && destination->top < destination->bottom)
        destination_ = *destination;
    if (firstOutputRect_) {
        firstOutputRect_ = false;
        return 0;
    }
    if (!Bound()) return 0;
    calls_.overlaySetDestination(destination_.left, destination_.top, Width(destination_),
                                 Height(destination_));
    calls_.overlayEnable();
    return 0;
}
