// CVRLNRadeon: the overlay renderer of every ATI display controller. It
// drives libradeonov.so (interfaces/vendor/radeon_overlay.h) and keeps two
// planar 4:2:0 ("YV12") video buffers of its own in video memory, directly
// below the visible screen: each picture is converted into the buffer the
// overlay does not show, then the library flips to it. Packed pictures are
// converted by the packed-to-planar converter (packed_planar.h), planar ones
// by the video processor.
//
// Threads and lock discipline:
// - DrawPicture, Flip and PresentPicture run on the tuner service's capture
//   thread; Open, Close, SetOutputRect, Refresh, ClearPicture and the
//   properties on the caller's thread.
// - One recursive mutex (mutex_) guards every member below, and every call
//   into the vendor library is made while holding it, so no property,
//   geometry change or Close can alter the buffer index, the transform or
//   the buffers under a running conversion. Operations that call one another
//   (Flip -> DrawPicture, PresentPicture -> Flip) take it again.
//
// Beyond the vendor's pattern:
// - The video-buffer offset (mode height x bytes per line) follows every
//   mode query and mode change; when it moves, the overlay source is
//   programmed again on the next picture, so the buffers never lie inside
//   the visible screen.
// - A picture is converted only into buffers the library accepted as the
//   overlay source (RadeonOverlaySetSrc succeeded); otherwise it is dropped.
// - A get while suspended answers from the stored values; Close releases
//   the library and hides the overlay whatever state the renderer is in.
#pragma once

#include <cstdint>
#include <memory>

#include "interfaces/vendor/radeon_overlay.h"
#include "video/render/renderer.h"
#include "video/render/vendor/radeon_calls.h"
#include "video/render/vendor/renderer_mutex.h"
#include "video/render/vendor/vendor_library.h"

class CVRLNPackedToPlanar;
class CVRLNVideoProcessor;

class CVRLNRadeon : public CVRLNRenderer {
  public:
    CVRLNRadeon();
    ~CVRLNRadeon() override;

    int GetKind() override { return 1; }
    int Open() override;
    int Close() override;
    int SetOutputRect(uintptr_t window, const VRLNRect* destination,
                      const VRLNRect* source) override;
    int ClearPicture() override;
    int Refresh(int32_t a, int32_t b) override;
    int DrawPicture(CVRLNPicture* picture) override;
    int PresentPicture(CVRLNPicture* picture) override;
    int Flip(CVRLNPicture* picture) override;
    int32_t GetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                        uint32_t instanceLength, void* value, uint32_t length,
                        uint32_t* returned) override;
    int32_t SetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                        uint32_t instanceLength, const void* value, uint32_t length) override;

    // State, for the owner and tests.
    bool Suspended();
    VRLNRect Destination();
    uint32_t VideoBufferOffset();
    RadeonTransform Transform();
    int BufferIndex();
    int MutexHolders() const { return mutex_.Holders(); }

  private:
    static constexpr int kBuffers = 2;

    bool Bound() const { return library_.Bound(); }
    int DrawPictureLocked(CVRLNPicture* picture);
    // Source, destination, colour key and enable for the picture size; then
    // both buffers black.
    void ProgramSourceLocked();
    void PaintBuffersBlackLocked();
    void ReplaceProcessorLocked(const CVRLNPicture& picture);
    uint8_t* BufferLocked(int index) const;
    bool CanConvertLocked(const CVRLNPicture& picture) const;
    void ConvertLocked(CVRLNPicture* picture, uint8_t* buffer);
    // After every mode query or change.
    void ModeChangedLocked();
    void DestinationFromModeLocked();

    // Properties and display switching (radeon_properties.cpp).
    int32_t SetColourLocked(uint32_t id, int32_t value);
    int32_t SendTransformLocked();
    int32_t SwitchDisplayLocked(int32_t value);
    int32_t RestoreDisplayLocked();
    int32_t SetModeAgainLocked();
    int32_t SuspendLocked();
    int32_t ResumeLocked();
    bool AnswerLocked(uint32_t id, int32_t* answer) const;

    CRendererMutex mutex_;
    CVendorLibrary library_;
    RadeonOverlayCalls calls_{};
    bool loaded_ = false;
    uint8_t* frameBuffer_ = nullptr;  // start of video memory, from RadeonGetFBAddr
    RadeonMode mode_{};
    uint32_t videoOffset_ = 0;  // the first video buffer, below the visible screen
    int sourcePitch_ = 0;       // from RadeonOverlaySetSrc
    uint32_t bufferBytes_ = 0;
    bool sourceAccepted_ = false;  // the library took the buffers as the overlay source
    bool sourcePending_ = false;   // the offset moved: program the source on the next picture
    int index_ = 0;
    VRLNRect destination_{0, 0, 1279, 799};
    uint32_t colourKey_ = 0x010101;
    RadeonTransform transform_{};
    int32_t sharpness_ = 0;
    int pictureWidth_ = 0;  // the size the buffers were set up for
    int pictureHeight_ = 0;
    bool suspended_ = false;
    bool firstOutputRect_ = false;
    uint32_t tag_ = 0;
    std::unique_ptr<CVRLNVideoProcessor> processor_;
    std::unique_ptr<CVRLNPackedToPlanar> converter_;
};
