// The state and behaviour behind libradeonov.so: modes through a mode
// record, an overlay that reads two caller-kept buffers and flips between
// them, solid fills, the colour transform and the display outputs.
#pragma once

#include <cstdint>
#include <string>

#include "interfaces/vendor/radeon_overlay.h"
#include "sim/display/controller.h"

namespace simdisplay {

class SIM_DISPLAY_INTERNAL RadeonLibrary : public LibraryState {
  public:
    static RadeonLibrary& For(const std::string& library);
    explicit RadeonLibrary(std::string library) : library_(std::move(library)) {}

    // Nonzero on success.
    int Init();
    int Close();
    int SetMode(int flags, RadeonMode* mode);
    int GetMode(RadeonMode* mode);
    int SetTransform(const RadeonTransform* transform);
    int RestoreMode();
    int Enable(bool on);
    int SetColourKey(int mode, uint32_t key);
    int SolidFill(int left, int top, int right, int bottom, uint32_t colour);
    int SetSource(uint32_t offset, int width, int height, int format, int* pitch);
    int SetDestination(int left, int top, int width, int height);
    int Flip();
    uint8_t* FrameBuffer();
    int EnableDisplay(int displays, int on);
    int QueryCardInfo(RadeonCardInfo* info);

  private:
    void Describe(RadeonMode* mode) const;
    void Apply();

    std::string library_;
    bool initialised_ = true;  // usable as soon as it is loaded
    bool source_ = false;
    uint32_t offset_ = 0;
    int width_ = 0;
    int height_ = 0;
    int format_ = 0;
    int pitch_ = 0;
    uint32_t bufferBytes_ = 0;
    int shown_ = 0;
    Area destination_;
    bool enabled_ = false;
    RadeonTransform transform_{};
};

}  // namespace simdisplay
