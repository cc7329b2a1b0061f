// CVRLNCLE266: the overlay renderer of the VIA CLE266 family and its
// relatives. It drives libddmpeg.so through its one entry point,
// VIADriverProc (interfaces/vendor/via_ddmpeg.h), by command number: a
// double-buffered packed 4:2:2 ("YUY2") surface made at the picture size,
// each picture converted by the video processor into the buffer of the
// current index, the overlay placed by record and the buffer shown.
//
// Threads and lock discipline:
// - DrawPicture, Flip and PresentPicture run on the tuner service's capture
//   thread; Open, Close, SetOutputRect, Refresh, the properties and the four
//   extra operations on the caller's thread.
// - One recursive mutex (mutex_) guards every member below, and every
//   command is sent while holding it; operations that call one another
//   (Flip -> DrawPicture -> surface release and creation, Flip -> Refresh)
//   take it again.
//
// Beyond the vendor's pattern:
// - While no surfaces exist (command 0 or 2 failed), frames are dropped
//   without writing anything.
// - Close releases whatever the renderer holds, and only that: the library
//   and the screen mapping of an Open that failed half way as well.
#pragma once

#include <cstdint>
#include <memory>

#include "interfaces/vendor/via_ddmpeg.h"
#include "video/render/fb_device.h"
#include "video/render/renderer.h"
#include "video/render/vendor/renderer_mutex.h"
#include "video/render/vendor/vendor_library.h"
#include "video/render/vendor/via_calls.h"

class CVRLNVideoProcessor;

class CVRLNCLE266 : public CVRLNRenderer {
  public:
    CVRLNCLE266();
    ~CVRLNCLE266() override;

    int GetKind() override { return 20; }
    int Open() override;
    int Close() override;
    int SetOutputRect(uintptr_t window, const VRLNRect* destination,
                      const VRLNRect* source) override;
    int ClearPicture() override { return 0; }
    int Refresh(int32_t a, int32_t b) override;
    int DrawPicture(CVRLNPicture* picture) override;
    int PresentPicture(CVRLNPicture* picture) override;
    int Flip(CVRLNPicture* picture) override;
    int32_t GetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                        uint32_t instanceLength, void* value, uint32_t length,
                        uint32_t* returned) override;
    int32_t SetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                        uint32_t instanceLength, const void* value, uint32_t length) override;

    // The four operations of its own, after the common ones.
    virtual int InitVideoOverlay();
    // Hides the overlay (command 6), destroys the surfaces (3) and stops the
    // driver (1): 1 when any of them failed, else 0.
    virtual int ReleaseSurfaces();
    // Starts the driver (0; its failure is returned) and creates the
    // surfaces (2) at the picture size.
    virtual int CreateSurfaces();
    virtual int SetColourKeying(uint32_t key);

    // State, for the owner and tests.
    VRLNRect Destination();
    uint32_t ColourKey();
    bool HasSurfaces();
    int MutexHolders() const { return mutex_.Holders(); }

  private:
    bool Bound() const { return library_.Bound(); }
    uint32_t Command(uint32_t command, void* data);
    bool OpenScreenLocked();
    void CloseScreenLocked();
    int DrawPictureLocked(CVRLNPicture* picture);
    int ReleaseSurfacesLocked();
    int CreateSurfacesLocked();
    int RefreshLocked();
    bool ConvertLocked(CVRLNPicture* picture);

    CRendererMutex mutex_;
    CVendorLibrary library_;
    ViaDriverCalls calls_{};
    std::unique_ptr<CFbDevice> screen_;
    FbGeometry geometry_{};
    uint8_t* mapping_ = nullptr;
    VRLNRect destination_{0, 0, 1023, 767};
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    uint32_t index_ = 0;
    uint32_t colourKey_ = 0xFFFFFFFF;
    bool keying_ = true;
    uint32_t tag_;
    bool opened_ = false;
    bool surfacesCreated_ = false;  // the driver was started for the surfaces
    bool buffersMade_ = false;      // command 2 gave both buffers
    std::unique_ptr<ViaSurfaceRecord> surface_;
    std::unique_ptr<ViaOverlayRecord> overlay_;
    std::unique_ptr<CVRLNVideoProcessor> processor_;
};
