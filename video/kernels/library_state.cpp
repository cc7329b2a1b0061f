// Storage of the library-wide words.
#include "video/kernels/library_state.h"

#include <atomic>

namespace {
std::atomic<uint32_t> g_deinterlaceMode{0};
std::atomic<int32_t> g_frameWidth{0};
std::atomic<int32_t> g_frameHeight{0};
std::atomic<int32_t> g_lineLengthOverride{0};
std::atomic<int32_t> g_lineCountOverride{0};
std::atomic<int32_t> g_packedVariant{0};
std::atomic<int32_t> g_conversionMode{kConversionCopyPacked};
}  // namespace

void SetDeinterlaceModeWord(uint32_t word) {
    g_deinterlaceMode = word;
}
uint32_t DeinterlaceModeWord() {
    return g_deinterlaceMode;
}
void SetCurrentFrameSize(int32_t width, int32_t height) {
    g_frameWidth = width;
    g_frameHeight = height;
}
int32_t CurrentFrameWidth() {
    return g_frameWidth;
}
int32_t CurrentFrameHeight() {
    return g_frameHeight;
}
void SetProcessSizeOverride(int32_t lineLength, int32_t lines) {
    g_lineLengthOverride = lineLength;
    g_lineCountOverride = lines;
}
int32_t LineLengthOverride() {
    return g_lineLengthOverride;
}
int32_t LineCountOverride() {
    return g_lineCountOverride;
}
void SetPackedOutputVariant(int32_t variant) {
    g_packedVariant = variant;
}
int32_t PackedOutputVariant() {
    return g_packedVariant;
}
void SetConversionMode(int32_t mode) {
    g_conversionMode = mode;
}
int32_t ConversionMode() {
    return g_conversionMode;
}

// The renderers' words.
namespace {
std::atomic<uint32_t> g_flags{0};
std::atomic<uint32_t> g_options{0};
std::atomic<int32_t> g_outputWidth{0};
std::atomic<int32_t> g_outputHeight{0};
std::atomic<int32_t> g_changedWidth{0};
std::atomic<int32_t> g_changedHeight{0};
}  // namespace

void SetRendererFlags(uint32_t flags) {
    g_flags = flags;
}
uint32_t RendererFlags() {
    return g_flags;
}
void SetDeinterlaceOptions(uint32_t options) {
    g_options = options;
}
uint32_t DeinterlaceOptions() {
    return g_options;
}
void SetConfiguredOutputSize(int32_t width, int32_t height) {
    g_outputWidth = width;
    g_outputHeight = height;
}
int32_t ConfiguredOutputWidth() {
    return g_outputWidth;
}
int32_t ConfiguredOutputHeight() {
    return g_outputHeight;
}

void SetLastChangedFrameSize(int32_t width, int32_t height) {
    g_changedWidth = width;
    g_changedHeight = height;
}
int32_t LastChangedFrameWidth() {
    return g_changedWidth;
}
int32_t LastChangedFrameHeight() {
    return g_changedHeight;
}

uint32_t DeinterlaceModeFor(bool pictureOff, uint32_t flags, uint32_t options) {
    if (pictureOff || (flags & kRendererFlagNoDeinterlace)) return 0;
    uint32_t mode = 0;
    if (options & 0x4)
        mode = 0x402;
    else if (options & 0x8)
        mode = 0x406;
    mode = (options & 0x1) ? (mode | 0x100) : (mode & ~0x100u);
    mode = (options & 0x2) ? (mode | 0x200) : (mode & ~0x200u);
    return mode;
}
