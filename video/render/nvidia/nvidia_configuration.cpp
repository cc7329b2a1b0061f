// Output table, initial records, letterbox rules, source classes and colour
// mapping of the NVIDIA renderer.
#include "video/render/nvidia/nvidia_configuration.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr NvidiaOutput kOutputs[] = {
    {1024, 768, false}, {1280, 1024, false}, {1280, 768, true},
    {800, 600, false},  {1280, 800, true},
};

constexpr int32_t kNarrowerThanThreeToTwo = 15;

int32_t Clamp(int32_t value) {
    return std::min(32, std::max(-32, value));
}

// Truncation toward zero with the cap at 32; the floor only keeps the
// conversion defined.
int32_t Truncate(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 32.0f) return 32;
    if (value <= -2147483648.0f) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

NvidiaOutput NvidiaOutputFor(int resolution) {
    if (resolution < 0 || resolution >= int(sizeof kOutputs / sizeof kOutputs[0]))
        return NvidiaOutput{0, 0, false};
    return kOutputs[resolution];
}

NvConfVideo InitialVideoConfiguration() {
    return NvConfVideo{0, 0, 0, 5, 0, 0, 0, 1, 1, 1, 1};
}

NvConfColor InitialColourConfiguration() {
    return NvConfColor{0.0f, 1.0f, 1.0f, 0.0f, 1, 1.0f, 1.0f, 1.0f};
}

bool ApplyLetterbox(NvConfVideo* video, const VRLNRect& d, bool wideOutput, int32_t aspectBits) {
    const int64_t width = int64_t(d.right) - d.left + 1;
    const int64_t height = int64_t(d.bottom) - d.top + 1;
    if (width <= 0 || height <= 0) return false;
    const bool narrower = width * 10 / height < kNarrowerThanThreeToTwo;
    const bool ownShape = wideOutput ? aspectBits == kPictureAspectBits : aspectBits == 0;
    if (ownShape) {
        video->horizontalMode = narrower ? 0 : 1;
        video->verticalMode = narrower ? 1 : 0;
        video->letterboxState = narrower ? 0 : 1;
    } else {
        video->horizontalMode = narrower ? 2 : 1;
        video->verticalMode = narrower ? 1 : 2;
    }
    return true;
}

int32_t SourceClassOf(int width, int height) {
    if (width == 720) return 0;
    if (width == 704) return 1;
    return (width <= 352 ? 2 : 0) + (height < 480 ? 1 : 0);
}

bool NeedsZoom(int width) {
    return width > 352 && width != 720 && width != 704;
}

void FillPackedBlack(uint8_t* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) bytes[i] = (i & 1) != 0 ? 128 : 0;
}

bool SetNvidiaColour(NvConfColor* colour, uint32_t property, int32_t value) {
    const float v = float(Clamp(value));
    switch (property) {
        case kPropBrightness:
            colour->brightness = v / 32.0f;
            return true;
        case kPropContrast:
            colour->contrast = (v + 32.0f) / 32.0f;
            return true;
        case kPropHue:
            colour->hue = v * 90.0f / 32.0f;
            return true;
        case kPropSaturation:
            colour->saturation = (v + 32.0f) / 32.0f;
            return true;
        default:
            return false;
    }
}

int32_t NvidiaColourControl(const NvConfColor& colour, uint32_t property) {
    switch (property) {
        case kPropBrightness:
            return Truncate(colour.brightness * 32.0f);
        case kPropContrast:
            return Truncate((colour.contrast - 1.0f) * 32.0f);
        case kPropHue:
            return Truncate(colour.hue * 32.0f / 90.0f);
        case kPropSaturation:
            return Truncate((colour.saturation - 1.0f) * 32.0f);
        default:
            return 0;
    }
}
