// The NVIDIA renderer's choices that need no library: the output chosen by
// SolvaneON_RESOLUTION, the initial video and colour configuration records,
// the letterbox rules of a destination, the source class of a picture size,
// and the colour properties as the library's floats and back.
#pragma once

#include <cstddef>
#include <cstdint>

#include "interfaces/abi_layout.h"
#include "interfaces/vendor/nvidia_video.h"
#include "video/render/picture.h"
#include "video/render/renderer.h"

// The records cross into the vendor library: the same layout on i386 and x86-64.
ZAQ_ASSERT_SIZE(NvConfVideo, 44, 44);
ZAQ_ASSERT_OFFSET(NvConfVideo, letterboxState, 4, 4);
ZAQ_ASSERT_OFFSET(NvConfVideo, sourceClass, 8, 8);
ZAQ_ASSERT_OFFSET(NvConfVideo, horizontalMode, 28, 28);
ZAQ_ASSERT_OFFSET(NvConfVideo, verticalMode, 32, 32);
ZAQ_ASSERT_OFFSET(NvConfVideo, field10, 40, 40);
ZAQ_ASSERT_SIZE(NvConfColor, 32, 32);
ZAQ_ASSERT_OFFSET(NvConfColor, hue, 12, 12);
ZAQ_ASSERT_OFFSET(NvConfColor, enabled, 16, 16);
ZAQ_ASSERT_OFFSET(NvConfColor, gammaBlue, 28, 28);
ZAQ_ASSERT_SIZE(NvRect, 16, 16);
ZAQ_ASSERT_OFFSET(NvRect, bottom, 12, 12);

struct NvidiaOutput {
    unsigned width;
    unsigned height;
    bool wide;
};

// 0 1024 x 768, 1 1280 x 1024, 2 1280 x 768 wide, 3 800 x 600, 4 1280 x 800
// wide; any other value 0 x 0 (which the library refuses).
NvidiaOutput NvidiaOutputFor(int resolution);

// 0, 0, 0, 5, 0, 0, 0, 1, 1, 1, 1.
NvConfVideo InitialVideoConfiguration();
// Brightness 0, contrast 1, saturation 1, hue 0, enabled, gammas 1.
NvConfColor InitialColourConfiguration();

// Sets the letterbox modes (and, in the first case, the state) for a
// destination of aspect a = width x 10 / height, truncated, with a below 15
// narrower than 3:2. A picture of the output's own shape (aspect bits 0xC00
// on a wide output, 0 on another) gets modes 0 and then vertical 1, state 0
// (narrower) or horizontal 1, state 1; any other picture horizontal 2,
// vertical 1 (narrower) or horizontal 1, vertical 2. False, with nothing
// changed, for a destination without width or height.
bool ApplyLetterbox(NvConfVideo* video, const VRLNRect& destination, bool wideOutput,
                    int32_t aspectBits);

// 0 for 720 wide, 1 for 704 wide, otherwise 2 when at most 352 wide plus 1
// when fewer than 480 lines.
int32_t SourceClassOf(int width, int height);

// Pictures above 352 wide other than 720 and 704 are shown through the
// 720 x 480 zoom buffer.
bool NeedsZoom(int width);

// Packed 4:2:2 black, the bytes 0, 128, 0, 128 repeated.
void FillPackedBlack(uint8_t* bytes, size_t count);

// Property 257 ... 260 as the colour record holds it, the value clamped to
// -32 ... 32 first: brightness value / 32, contrast and saturation
// (value + 32) / 32, hue value x 90 / 32 degrees. False for other ids.
bool SetNvidiaColour(NvConfColor* colour, uint32_t property, int32_t value);
// The control value back, in this order of operations: brightness x 32,
// (contrast - 1) x 32, hue x 32 / 90, (saturation - 1) x 32, truncated
// toward zero and capped at 32; so every value -32 ... 32 reads back as set.
int32_t NvidiaColourControl(const NvConfColor& colour, uint32_t property);
