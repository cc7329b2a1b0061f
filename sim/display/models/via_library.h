// The state and behaviour behind libddmpeg.so's VIADriverProc: a driver that
// is started and stopped, one pair of overlay buffers, and the overlay shown,
// moved and hidden by record.
#pragma once

#include <cstdint>
#include <string>

#include "interfaces/vendor/via_ddmpeg.h"
#include "sim/display/controller.h"

namespace simdisplay {

class SIM_DISPLAY_INTERNAL ViaLibrary : public LibraryState {
  public:
    static ViaLibrary& For(const std::string& library);
    explicit ViaLibrary(std::string library) : library_(std::move(library)) {}
    void Unloading() override;

    // 0 on success, 1 on any error.
    int Command(uint32_t command, void* data);

  private:
    int Start();
    int Stop();
    int CreateSurfaces(ViaSurfaceRecord* record);
    int DestroySurfaces();
    int LockSurfaces(ViaSurfaceRecord* record);
    int UpdateOverlay(const ViaOverlayRecord* record);
    int ShowBuffer(const uint32_t* index);
    void Describe(ViaSurfaceRecord* record) const;
    void PointOverlay();

    std::string library_;
    bool started_ = false;
    bool surfaces_ = false;
    uint32_t buffer_[2] = {0, 0};
    int width_ = 0;
    int height_ = 0;
    int pitch_ = 0;
    uint32_t format_ = 0;
    int shown_ = 0;
};

}  // namespace simdisplay
