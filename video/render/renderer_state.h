// Library-wide words the renderers share: the flag word cleared at each
// renderer choice (bit 2 turns deinterlacing off for every picture), the
// deinterlacing options word that the mode word is made from (0, and nothing
// in this library changes it), the configured output size and the last
// changed frame size. Atomics, as the
// capture thread reads what the caller's thread sets.
#pragma once

#include <cstdint>

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
