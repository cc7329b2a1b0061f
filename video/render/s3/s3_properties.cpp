// Properties of the S3 Twister renderer: the colour key, and brightness and
// contrast through the library's one property word, both ways.
#include <mutex>

#include "video/render/s3/s3_property_word.h"
#include "video/render/s3/s3_renderer.h"

namespace {

bool Answers(uint32_t id) {
    return id == kPropColourKey || id == kPropBrightness || id == kPropContrast;
}

}  // namespace

int32_t CVRLNS3Twister::SetProperty(const VRLNPropertySetId* set, uint32_t id, const void*,
                                    uint32_t, const void* value, uint32_t length) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    if (!Answers(id)) return kVrlnPropertyNotFound;
    int32_t v = 0;
    const int32_t read = ReadPropertyValue(value, length, &v);
    if (read != 0) return read;
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (!Bound()) return kVrlnFailure;
    if (id == kPropColourKey) {
        colourKey_ = uint32_t(v);
        calls_.setColourKey(colourKey_);
        return 0;
    }
    const uint32_t p = calls_.getVideoProperty();
    calls_.setVideoProperty(id == kPropBrightness ? S3BrightnessWord(p, v) : S3ContrastWord(p, v));
    return 0;
}

int32_t CVRLNS3Twister::GetProperty(const VRLNPropertySetId* set, uint32_t id, const void*,
                                    uint32_t, void* value, uint32_t length, uint32_t* returned) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    if (!Answers(id)) return kVrlnPropertyNotFound;
    // A size query or a bad buffer is answered without asking the library.
    if (value == nullptr || length < 4) return WritePropertyValue(value, length, returned, 0);
    std::lock_guard<CRendererMutex> lock(mutex_);
    int32_t answer = int32_t(colourKey_);
    if (id != kPropColourKey) {
        if (!Bound()) return kVrlnFailure;
        const uint32_t p = calls_.getVideoProperty();
        answer = id == kPropBrightness ? S3BrightnessValue(p) : S3ContrastValue(p);
    }
    return WritePropertyValue(value, length, returned, answer);
}
