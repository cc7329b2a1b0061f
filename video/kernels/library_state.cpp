// Storage of the library-wide processing words.
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
