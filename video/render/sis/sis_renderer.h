// CVRLNSiS: the overlay renderer of SiS graphics. It drives the video window
// of libdv.so (interfaces/vendor/sis_video.h): four planar 4:2:0 buffers
// described by the 88-byte video record the library fills, each picture
// converted by the video processor into the next buffer in turn and flipped
// onto the window, which shows where the screen holds the colour key. The
// whole window is made again whenever the picture size changes.
//
// Threads and lock discipline:
// - DrawPicture, Flip and PresentPicture run on the tuner service's capture
//   thread; Open, Close, SetOutputRect, Refresh, ClearPicture and the
//   properties on the caller's thread.
// - One recursive mutex (mutex_) guards every member below and the
//   library-wide destination, and every call into the vendor library is made
//   while holding it; operations that call one another (Flip -> DrawPicture
//   -> window creation -> ClearPicture, Flip -> source window -> Refresh)
//   take it again.
//
// Beyond the vendor's pattern: the video record exists exactly while a whole
// window exists (initialised, video made, window set), so releasing gives
// back only what the last creation made; while there is no window (a failed
// re-creation) DrawPicture, Flip and Refresh return -1 without writing or
// calling the library, until the next size change makes a window again.
#pragma once

#include <cstdint>
#include <memory>

#include "interfaces/vendor/sis_video.h"
#include "video/render/renderer.h"
#include "video/render/vendor/renderer_mutex.h"
#include "video/render/vendor/sis_calls.h"
#include "video/render/vendor/vendor_library.h"

class CVRLNVideoProcessor;

// Receives the renderer's error reports: a caption ("Error") and the message.
using SisErrorHook = int (*)(const char* caption, const char* message);

// The shared flag word's bits that a successful Open clears.
constexpr uint32_t kSisClearedRendererFlags = 0x10004;

class CVRLNSiS : public CVRLNRenderer {
  public:
    static constexpr int kBufferCount = 4;

    CVRLNSiS();
    ~CVRLNSiS() override;

    int GetKind() override { return 1; }
    int Open() override;
    int Close() override;
    int UpdateSourceWindow(CVRLNPicture* picture) override;
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

    // The hook shows nothing and returns 0 unless one is set (tests).
    void SetErrorHook(SisErrorHook hook);

    // State, for the owner and tests.
    bool HasWindow();
    int BufferIndex();
    int WindowWidth();
    VRLNRect Destination();
    int MutexHolders() const { return mutex_.Holders(); }

  private:
    // Window (sis_window.cpp).
    int CreateWindowLocked(int width, int height);
    int ReleaseWindowLocked();
    void ClearPictureLocked();
    void ReportError(const char* message);

    // Frame path (sis_frame_path.cpp).
    int DrawPictureLocked(CVRLNPicture* picture);
    int UpdateSourceWindowLocked(const CVRLNPicture& picture);
    void SetOutputRectLocked(const VRLNRect& destination);
    int RefreshLocked();

    int CloseLocked();
    bool Bound() const { return library_.Bound(); }

    CRendererMutex mutex_;
    CVendorLibrary library_;
    SisVideoCalls calls_{};
    std::unique_ptr<SiSVideoRecord> record_;  // while a window exists
    int index_ = 0;                           // buffer shown last, 0 ... 3
    int windowWidth_ = 0;
    uint32_t colourKey_ = 0x0821;
    bool windowChangePending_ = false;
    int sentSourceWidth_ = 0;  // source window last sent
    int sentPanOffset_ = 0;
    SisErrorHook errorHook_;
    std::unique_ptr<CVRLNVideoProcessor> processor_;
};
