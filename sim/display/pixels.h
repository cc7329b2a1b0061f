// Screen pixels of the simulated controller: 16 bits RGB 5-6-5 or 32 bits
// (bytes blue, green, red, unused), read, written and turned into colours.
#pragma once

#include <cstdint>
#include <cstring>

namespace simdisplay {

inline uint32_t ReadPixel(const uint8_t* p, int bits) {
    if (bits == 16) return uint32_t(p[0] | (p[1] << 8));
    uint32_t v = 0;
    std::memcpy(&v, p, bits / 8);
    return v;
}

inline void WritePixel(uint8_t* p, int bits, uint32_t value) {
    if (bits == 16) {
        p[0] = uint8_t(value);
        p[1] = uint8_t(value >> 8);
        return;
    }
    std::memcpy(p, &value, bits / 8);
}

// The bits of a pixel that a colour key is compared with.
inline uint32_t KeyMask(int bits) {
    return bits == 16 ? 0xFFFFu : 0xFFFFFFu;
}

inline void PixelToRgb(uint32_t value, int bits, uint8_t rgb[3]) {
    if (bits == 16) {
        const uint32_t r = (value >> 11) & 31, g = (value >> 5) & 63, b = value & 31;
        rgb[0] = uint8_t((r << 3) | (r >> 2));
        rgb[1] = uint8_t((g << 2) | (g >> 4));
        rgb[2] = uint8_t((b << 3) | (b >> 2));
        return;
    }
    rgb[0] = uint8_t(value >> 16);
    rgb[1] = uint8_t(value >> 8);
    rgb[2] = uint8_t(value);
}

inline uint32_t RgbToPixel(int r, int g, int b, int bits) {
    auto c = [](int v) { return uint32_t(v < 0 ? 0 : v > 255 ? 255 : v); };
    if (bits == 16) return ((c(r) >> 3) << 11) | ((c(g) >> 2) << 5) | (c(b) >> 3);
    return (c(r) << 16) | (c(g) << 8) | c(b);
}

}  // namespace simdisplay
