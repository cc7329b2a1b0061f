// The simulated display controller as the vendor stand-ins see it: video
// memory with the screen at its start, the mode table, surfaces, 2D fills
// and blits, the overlay plane, outputs, the shown on-screen display, and the
// per-library state of each loaded stand-in. One per process.
//
// Every member is used under the controller's lock: the stand-ins hold it for
// a whole call (StandInCall, stand_in_call.h), the test control for each of
// its functions. Renderers write pixels into surfaces without it, as into
// real video memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sim/display/display_modes.h"
#include "sim/display/video_memory.h"

#define SIM_DISPLAY_INTERNAL __attribute__((visibility("default")))

namespace simdisplay {

enum class Layout { kPacked422, kPlanar420 };

// A picture in video memory the overlay reads. Planar: Y at offset, V and U
// planes at their own offsets, chroma at half resolution.
struct OverlaySource {
    Layout layout = Layout::kPacked422;
    uint32_t offset = 0;
    int width = 0;
    int height = 0;
    int pitch = 0;
    uint32_t vOffset = 0;
    uint32_t uOffset = 0;
    int chromaPitch = 0;
};

struct Area {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Applied before the overlay's colour conversion; all neutral by default.
struct ColourControls {
    int brightness = 0;                   // added to luma
    int contrast = 256;                   // luma gain, 1/256
    int saturation = 256;                 // chroma gain, 1/256
    int hue = 0;                          // degrees
    float gamma[3] = {1.0f, 1.0f, 1.0f};  // red, green, blue
};

struct OverlayPlane {
    bool enabled = false;
    OverlaySource source;
    bool cropped = false;   // crop below applies; otherwise the whole source
    Area crop;              // in source pixels, may reach outside the source (black there)
    Area destination;       // on the screen, clipped when shown
    bool backdrop = false;  // black behind the picture inside backdropArea
    Area backdropArea;
    uint32_t colourKey = 0;
    bool keying = false;
    ColourControls controls;
};

// A 32-bit image (bytes blue, green, red, alpha) laid over the whole output.
struct OsdImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    float opacity = 1.0f;
    uint8_t constantAlpha = 255;
    int sourceFactor = 4;  // NvBlend values
    int destinationFactor = 5;
};

// State a stand-in keeps between calls; dropped when it is unloaded or the
// controller is reset.
class SIM_DISPLAY_INTERNAL LibraryState {
  public:
    virtual ~LibraryState();
    // Called before the state is dropped while the library unloads.
    virtual void Unloading() {}
};

class SIM_DISPLAY_INTERNAL Controller {
  public:
    static Controller& Get();

    std::recursive_mutex& Mutex() { return mutex_; }
    std::unique_lock<std::recursive_mutex> Hold() {
        return std::unique_lock<std::recursive_mutex>(mutex_);
    }

    VideoMemory& Memory() { return memory_; }

    const DisplayMode& Mode() const { return mode_; }
    const DisplayMode& BootMode() const { return bootMode_; }
    // False while a surface lies where the new screen would be.
    bool SetMode(const DisplayMode& mode);
    void SetBootMode(const DisplayMode& mode);

    // Screen or surface at an offset: its geometry for fills and blits.
    struct Target {
        uint32_t offset = 0;
        int width = 0;
        int height = 0;
        int pitch = 0;
        int bits = 0;
    };
    bool TargetAt(uint32_t offset, Target* target);
    // Clipped to the target; false when the target is unknown or nothing is left.
    bool Fill(uint32_t offset, int x, int y, int width, int height, uint32_t colour);
    bool Blit(uint32_t destination, int dx, int dy, uint32_t source, int sx, int sy, int width,
              int height);

    OverlayPlane& Overlay() { return overlay_; }

    int tvConnector = 1;
    bool tvOutput = false;
    int displays = 2;
    bool colourBars = false;
    const OsdImage* shownOsd = nullptr;  // owned by the library that shows it

    // Stand-ins report their loading; the state of a library is made on first use.
    void Loaded(const std::string& library);
    void Unloaded(const std::string& library);
    bool IsLoaded(const std::string& library) const;
    int LoadedCount() const;
    std::unique_ptr<LibraryState>& StateSlot(const std::string& library);

    void Reset();

  private:
    Controller();

    std::recursive_mutex mutex_;
    VideoMemory memory_;
    DisplayMode mode_;
    DisplayMode bootMode_;
    OverlayPlane overlay_;
    std::map<std::string, int> loaded_;
    std::map<std::string, std::unique_ptr<LibraryState>> states_;
};

// The state of one library, made on first use.
template <typename State>
State& StateOf(const std::string& library) {
    std::unique_ptr<LibraryState>& slot = Controller::Get().StateSlot(library);
    if (slot == nullptr) slot.reset(new State(library));
    return static_cast<State&>(*slot);
}

}  // namespace simdisplay
