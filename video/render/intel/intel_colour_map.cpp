// Colour-control mapping of the Intel renderers.
#include "video/render/intel/intel_colour_map.h"

#include <algorithm>

#include "video/render/renderer.h"

uint32_t IntelHardwareId(uint32_t property) {
    switch (property) {
        case kPropBrightness:
            return 1;
        case kPropContrast:
            return 2;
        case kPropSaturation:
            return 3;
        case kPropHue:
            return 4;
        default:
            return 0;
    }
}

int32_t IntelHardwareValue(uint32_t property, int32_t value) {
    const int32_t v = std::min(32, std::max(-32, value));
    switch (property) {
        case kPropContrast:
            return std::min(255, v * 2 + 64);
        case kPropSaturation:
            return std::min(255, v * 4 + 128);
        default:  // brightness and hue
            return std::min(127, v * 4);
    }
}

int32_t IntelControlValue(uint32_t property, int32_t hardware) {
    switch (property) {
        case kPropContrast:
            return hardware == 255 ? 32 : hardware / 2 - 32;
        case kPropSaturation:
            return hardware == 255 ? 32 : hardware / 4 - 32;
        default:  // brightness and hue
            return hardware == 127 ? 32 : hardware / 4;
    }
}
