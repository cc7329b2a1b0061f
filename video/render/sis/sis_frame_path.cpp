// The frame path of the SiS renderer: the window re-made on a size change,
// conversion into the next of the four buffers, flips, the source window and
// the window's place on the screen.
#include <mutex>

#include "interfaces/vendor/video_memory.h"
#include "platform/debug_log.h"
#include "video/kernels/library_state.h"
#include "video/kernels/video_processor.h"
#include "video/render/picture.h"
#include "video/render/sis/sis_renderer.h"

namespace {

constexpr int32_t kPanScanMask = 0xF00;
constexpr int32_t kPanScanShown = 0xD00;
constexpr int kPanScanWidth = 540;

// The destination is kept library-wide, as one direct-play instance (and so
// one SiS renderer) exists at a time; it is read and written under that
// renderer's mutex.
VRLNRect g_destination{0, 0, 0, 0};

bool AllZero(const VRLNRect& r) {
    return r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0;
}

}  // namespace

int CVRLNSiS::DrawPicture(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return DrawPictureLocked(picture);
}

int CVRLNSiS::DrawPictureLocked(CVRLNPicture* picture) {
    if (picture == nullptr) return -1;
    // Bits are only ever added here, never cleared.
    SetDeinterlaceModeWord(
        DeinterlaceModeWord() |
        DeinterlaceModeFor(picture->deinterlaceOff != 0, RendererFlags(), DeinterlaceOptions()));
    if (processor_ != nullptr) processor_->SetColourControls(&picture->colour);
    if (picture->width == CurrentFrameWidth() && picture->height == CurrentFrameHeight())
        return record_ != nullptr ? 0 : -1;
    SetCurrentFrameSize(picture->width, picture->height);
    SetLastChangedFrameSize(picture->width, picture->height);
    DebugPrint("Reinitializing overlay\n");
    if (CreateWindowLocked(picture->width, picture->height) != 0) return -1;
    SetOutputRectLocked(g_destination);
    return 0;
}

int CVRLNSiS::Flip(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    index_ = (index_ + 1) % kBufferCount;
    // Without a window there are no buffers to write into.
    if (DrawPictureLocked(picture) < 0) return -1;
    processor_->SetSubpicture(picture);
    picture->output = VideoMemoryPointer(record_->buffer[index_]);
    picture->outputPitch = int32_t(record_->pitch);
    processor_->Process(picture, 0);
    calls_.videoFlip(index_, 1);
    return UpdateSourceWindowLocked(*picture);
}

int CVRLNSiS::PresentPicture(CVRLNPicture* picture) {
    return Flip(picture);
}

int CVRLNSiS::UpdateSourceWindow(CVRLNPicture* picture) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (picture == nullptr) return kVrlnNullPointer;
    return UpdateSourceWindowLocked(*picture);
}

// Pan and scan shows 540 pixels around the frame centre; otherwise the
// display width. Direct-play pictures carry neither, so nothing is sent.
int CVRLNSiS::UpdateSourceWindowLocked(const CVRLNPicture& picture) {
    const bool panScan = (picture.panScanFlags & kPanScanMask) == kPanScanShown;
    const int shown = panScan ? kPanScanWidth : picture.decodedDisplayWidth;
    const int pan = panScan ? picture.frameCentreX / 16 : 0;
    if (record_ != nullptr && (shown != sentSourceWidth_ || pan != sentPanOffset_)) {
        sentSourceWidth_ = shown;
        sentPanOffset_ = pan;
        const int offset = (picture.decodedDisplayWidth - shown) / 2 - pan;
        DebugPrint("LNSIS: offset=%d, display_width=%d, vertical_size=%d\n", offset, shown,
                   picture.decodedDisplayHeight);
        calls_.setVideoSource(offset, 0, shown, picture.decodedDisplayHeight);
    }
    RefreshLocked();
    return 0;
}

int CVRLNSiS::SetOutputRect(uintptr_t, const VRLNRect* destination, const VRLNRect*) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (destination != nullptr) SetOutputRectLocked(*destination);
    return 0;
}

// Only noted here; the next Refresh places the window.
void CVRLNSiS::SetOutputRectLocked(const VRLNRect& destination) {
    g_destination = destination;
    windowChangePending_ = true;
}

int CVRLNSiS::Refresh(int32_t, int32_t) {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return RefreshLocked();
}

// A pending change stays pending while there is no window to place.
int CVRLNSiS::RefreshLocked() {
    if (!windowChangePending_) return 0;
    if (record_ == nullptr) return -1;
    const VRLNRect d = g_destination;
    int result = -1;
    if (!AllZero(d) && calls_.setVideoWindow(d.left, d.top, d.right, d.bottom, colourKey_) == 0)
        result = 0;
    windowChangePending_ = false;
    index_ = 0;
    return result;
}

VRLNRect CVRLNSiS::Destination() {
    std::lock_guard<CRendererMutex> lock(mutex_);
    return g_destination;
}
