// CVRLNNvidia: video on NVIDIA hardware through the vendor's video library
// libNVDLL.so (interfaces/vendor/nvidia_video.h). It manages no surfaces: it
// sets an output mode once (SolvaneON_RESOLUTION), converts each picture into
// a packed 4:2:2 frame buffer of its own and hands that to the library with a
// video configuration (letterboxing, source class) and a colour
// configuration (floats). Pictures above 352 wide other than 720 and 704 are
// fitted into a 720 x 480 zoom buffer by a CVRLNScaler first, and the library
// zooms back into the picture's part of it.
//
// Threads and lock discipline:
// - DrawPicture, Flip and PresentPicture run on the tuner service's capture
//   thread; Open, Close, SetOutputRect and the properties on the caller's
//   thread. Both sides send the configuration records.
// - One recursive mutex (mutex_) guards every member below, and every call
//   into the library is made while holding it; Flip calls DrawPicture and
//   DrawPicture re-applies the destination under it.
//
// Beyond the vendor's pattern:
// - A destination without width or height (right < left or bottom < top) is
//   refused with -1 and the previous one kept.
// - Close sends its black frame only when a buffer exists (not before the
//   first picture, nor after a failed NvMMInit), and still ends video.
// - An odd width above 352 is zoomed from the even width below it (the last
//   column dropped), which the scaler accepts.
// - A picture without size, or above 4096 on a side, is refused
//   (0x80000003) and nothing changes.
// - A colour property that cannot reach the library (none bound, or it
//   refuses the record) returns 0x80000008; the value is kept.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "video/render/nvidia/nvidia_configuration.h"
#include "video/render/renderer.h"
#include "video/render/vendor/nvidia_calls.h"
#include "video/render/vendor/renderer_mutex.h"
#include "video/render/vendor/vendor_library.h"

class CVRLNScaler;
class CVRLNVideoProcessor;

class CVRLNNvidia : public CVRLNRenderer {
  public:
    CVRLNNvidia();
    ~CVRLNNvidia() override;

    int GetKind() override { return 1; }
    int Open() override;
    int Close() override;
    int SetOutputRect(uintptr_t window, const VRLNRect* destination,
                      const VRLNRect* source) override;
    int ClearPicture() override { return 0; }
    int Refresh(int32_t, int32_t) override { return 0; }
    int DrawPicture(CVRLNPicture* picture) override;
    int PresentPicture(CVRLNPicture*) override { return 0; }
    int Flip(CVRLNPicture* picture) override;
    // Nothing to capture from: 0, nothing written.
    int CapturePicture(CVRLNPicture*, int, uint8_t*) override { return 0; }
    int32_t GetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                        uint32_t instanceLength, void* value, uint32_t length,
                        uint32_t* returned) override;
    int32_t SetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                        uint32_t instanceLength, const void* value, uint32_t length) override;

    // State, for the owner and tests.
    NvidiaOutput Output();
    VRLNRect Destination();
    NvConfVideo VideoConfiguration();
    NvConfColor ColourConfiguration();
    // 720 x 480 while pictures go through the zoom buffer, else 0 x 0.
    int ZoomWidth();
    int ZoomHeight();
    bool Loaded();
    int MutexHolders() const { return mutex_.Holders(); }

  private:
    static constexpr int kZoomWidth = 720;
    static constexpr int kZoomHeight = 480;

    bool Bound() const { return library_.Bound(); }
    int SetOutputRectLocked(const VRLNRect& destination);
    int DrawPictureLocked(const CVRLNPicture& picture);
    void ResizeLocked(int width, int height, int32_t aspectBits);
    void SendPictureSetupLocked();
    const uint8_t* ZoomLocked(const CVRLNPicture& picture);
    void SendBlackFrameLocked();
    int32_t SendColourLocked();

    CRendererMutex mutex_;
    CVendorLibrary library_;
    NvidiaVideoCalls calls_{};
    bool loaded_ = false;  // NvInitDll succeeded: NvExitDll is owed
    const char* libraryVersion_ = nullptr;
    const char* driverVersion_ = nullptr;
    NvidiaOutput output_{0, 0, false};
    VRLNRect destination_{0, 0, -1, -1};
    uint32_t tag_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    int sourcePitch_ = 0;
    int32_t aspectBits_ = 0;
    std::vector<uint8_t> frame_;
    int zoomWidth_ = 0;
    int zoomHeight_ = 0;
    std::vector<uint8_t> zoom_;
    NvConfVideo video_;
    NvConfColor colour_;
    std::unique_ptr<CVRLNVideoProcessor> processor_;
    std::unique_ptr<CVRLNScaler> scaler_;
};
