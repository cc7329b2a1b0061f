// Brightness and contrast in the S3 property word.
#include "video/render/s3/s3_property_word.h"

#include <algorithm>

namespace {

constexpr uint32_t kLevelsApply = 0x8000;
constexpr uint32_t kBrightnessBits = 0xFF;
constexpr uint32_t kContrastBits = 0x7F00;  // bits 8 ... 14

// Wide arithmetic, so no value can overflow before it is clamped.
uint32_t Clamp(int64_t level, int64_t top) {
    return uint32_t(std::min<int64_t>(top, std::max<int64_t>(0, level)));
}

}  // namespace

uint32_t S3BrightnessWord(uint32_t p, int32_t value) {
    const uint32_t level = Clamp(int64_t(value) * 4 + 128, 255);
    const uint32_t base = p == 0 ? kS3BrightnessBaseWord : (p & ~kBrightnessBits);
    return base | level | kLevelsApply;
}

uint32_t S3ContrastWord(uint32_t p, int32_t value) {
    const uint32_t level = Clamp((int64_t(value) * 32 + 1024) / 64, 31);
    const uint32_t base = p == 0 ? kS3ContrastBaseWord : (p & ~kContrastBits);
    return base | (level << 8) | kLevelsApply;
}

int32_t S3BrightnessValue(uint32_t p) {
    const int32_t level = p == 0 ? 32 : int32_t((p / 4) % 64);
    return level - 32;
}

int32_t S3ContrastValue(uint32_t p) {
    const int32_t level = p == 0 ? 16 : int32_t((p / 256) % 32);
    return level * 2 - 32;
}
