// The state and behaviour behind libdv.so: initialisation, one video window
// with four planar 4:2:0 buffers, its screen window, source part, flips and
// the two colour levels.
#pragma once

#include <cstdint>
#include <string>

#include "interfaces/vendor/sis_video.h"
#include "sim/display/controller.h"

namespace simdisplay {

class SIM_DISPLAY_INTERNAL SisLibrary : public LibraryState {
  public:
    static SisLibrary& For(const std::string& library);
    explicit SisLibrary(std::string library) : library_(std::move(library)) {}
    void Unloading() override;

    // 0 on success, 1 on failure.
    int Init();
    int Uninit();
    int CreateVideo(int width, int height, SiSVideoRecord* record);
    int ReleaseVideo();
    int SetWindow(int left, int top, int right, int bottom, uint32_t colourKey);
    int Enable(int on);
    int Flip(int index);
    int SetSource(int x, int y, int width, int height);
    int Brightness() const { return brightness_; }
    int Contrast() const { return contrast_; }
    int SetBrightness(uint8_t level);
    int SetContrast(uint8_t level);

  private:
    void Apply();

    std::string library_;
    bool initialised_ = false;
    bool video_ = false;
    SiSVideoRecord record_{};
    uint32_t buffer_[4] = {0, 0, 0, 0};
    int shown_ = 0;
    bool enabled_ = false;
    bool window_ = false;
    Area destination_;
    uint32_t colourKey_ = 0;
    Area source_;  // width 0: the whole picture
    int brightness_ = 128;
    int contrast_ = 128;
};

}  // namespace simdisplay
