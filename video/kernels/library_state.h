// Library-wide words, in one place: those that renderers set and every
// processor reads (below: those only the renderers share): the
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

// The words the renderers share: the flag word cleared at each
// renderer choice (bit 2 turns deinterlacing off for every picture), the
// deinterlacing options word that the mode word is made from (0, and nothing
// in this library changes it), the configured output size and the last
// changed frame size. Atomics, as the
// capture thread reads what the caller's thread sets.
constexpr uint32_t kRendererFlagNoDeinterlace = 0x4;

void SetRendererFlags(uint32_t flags);
uint32_t RendererFlags();

void SetDeinterlaceOptions(uint32_t options);
uint32_t DeinterlaceOptions();

void SetConfiguredOutputSize(int32_t width, int32_t height);
int32_t ConfiguredOutputWidth();
int32_t ConfiguredOutputHeight();

// The picture size at the last change of surfaces, which the hardware
// renderers record when they re-create them.
void SetLastChangedFrameSize(int32_t width, int32_t height);
int32_t LastChangedFrameWidth();
int32_t LastChangedFrameHeight();

// The mode word for a picture: 0 when deinterlacing is off for it, else from
// the options (bit 2: 0x402, bit 3: 0x406; bit 0: 0x100, bit 1: 0x200).
uint32_t DeinterlaceModeFor(bool pictureOff, uint32_t flags, uint32_t options);
