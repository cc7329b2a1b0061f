// Properties of the Intel overlay renderers: colour key, colour controls
// both ways, sharpness, and the display-output, suspend and resume ids.
#include <algorithm>
#include <mutex>

#include "video/render/intel/intel_colour_map.h"
#include "video/render/intel/intel_renderer.h"

namespace {

constexpr uint32_t kHardwareReset = 5;

bool IsColour(uint32_t id) {
    return IntelHardwareId(id) != 0;
}

// Ids whose set carries no value.
bool TakesNoValue(uint32_t id) {
    return id == kPropSuspendVideo || id == kPropResumeVideo || id == kPropResetColours;
}

}  // namespace

int32_t CVRLNI865G::SetColourLocked(uint32_t id, int32_t value) {
    const uint32_t hardwareId = IntelHardwareId(id);
    const int32_t hardware = IntelHardwareValue(id, value);
    if (!Bound() || calls_.setVideoProperty(hardwareId, hardware) == 0) return kVrlnFailure;
    hardware_[hardwareId] = hardware;
    RefreshLocked();
    return 0;
}

int32_t CVRLNI865G::ResetColoursLocked() {
    if (!Bound() || calls_.setVideoProperty(kHardwareReset, 0) == 0) return kVrlnFailure;
    hardware_[1] = 0;
    hardware_[2] = 64;
    hardware_[3] = 128;
    hardware_[4] = 0;
    RefreshLocked();
    return 0;
}

// While suspended the hardware is left alone and the values last set or read
// answer.
int32_t CVRLNI865G::GetColourLocked(uint32_t id, int32_t* value) {
    const uint32_t hardwareId = IntelHardwareId(id);
    if (!suspended_) {
        int hardware = 0;
        if (!Bound() || calls_.getVideoProperty(int(hardwareId), &hardware) == 0)
            return kVrlnFailure;
        hardware_[hardwareId] = hardware;
    }
    *value = IntelControlValue(id, hardware_[hardwareId]);
    return 0;
}

int32_t CVRLNI865G::SetProperty(const VRLNPropertySetId* set, uint32_t id, const void*, uint32_t,
                                const void* value, uint32_t length) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    const bool known = IsColour(id) || id == kPropColourKey || id == kPropSharpness ||
                       id == kPropDisplayOutput || id == kPropRestoreDisplay || TakesNoValue(id);
    if (!known) return kVrlnPropertyNotFound;
    int32_t v = 0;
    if (!TakesNoValue(id)) {
        const int32_t read = ReadPropertyValue(value, length, &v);
        if (read != 0) return read;
    }
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (IsColour(id)) return SetColourLocked(id, v);
    switch (id) {
        case kPropColourKey:
            colourKey_ = uint32_t(v);
            return Bound() && calls_.setColourKey(colourKey_) != 0 ? 0 : kVrlnFailure;
        case kPropSharpness:
            sharpness_ = std::min(32, std::max(-32, v));
            return 0;
        case kPropDisplayOutput:
            return SwitchDisplayLocked(v);
        case kPropRestoreDisplay:
            return RestoreDisplayLocked();
        case kPropSuspendVideo:
            return SuspendLocked();
        case kPropResumeVideo:
            return ResumeLocked();
        default:
            return ResetColoursLocked();
    }
}

int32_t CVRLNI865G::GetProperty(const VRLNPropertySetId* set, uint32_t id, const void*, uint32_t,
                                void* value, uint32_t length, uint32_t* returned) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    if (!IsColour(id) && id != kPropColourKey && id != kPropSharpness) return kVrlnPropertyNotFound;
    // A size query or a bad buffer is answered without asking the hardware.
    if (value == nullptr || length < 4) return WritePropertyValue(value, length, returned, 0);
    std::lock_guard<CRendererMutex> lock(mutex_);
    int32_t answer = 0;
    if (id == kPropColourKey) {
        answer = int32_t(colourKey_);
    } else if (id == kPropSharpness) {
        answer = sharpness_;
    } else {
        const int32_t got = GetColourLocked(id, &answer);
        if (got != 0) return got;
    }
    return WritePropertyValue(value, length, returned, answer);
}
