// Library-wide words that renderers set and every processor reads: the
// current frame size, the deinterlacing mode word, the size override and the
// packed kind's output variant, and the conversion mode. Each is an atomic so the capture thread
// and the caller's thread may touch them freely.
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

// What the planar kinds make of a packed 4:2:2 source. By default they copy it
// unchanged, for surfaces that take the packed layout as it is; the SiS
// renderer, whose buffers are planar 4:2:0, sets kConversionRepackPacked so
// that a packed picture is first repacked into a Y plane and interleaved
// chroma (as direct play's planar path does) and then converted like any
// planar picture.
constexpr int32_t kConversionCopyPacked = 0;
constexpr int32_t kConversionRepackPacked = 7;
void SetConversionMode(int32_t mode);
int32_t ConversionMode();
