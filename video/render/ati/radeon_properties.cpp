// Properties of the ATI overlay renderer: colour key, the colour transform
// both ways, sharpness, display-output switching, suspend and resume.
#include <algorithm>
#include <mutex>

#include "video/render/ati/radeon_renderer.h"

namespace {

constexpr int32_t kTelevisionOn = 0;
constexpr int32_t kTelevisionOff = 64;
constexpr int32_t kTransformLimit = 100;
constexpr int kPanelAndCrt = kRadeonDisplayCrt | kRadeonDisplayPanel;

bool IsColour(uint32_t id) {
    return id >= kPropBrightness && id <= kPropSaturation;
}

// Ids whose set carries no value.
bool TakesNoValue(uint32_t id) {
    return id == kPropSuspendVideo || id == kPropResumeVideo || id == kPropResetColours;
}

bool Answers(uint32_t id) {
    return IsColour(id) || id == kPropColourKey || id == kPropSharpness ||
           id == kPropDisplayOutput || id == kPropRestoreDisplay || TakesNoValue(id);
}

// A control value -32 ... 32 on the transform's -100 ... 100 (hue over 160
// of them), clamped; wide arithmetic so no input overflows.
int32_t TransformValue(uint32_t id, int32_t value) {
    const int64_t span = id == kPropHue ? 160 : 200;
    const int64_t scaled = int64_t(value) * span / 64;
    return int32_t(std::min<int64_t>(kTransformLimit, std::max<int64_t>(-kTransformLimit, scaled)));
}

// The stored value read back as a control value, truncated, capped at 32.
int32_t ControlValue(int32_t stored) {
    return std::min(32, stored * 32 / kTransformLimit);
}

int32_t* TransformField(RadeonTransform* t, uint32_t id) {
    switch (id) {
        case kPropBrightness:
            return &t->brightness;
        case kPropContrast:
            return &t->contrast;
        case kPropHue:
            return &t->hue;
        default:
            return &t->saturation;
    }
}

}  // namespace

int32_t CVRLNRadeon::SendTransformLocked() {
    if (!Bound() || calls_.overlaySetTransform(&transform_) == 0) return kVrlnFailure;
    return 0;
}

int32_t CVRLNRadeon::SetColourLocked(uint32_t id, int32_t value) {
    *TransformField(&transform_, id) = TransformValue(id, value);
    return SendTransformLocked();
}

// The mode of the record again, and the destination over all of it.
int32_t CVRLNRadeon::SetModeAgainLocked() {
    calls_.setMode(0, &mode_);
    ModeChangedLocked();
    DestinationFromModeLocked();
    return 0;
}

int32_t CVRLNRadeon::SwitchDisplayLocked(int32_t value) {
    if (value != kTelevisionOn && value != kTelevisionOff) return 0;
    if (!Bound()) return kVrlnFailure;
    if (value == kTelevisionOn) {
        calls_.enableDisplay(kPanelAndCrt, 0);
        calls_.setMode(0, &mode_);
        ModeChangedLocked();
        calls_.enableDisplay(kRadeonDisplayTv, 1);
    } else {
        calls_.enableDisplay(kRadeonDisplayTv, 0);
        calls_.enableDisplay(kPanelAndCrt, 1);
    }
    return SetModeAgainLocked();
}

int32_t CVRLNRadeon::RestoreDisplayLocked() {
    if (!Bound()) return kVrlnFailure;
    calls_.enableDisplay(kRadeonDisplayCrt, 1);
    return SetModeAgainLocked();
}

int32_t CVRLNRadeon::SuspendLocked() {
    suspended_ = true;
    RadeonCardInfo info{};
    if (Bound()) calls_.queryCardInfo(&info);
    return 0;
}

int32_t CVRLNRadeon::ResumeLocked() {
    if (Bound()) calls_.getMode(&mode_);
    suspended_ = false;
    ModeChangedLocked();
    DestinationFromModeLocked();
    return 0;
}

int32_t CVRLNRadeon::SetProperty(const VRLNPropertySetId* set, uint32_t id, const void*, uint32_t,
                                 const void* value, uint32_t length) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    if (!Answers(id)) return kVrlnPropertyNotFound;
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
            if (Bound()) calls_.overlaySetColourKey(1, colourKey_);
            return 0;
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
            transform_.brightness = transform_.contrast = 0;
            transform_.saturation = transform_.hue = 0;
            return SendTransformLocked();
    }
}

// Every answer comes from a stored value, so a suspended renderer answers too.
bool CVRLNRadeon::AnswerLocked(uint32_t id, int32_t* answer) const {
    if (id == kPropColourKey) {
        *answer = int32_t(colourKey_);
    } else if (id == kPropSharpness) {
        *answer = sharpness_;
    } else if (IsColour(id)) {
        RadeonTransform t = transform_;
        *answer = ControlValue(*TransformField(&t, id));
    } else {
        return false;
    }
    return true;
}

int32_t CVRLNRadeon::GetProperty(const VRLNPropertySetId* set, uint32_t id, const void*, uint32_t,
                                 void* value, uint32_t length, uint32_t* returned) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    int32_t answer = 0;
    {
        std::lock_guard<CRendererMutex> lock(mutex_);
        if (!AnswerLocked(id, &answer)) return kVrlnPropertyNotFound;
    }
    return WritePropertyValue(value, length, returned, answer);
}
