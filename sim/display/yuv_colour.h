// The overlay's colour conversion: the colour controls, then Y, U, V to RGB
// with the same fixed-point BT.601 factors as the frame-buffer renderer's
// conversion (luma taken as it is), so that the two paths show the same
// picture, then the gamma of each channel.
#pragma once

#include <cstdint>

#include "sim/display/controller.h"

namespace simdisplay {

class YuvColour {
  public:
    explicit YuvColour(const ColourControls& controls);
    void ToRgb(uint8_t y, uint8_t u, uint8_t v, uint8_t rgb[3]) const;

  private:
    bool neutral_;
    bool gamma_;
    ColourControls controls_;
    int cosine_;  // hue rotation, 1/1024
    int sine_;
    uint8_t gammaTable_[3][256];
};

}  // namespace simdisplay
