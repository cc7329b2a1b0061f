// The frame path of the NVIDIA renderer: the destination's letterbox modes,
// the picture's setup on a change of size, conversion into the frame buffer,
// the 720 x 480 zoom, and the frame handed to the library.
#include <cstring>
#include <mutex>

#include "video/kernels/library_state.h"
#include "video/kernels/processor_yuy2.h"
#include "video/kernels/processor_yv12.h"
#include "video/render/capture_bitmap.h"
#include "video/render/nvidia/nvidia_renderer.h"
#include "video/render/picture.h"
#include "video/render/scaler/scaler.h"

namespace {

constexpr int kMaxSide = 4096;
constexpr float kWideAspect = 16.0f / 9.0f;
constexpr float kNarrowAspect = 4.0f / 3.0f;

NvPictureFormat PictureFormatOf(const CVRLNPicture& picture) {
    if ((picture.pictureFlags & kPictureFlagTopFieldFirst) != 0) return kNvTopFieldFirst;
    if ((picture.pictureFlags & kPictureFlagBottomFieldFirst) != 0) return kNvBottomFieldFirst;
    return kNvProgressive;
}

// Lines of width + 1 pixels closed up to width pixels: the last column goes.
void DropLastColumn(uint8_t* frame, int width, int height) {
    const size_t from = size_t(width + 1) * 2, to = size_t(width) * 2;
    for (int y = 1; y < height; ++y) std::memmove(frame + y * to, frame + y * from, to);
}

}  // namespace

int CVRLNNvidia::SetOutputRect(uintptr_t, const VRLNRect* destination, const VRLNRect*) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (destination == nullptr) return -1;
    return SetOutputRectLocked(*destination);
}

// The source rectangle is not used: the library shows the whole frame.
int CVRLNNvidia::SetOutputRectLocked(const VRLNRect& destination) {
    if (!ApplyLetterbox(&video_, destination, output_.wide, aspectBits_)) return -1;
    destination_ = destination;
    if (Bound()) calls_.setConfVideo(video_);
    return 0;
}

void CVRLNNvidia::ResizeLocked(int width, int height, int32_t aspectBits) {
    pictureWidth_ = width;
    pictureHeight_ = height;
    SetLastChangedFrameSize(width, height);
    const bool planar = tag_ == kTagPlanar420;
    sourcePitch_ = planar ? width : width * 2;
    const size_t pixels = size_t(width) * size_t(height);
    frame_.assign(planar ? pixels * 3 / 2 : pixels * 2, 0);
    processor_.reset();
    if (planar)
        processor_ = std::make_unique<CVRLNProcessorYV12>();
    else
        processor_ = std::make_unique<CVRLNProcessorYUY2>();
    const int32_t rect[4] = {0, 0, width, height};
    processor_->SetParameter(kParamRectangle, reinterpret_cast<intptr_t>(rect));
    zoomWidth_ = 0;
    zoomHeight_ = 0;
    video_.letterboxState = aspectBits != 0 ? 1 : 0;
    aspectBits_ = aspectBits;
    SetOutputRectLocked(destination_);
    video_.sourceClass = SourceClassOf(width, height);
    if (NeedsZoom(width)) {
        zoomWidth_ = kZoomWidth;
        zoomHeight_ = kZoomHeight;
        zoom_.assign(size_t(kZoomWidth) * kZoomHeight * 2, 0);
        FillPackedBlack(zoom_.data(), zoom_.size());
    }
}

// Source, video and colour configuration, offset and zoom, in this order.
void CVRLNNvidia::SendPictureSetupLocked() {
    const int width = zoomWidth_ > 0 ? zoomWidth_ : pictureWidth_;
    const int height = zoomWidth_ > 0 ? zoomHeight_ : pictureHeight_;
    calls_.setSource(NvRect{0, 0, width, height});
    calls_.setConfVideo(video_);
    calls_.setConfColor(colour_);
    calls_.setOffset(0, 0);
    calls_.setZoomXY(1.0f, 1.0f);
}

int CVRLNNvidia::DrawPicture(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (picture == nullptr) return kVrlnNullPointer;
    return DrawPictureLocked(*picture);
}

int CVRLNNvidia::DrawPictureLocked(const CVRLNPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0 || picture.width > kMaxSide ||
        picture.height > kMaxSide)
        return kVrlnBadArgument;
    SetCurrentFrameSize(picture.width, picture.height);
    SetDeinterlaceModeWord(
        DeinterlaceModeFor(picture.deinterlaceOff != 0, RendererFlags(), DeinterlaceOptions()));
    const int32_t aspectBits = picture.pictureFlags & kPictureAspectBits;
    if (picture.width == pictureWidth_ && picture.height == pictureHeight_ &&
        aspectBits == aspectBits_)
        return 0;
    ResizeLocked(picture.width, picture.height, aspectBits);
    if (Bound()) SendPictureSetupLocked();
    return 0;
}

// Fits the converted picture into the black 720 x 480 buffer and zooms the
// library back onto the picture's part of it.
const uint8_t* CVRLNNvidia::ZoomLocked(const CVRLNPicture& picture) {
    // The scaler takes even widths only: an odd picture loses its last column.
    const int width = pictureWidth_ & ~1;
    if (width != pictureWidth_) DropLastColumn(frame_.data(), width, pictureHeight_);
    if (scaler_ == nullptr) scaler_ = std::make_unique<CVRLNScaler>();
    const float aspect =
        (picture.pictureFlags & kPictureAspectBits) != 0 ? kWideAspect : kNarrowAspect;
    scaler_->Configure(kScalerPacked422, kScalerNearest, aspect, kZoomWidth, kZoomHeight, width,
                       pictureHeight_);
    scaler_->Scale(zoom_.data(), frame_.data());
    calls_.setZoomXY(float(kZoomWidth) / float(width), float(kZoomHeight) / float(pictureHeight_));
    return zoom_.data();
}

int CVRLNNvidia::Flip(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (picture == nullptr) return kVrlnNullPointer;
    const int drawn = DrawPictureLocked(*picture);
    if (drawn < 0) return drawn;
    if (processor_ == nullptr || !Bound()) return 0;
    picture->displayWidth = pictureWidth_;
    picture->displayHeight = pictureHeight_;
    picture->outputPitch = sourcePitch_;
    processor_->SetSubpicture(picture);
    picture->output = frame_.data();
    processor_->Process(picture, 0);
    const uint8_t* out = zoomWidth_ > 0 ? ZoomLocked(*picture) : frame_.data();
    return calls_.videoFrame(out, PictureFormatOf(*picture)) < 0 ? -1 : 0;
}
