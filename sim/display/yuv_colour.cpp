// Colour controls and the YUV to RGB step of the overlay.
#include "sim/display/yuv_colour.h"

#include <algorithm>
#include <cmath>

namespace simdisplay {
namespace {

// The frame-buffer conversion's multipliers (1.772, -0.344, -0.685, 1.402 in
// 1/16384) and its arithmetic: a doubled high half of (chroma - 128) x 256.
constexpr int16_t kBlueFromU = 29032;
constexpr int16_t kGreenFromU = -5638;
constexpr int16_t kGreenFromV = -11220;
constexpr int16_t kRedFromV = 22970;

int Sat16(int v) {
    return std::min(32767, std::max(-32768, v));
}

int Clamp8(int v) {
    return std::min(255, std::max(0, v));
}

int Term(int chroma, int16_t factor) {
    const int centred = (chroma - 128) * 256;
    return Sat16(((centred * factor) >> 16) * 2);
}

}  // namespace

YuvColour::YuvColour(const ColourControls& controls) : controls_(controls) {
    neutral_ = controls.brightness == 0 && controls.contrast == 256 && controls.saturation == 256 &&
               controls.hue == 0;
    const double theta = controls.hue * 3.14159265358979323846 / 180.0;
    cosine_ = int(std::lround(std::cos(theta) * 1024.0));
    sine_ = int(std::lround(std::sin(theta) * 1024.0));
    gamma_ = false;
    for (int c = 0; c < 3; ++c) {
        const float g = controls.gamma[c];
        gamma_ = gamma_ || g != 1.0f;
        for (int i = 0; i < 256; ++i) {
            const double level = (g > 0.0f) ? std::pow(i / 255.0, 1.0 / g) * 255.0 : i;
            gammaTable_[c][i] = uint8_t(Clamp8(int(std::lround(level))));
        }
    }
}

void YuvColour::ToRgb(uint8_t y, uint8_t u, uint8_t v, uint8_t rgb[3]) const {
    int Y = y, U = u, V = v;
    if (!neutral_) {
        Y = Clamp8(Y * controls_.contrast / 256 + controls_.brightness);
        const int cu = U - 128, cv = V - 128;
        const int ru = (cu * cosine_ - cv * sine_) / 1024;
        const int rv = (cu * sine_ + cv * cosine_) / 1024;
        U = Clamp8(128 + ru * controls_.saturation / 256);
        V = Clamp8(128 + rv * controls_.saturation / 256);
    }
    const int luma = Y << 7;
    const int blue = Sat16(luma + Term(U, kBlueFromU));
    const int green = Sat16(Sat16(luma + Term(U, kGreenFromU)) + Term(V, kGreenFromV));
    const int red = Sat16(luma + Term(V, kRedFromV));
    rgb[0] = uint8_t(Clamp8(red >> 7));
    rgb[1] = uint8_t(Clamp8(green >> 7));
    rgb[2] = uint8_t(Clamp8(blue >> 7));
    if (gamma_) {
        for (int c = 0; c < 3; ++c) rgb[c] = gammaTable_[c][rgb[c]];
    }
}

}  // namespace simdisplay
