// The display modes of the simulated controller, each with a VESA-style
// number. Lines are width x bytes per pixel long, without padding.
#pragma once

#include <cstddef>

#define SIM_DISPLAY_INTERNAL __attribute__((visibility("default")))

namespace simdisplay {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bits = 0;
    int number = 0;
    int BytesPerPixel() const { return bits / 8; }
    int LineLength() const { return width * BytesPerPixel(); }
    size_t ScreenBytes() const { return size_t(LineLength()) * size_t(height); }
};

// Null when the table has no such mode.
SIM_DISPLAY_INTERNAL const DisplayMode* FindMode(int width, int height, int bits);
SIM_DISPLAY_INTERNAL const DisplayMode* FindModeNumber(int number);

}  // namespace simdisplay
