// The colour constants the kernels apply: folded from a colour record once per
// change, laid out as 16-byte rows so a 16-pixel step loads them directly.
// Chroma rows alternate U (even positions) and V (odd positions).
#pragma once

#include <cstdint>

#include "video/render/picture.h"

enum ColourMode : int {
    kColourAddSubtract = 0,  // saturating add and subtract only
    kColourGain = 1,         // gain about a centre (contrast, saturation)
    kColourHueT = 2,         // adds hue rotation and the quadratic T term
};

struct alignas(16) ColourConstants {
    uint8_t lumaAdd[16];
    uint8_t lumaSubtract[16];
    uint8_t chromaAdd[16];
    uint8_t chromaSubtract[16];
    int16_t lumaGain[8];    // 8.8 fixed point
    int16_t chromaGain[8];  // S, or S cos(theta) with hue
    int16_t lumaCentre[8];
    int16_t chromaCentre[8];
    int16_t hue[8];  // -S sin(theta) at U, +S sin(theta) at V
    int16_t tWord[8];
    // Mode-0 add and subtract bytes are all zero, so mode 0 leaves samples as they are.
    bool lumaUnchanged;
    bool chromaUnchanged;
};

// Neutral constants: every kernel reproduces its input with them.
ColourConstants NeutralColourConstants();

// Folds a record into constants and returns the colour mode it needs. Hue and
// T take effect only with the capability bit.
int ComputeColourConstants(const CVRLNColourRecord& record, bool capability, ColourConstants* out);

// The process-wide constants shared by every processor. Writers and readers
// are serialised, so a frame never sees half an update.
void PublishColourConstants(const ColourConstants& constants);
ColourConstants CurrentColourConstants();
