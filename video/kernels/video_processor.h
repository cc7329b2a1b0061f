// CVRLNVideoProcessor: the one pass every picture takes before a renderer shows
// it (layout conversion, colour controls, sub-picture blending,
// deinterlacing), and the state its kinds share. A renderer owns its
// processor and calls it from one thread (the capture thread) except for the
// configuration calls made while no frame is in flight.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "video/kernels/colour_constants.h"
#include "video/kernels/frame_walk.h"
#include "video/kernels/kernel_cpu.h"
#include "video/kernels/kernel_set.h"
#include "video/kernels/overlay_planes.h"
#include "video/render/picture.h"
#include "video/render/renderer.h"

// SetParameter / GetParameter ids.
enum ProcessorParameter : int {
    kParamFlags = 0,
    kParamSubpictureSource = 3,
    kParamOverlayPerLine = 4,
    kParamOverlayPaired = 5,
    kParamRectangle = 6,  // value: pointer to four int32 (left, top, right, bottom)
    kParamReserved7 = 7,
    kParamCapabilities = 9,
    kParamDeinterlaceMethod = 11,
};

// Process flags of the planar kinds.
constexpr int kProcessComposeOnce = 2;  // compose, keep the spans aside, then clear them
constexpr int kProcessOverlayOnly = 4;  // compose the overlay without converting
constexpr int kProcessAltOutputs = 8;   // write into the picture's altOutput planes

// Process results.
constexpr int kProcessDone = 0;
constexpr int kProcessRefused = -1;
constexpr int kProcessNoMemory = -2;  // buffers for this picture could not be allocated

class CVRLNVideoProcessor {
  public:
    CVRLNVideoProcessor(const CVRLNVideoProcessor&) = delete;
    CVRLNVideoProcessor& operator=(const CVRLNVideoProcessor&) = delete;

    // The current overlay and its rectangle; non-zero when a new one was set
    // since the last call.
    virtual int GetSubpicture(const CVRLNSubpicture** sub, VRLNRect* rect);
    virtual ~CVRLNVideoProcessor();
    virtual int SetParameter(int id, intptr_t value);
    virtual intptr_t GetParameter(int id);
    virtual int SetOutputWidth(int width, int scale);
    virtual int SetOutputHeight(int height, int scale);
    virtual void SetColourControls(const CVRLNColourRecord* colours);
    virtual int Process(CVRLNPicture* picture, int flags) = 0;
    // Takes the picture's sub-picture, if any, as the overlay of later pictures.
    virtual void SetSubpicture(CVRLNPicture* picture);
    // Negative when no overlay is active.
    virtual int GetSubpictureState();

    int ColourMode() const { return colourMode_; }
    int DeinterlaceMethod() const { return method_; }
    bool Capability() const { return cpu_.extendedMmx; }
    int OverlayLineMode() const { return lineMode_; }
    const OverlayPlanes& Overlay() const { return overlay_; }
    const KernelSet& Kernels() const { return *kernels_; }
    // The line the running (or last) Process reached.
    int32_t ProgressLine() const { return progress_.load(std::memory_order_relaxed); }
    // Label of the member the last Process ran, for logs and tests.
    const char* LastKernel() const { return lastKernel_; }

  protected:
    explicit CVRLNVideoProcessor(const KernelCpu& cpu);

    // The part of the picture a Process call works on.
    struct Area {
        int left = 0;
        int top = 0;
        int width = 0;
        int lines = 0;
    };
    // The rectangle (or override) clipped to the picture; false when empty.
    bool ResolveArea(const CVRLNPicture& picture, Area* area) const;
    void DuplicateLastLine(CVRLNPicture* picture, const Area& area) const;
    // Composes a pending overlay (or any with kProcessComposeOnce); false when
    // its planes cannot be allocated.
    bool PrepareOverlay(const Area& area, int flags);
    void FinishOverlay(int flags);
    // The packed source copied unchanged into a planar output.
    static int CopyPackedThrough(const CVRLNPicture& picture);
    // Converts a planar picture into the planar output through one member (a
    // packed one as the conversion mode of library_state.h says).
    int RunPlanar(CVRLNPicture* picture, int flags, const PlanarKernel& kernel,
                  const ColourConstants& k);
    // Source and overlay part of a walk, for the kinds' own outputs.
    FrameArea SourceArea(const CVRLNPicture& picture, const Area& area, const ColourConstants& k);
    FieldChoice FieldOf(const CVRLNPicture& picture, bool honourRepeat) const;
    // Capability word of GetParameter (9).
    virtual int CapabilityWord() const = 0;

    KernelCpu cpu_;
    const KernelSet* kernels_;
    int colourMode_ = kColourAddSubtract;
    int method_ = 0;
    int lineMode_ = kOverlayWholeRect;
    const char* lastKernel_ = "";

  private:
    int RunRepacked(CVRLNPicture* picture, int flags, const PlanarKernel& kernel,
                    const ColourConstants& k);

    VRLNRect rect_{};
    intptr_t subpictureSource_ = 0;
    const CVRLNSubpicture* subpicture_ = nullptr;
    uint32_t subpictureSerial_ = 0;
    bool composePending_ = false;
    bool unreported_ = false;
    OverlayPlanes overlay_;
    std::atomic<int32_t> progress_{0};
    std::vector<uint8_t> repacked_;  // planar copy of a packed source
};

// Planar output planes of a processed area (YV12 order: Y, then V, then U).
struct PlanarOutput {
    uint8_t* y = nullptr;
    uint8_t* v = nullptr;
    uint8_t* u = nullptr;
    int pitch = 0;
    int chromaPitch = 0;
};

// The three planes, or false when the picture gives no room for them.
bool LocatePlanarOutput(const CVRLNPicture& picture, int width, int lines, bool alternative,
                        PlanarOutput* out);
