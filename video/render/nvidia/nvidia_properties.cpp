// Properties of the NVIDIA renderer: the colour controls as the library's
// floats, both ways, and the ids it accepts without acting on them.
#include <mutex>

#include "video/render/nvidia/nvidia_renderer.h"

namespace {

bool IsColour(uint32_t id) {
    return id == kPropBrightness || id == kPropContrast || id == kPropHue || id == kPropSaturation;
}

// Accepted so a host may set them on any renderer; nothing changes.
bool IsIgnored(uint32_t id) {
    return id == kPropColourKey || id == kPropDisplayOutput || id == kPropRestoreDisplay;
}

}  // namespace

int32_t CVRLNNvidia::SendColourLocked() {
    if (!Bound() || calls_.setConfColor(colour_) < 0) return kVrlnFailure;
    return 0;
}

int32_t CVRLNNvidia::SetProperty(const VRLNPropertySetId* set, uint32_t id, const void*, uint32_t,
                                 const void* value, uint32_t length) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    if (!IsColour(id) && !IsIgnored(id) && id != kPropResetColours) return kVrlnPropertyNotFound;
    int32_t v = 0;
    if (id != kPropResetColours) {
        const int32_t read = ReadPropertyValue(value, length, &v);
        if (read != 0) return read;
    }
    if (IsIgnored(id)) return 0;
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (id == kPropResetColours) {
        const NvConfColor initial = InitialColourConfiguration();
        colour_.brightness = initial.brightness;
        colour_.contrast = initial.contrast;
        colour_.saturation = initial.saturation;
        colour_.hue = initial.hue;
    } else {
        SetNvidiaColour(&colour_, id, v);
    }
    return SendColourLocked();
}

int32_t CVRLNNvidia::GetProperty(const VRLNPropertySetId* set, uint32_t id, const void*, uint32_t,
                                 void* value, uint32_t length, uint32_t* returned) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    if (!IsColour(id)) return kVrlnPropertyNotFound;
    if (value == nullptr || length < 4) return WritePropertyValue(value, length, returned, 0);
    std::lock_guard<CRendererMutex> lock(mutex_);
    return WritePropertyValue(value, length, returned, NvidiaColourControl(colour_, id));
}
