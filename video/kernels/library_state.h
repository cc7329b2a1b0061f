// Library-wide words that renderers set and every processor reads: the
// current frame size, the deinterlacing mode word, the size override and the
// packed kind's output variant. Each is an atomic so the capture thread and
// the caller's thread may touch them freely.
#pragma once

#include <cstdint>

// Deinterlacing mode bits; bit 1 (value 2) is the deinterlace bit the kernels test.
constexpr uint32_t kDeinterlaceBit = 0x2;

void SetDeinterlaceModeWord(uint32_t word);
uint32_t DeinterlaceModeWord();

void SetCurrentFrameSize(int32_t width, int32_t height);
int32_t CurrentFrameWidth();
int32_t CurrentFrameHeight();

// When non-zero these replace the processing rectangle's line length and line count.
void SetProcessSizeOverride(int32_t lineLength, int32_t lines);
int32_t LineLengthOverride();
int32_t LineCountOverride();

// 0: Y0 U Y1 V; 1: the second variant, U Y0 V Y1.
void SetPackedOutputVariant(int32_t variant);
int32_t PackedOutputVariant();
