// CVRLNS3Twister: the overlay renderer of the S3 Twister. It drives
// libs3g.so (interfaces/vendor/s3_overlay.h, the Intel calls without "MC")
// after the Intel renderers' pattern, with two packed 4:2:2 surfaces one line
// shorter than the picture, of which only the first is ever written and
// shown; brightness and contrast share one property word; the destination is
// painted in the colour key once per process; there is no suspend and no
// display-output switching.
//
// Threads and lock discipline:
// - DrawPicture, Flip and PresentPicture run on the tuner service's capture
//   thread; Open, Close, SetOutputRect, Refresh, ClearPicture, CapturePicture
//   and the properties on the caller's thread.
// - One recursive mutex (mutex_) guards every member below and the
//   library-wide entry points, and every library call is made while holding
//   it; Flip -> DrawPicture and Flip -> Refresh take it again.
// - A surface is locked only within one Flip or one ClearPicture.
//
// Beyond the vendor's pattern, the renderer never writes into, shows or
// releases what it does not hold: without surfaces (a picture one line high,
// a failed creation) frames are dropped and Refresh sends nothing; Close
// after a failed Open calls nothing in the library; every write of a surface
// stays within its height - 1 lines.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "video/render/renderer.h"
#include "video/render/vendor/renderer_mutex.h"
#include "video/render/vendor/s3_calls.h"
#include "video/render/vendor/vendor_library.h"

class CVRLNVideoProcessor;

class CVRLNS3Twister : public CVRLNRenderer {
  public:
    static constexpr int kSurfaceCount = 2;
    // The current surface: the one written and shown (Flip never changes it).
    static constexpr int kCurrent = 0;

    CVRLNS3Twister();
    ~CVRLNS3Twister() override;

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
    int CapturePicture(CVRLNPicture* picture, int bitCount, uint8_t* bitmap) override;
    int32_t GetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                        uint32_t instanceLength, void* value, uint32_t length,
                        uint32_t* returned) override;
    int32_t SetProperty(const VRLNPropertySetId* set, uint32_t id, const void* instance,
                        uint32_t instanceLength, const void* value, uint32_t length) override;

    // The colour-key paint is due once per process, at the first Flip.
    static bool KeyPaintPending();
    // Makes it due again, as a fresh load of the library would (tests).
    static void RearmKeyPaint();

    // State, for the owner and tests.
    bool HasSurfaces();
    VRLNRect Destination();
    int MutexHolders() const { return mutex_.Holders(); }

  private:
    // Frame path (s3_frame_path.cpp).
    int DrawPictureLocked(CVRLNPicture* picture);
    void ResizeLocked(int width, int height);
    bool HasSurfacesLocked() const;
    void CreateSurfacesLocked();
    void ReleaseSurfacesLocked();
    void HideOverlayLocked();
    int RefreshLocked();
    void PaintKeyOnceLocked();
    void ConvertLocked(CVRLNPicture* picture);
    void ClearSurfaceLocked(uint32_t surface);
    bool Bound() const { return library_.Bound(); }

    // The entry points are kept library-wide, as the library is loaded once
    // per process; they are bound by Open and cleared by the Close of the
    // renderer that bound them.
    static S3OverlayCalls calls_;
    static std::atomic<bool> keyPaintPending_;

    CRendererMutex mutex_;
    CVendorLibrary library_;
    uint32_t surface_[kSurfaceCount] = {0, 0};  // addresses in video memory
    uint32_t offset_[kSurfaceCount] = {0, 0};   // from the on-screen start
    uint32_t screenStart_ = 0;
    int pictureWidth_ = 0;
    int surfaceHeight_ = 0;  // picture height - 1
    int madeWidth_ = 0;      // the size the surfaces were made for (full height)
    int madeHeight_ = 0;
    bool converted_ = false;  // the current surface holds a converted picture
    bool overlayShown_ = false;
    VRLNRect destination_{0, 0, 1023, 767};
    uint32_t colourKey_ = 0x0821;
    uint32_t tag_;
    std::unique_ptr<CVRLNVideoProcessor> processor_;
};
