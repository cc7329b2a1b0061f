// CVRLNI865G and CVRLNI915G: the overlay renderers of the Intel 865G and
// 915G families. They drive libI865G.so or libI915G.so (the same calls,
// interfaces/vendor/intel_overlay.h): three packed 4:2:2 surfaces in video
// memory made at the picture size, each picture converted by the video
// processor into the surface after the current one and flipped onto the
// overlay, which shows where the screen holds the colour key.
//
// Threads and lock discipline:
// - DrawPicture, Flip and PresentPicture run on the tuner service's capture
//   thread; Open, Close, SetOutputRect, Refresh, ClearPicture, CapturePicture
//   and the properties on the caller's thread.
// - One recursive mutex (mutex_) guards every member below, and every call
//   into the vendor library is made while holding it; operations that call
//   one another (Flip -> DrawPicture, Flip -> Refresh, SetOutputRect ->
//   Refresh, the display switches -> surface creation) take it again.
// - No surface stays locked beyond a Flip: the surface written is locked,
//   converted into, flipped and unlocked within one Flip.
//
// Beyond the vendor's pattern, the renderer never writes into or shows a
// surface that does not exist: while surfaces are missing (a failed
// creation, or a switch or resume that failed), Flip drops the frame and
// returns 0, Refresh does nothing and capture returns -1.
#pragma once

#include <cstdint>
#include <memory>

#include "video/render/renderer.h"
#include "video/render/vendor/intel_calls.h"
#include "video/render/vendor/renderer_mutex.h"
#include "video/render/vendor/vendor_library.h"

class CVRLNVideoProcessor;

class CVRLNI865G : public CVRLNRenderer {
  public:
    CVRLNI865G();
    ~CVRLNI865G() override;

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

    // State, for the owner and tests.
    bool Suspended();
    bool HasSurfaces();
    bool TelevisionOn();
    VRLNRect Destination();
    int MutexHolders() const { return mutex_.Holders(); }

  protected:
    // i915: bind libI915G.so instead of libI865G.so.
    explicit CVRLNI865G(bool i915);

  private:
    static constexpr int kSurfaceCount = 3;

    int DrawPictureLocked(CVRLNPicture* picture);
    void ResizeLocked(int width, int height);
    int RefreshLocked();
    bool Bound() const { return library_.Bound(); }
    bool HasSurfacesLocked() const;
    bool CreateSurfacesLocked();
    void ReleaseSurfacesLocked();
    void HideOverlayLocked();
    int ConvertLocked(CVRLNPicture* picture);

    // Properties (intel_properties.cpp).
    int32_t SetColourLocked(uint32_t id, int32_t value);
    int32_t GetColourLocked(uint32_t id, int32_t* value);
    int32_t ResetColoursLocked();

    // Display output, suspend and resume (intel_display_switch.cpp).
    int32_t SwitchDisplayLocked(int32_t value);
    int32_t TelevisionOnLocked();
    int32_t TelevisionOffLocked();
    int32_t RestoreDisplayLocked();
    int32_t RestartLibraryLocked();
    int32_t RestartOverlayLocked();
    int32_t SuspendLocked();
    int32_t ResumeLocked();

    const bool i915_;
    CRendererMutex mutex_;
    CVendorLibrary library_;
    IntelOverlayCalls calls_{};
    bool loaded_ = false;
    uint32_t surface_[kSurfaceCount] = {0, 0, 0};  // addresses in video memory
    uint32_t offset_[kSurfaceCount] = {0, 0, 0};   // from the on-screen start
    int current_ = 0;
    bool converted_ = false;  // the current surface holds a converted picture
    int madeWidth_ = 0;       // the size the surfaces were made for
    int madeHeight_ = 0;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    VRLNRect destination_{0, 0, 1023, 767};
    int screenWidth_ = 0;
    int screenHeight_ = 0;
    int screenBits_ = 16;
    uint32_t screenStart_ = 0;
    uint32_t colourKey_ = 0x0821;
    int32_t sharpness_ = 0;
    bool television_ = false;
    uint32_t tvConnector_ = 0;
    bool suspended_ = false;
    bool updatePending_ = true;
    bool overlayShown_ = false;
    uint32_t tag_;
    // Hardware colour values last set or read (ids 1 to 4), answered while suspended.
    int32_t hardware_[5] = {0, 0, 64, 128, 0};
    std::unique_ptr<CVRLNVideoProcessor> processor_;
};

class CVRLNI915G : public CVRLNI865G {
  public:
    CVRLNI915G() : CVRLNI865G(true) {}
};
