// Properties of the SiS renderer: the colour key, and brightness and
// contrast as the library's one-byte levels.
#include <algorithm>
#include <mutex>

#include "video/render/sis/sis_renderer.h"

namespace {

bool Answers(uint32_t id) {
    return id == kPropColourKey || id == kPropBrightness || id == kPropContrast;
}

// -32 ... +32 to a level 0 ... 255 (128 neutral). The value is clamped
// first: unclamped, -100 would wrap round to a bright byte.
uint8_t SisLevel(int32_t value) {
    const int32_t clamped = std::min(32, std::max(-32, value));
    return uint8_t(std::min(255, clamped * 4 + 128));
}

int32_t SisControlValue(int level) {
    return (level / 4) % 64 - 32;
}

}  // namespace

int32_t CVRLNSiS::SetProperty(const VRLNPropertySetId* set, uint32_t id, const void*, uint32_t,
                              const void* value, uint32_t length) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    if (!Answers(id)) return kVrlnPropertyNotFound;
    int32_t v = 0;
    const int32_t read = ReadPropertyValue(value, length, &v);
    if (read != 0) return read;
    std::lock_guard<CRendererMutex> lock(mutex_);
    if (id == kPropColourKey) {
        // Used by the next window call.
        colourKey_ = uint32_t(v);
        return 0;
    }
    if (!Bound()) return kVrlnFailure;
    const int sent = id == kPropBrightness ? calls_.setVideoBrightness(SisLevel(v))
                                           : calls_.setVideoContrast(SisLevel(v));
    return sent == 0 ? 0 : kVrlnFailure;
}

int32_t CVRLNSiS::GetProperty(const VRLNPropertySetId* set, uint32_t id, const void*, uint32_t,
                              void* value, uint32_t length, uint32_t* returned) {
    if (set == nullptr || !(*set == VideoRendererPropertySet)) return kVrlnPropertySetNotFound;
    if (!Answers(id)) return kVrlnPropertyNotFound;
    // A size query or a bad buffer is answered without asking the library.
    if (value == nullptr || length < 4) return WritePropertyValue(value, length, returned, 0);
    std::lock_guard<CRendererMutex> lock(mutex_);
    int32_t answer = int32_t(colourKey_);
    if (id != kPropColourKey) {
        if (!Bound()) return kVrlnFailure;
        answer = SisControlValue(id == kPropBrightness ? calls_.getVideoBrightness()
                                                       : calls_.getVideoContrast());
    }
    return WritePropertyValue(value, length, returned, answer);
}
