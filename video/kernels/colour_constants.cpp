// Folding colour controls into kernel constants.
#include "video/kernels/colour_constants.h"

#include <cmath>
#include <mutex>

namespace {

constexpr double kHueRadiansPerStep = 0.09817477042468094;  // pi / 32

int16_t Word(int value) {
    if (value > 32767) return 32767;
    if (value < -32768) return -32768;
    return static_cast<int16_t>(value);
}

uint8_t Byte(int value) {
    return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

// Controls beyond the documented range would overflow the 16-bit words.
int Clamp32(int value) {
    return value < -32 ? -32 : (value > 32 ? 32 : value);
}

void FillWords(int16_t* row, int even, int odd) {
    for (int i = 0; i < 8; i += 2) {
        row[i] = Word(even);
        row[i + 1] = Word(odd);
    }
}

void FillBytes(uint8_t* row, int even, int odd) {
    for (int i = 0; i < 16; i += 2) {
        row[i] = Byte(even);
        row[i + 1] = Byte(odd);
    }
}

void SplitAddSubtract(int value, int* add, int* subtract) {
    *add = value >= 0 ? value : 0;
    *subtract = value >= 0 ? 0 : -value;
}

std::mutex g_sharedLock;
ColourConstants g_shared = NeutralColourConstants();

}  // namespace

ColourConstants NeutralColourConstants() {
    ColourConstants k;
    ComputeColourConstants(CVRLNColourRecord{}, false, &k);
    return k;
}

int ComputeColourConstants(const CVRLNColourRecord& in, bool capability, ColourConstants* out) {
    const int brightness = Clamp32(in.brightness);
    const int contrast = Clamp32(in.contrast);
    const int saturation = Clamp32(in.saturation);
    const int hue = Clamp32(in.hue);
    const int t = Clamp32(in.t);
    const int uOffset = Clamp32(in.uOffset);
    const int vOffset = Clamp32(in.vOffset);
    int mode = kColourAddSubtract;
    int add, subtract, uAdd, uSub, vAdd, vSub;
    SplitAddSubtract(brightness, &add, &subtract);
    SplitAddSubtract(uOffset, &uAdd, &uSub);
    SplitAddSubtract(vOffset, &vAdd, &vSub);
    FillBytes(out->lumaAdd, add, add);
    FillBytes(out->lumaSubtract, subtract, subtract);
    FillBytes(out->chromaAdd, uAdd, vAdd);
    FillBytes(out->chromaSubtract, uSub, vSub);
    int lumaCentre = brightness + 128;
    int lumaGain = contrast * 8 + 256;
    int chromaGain = saturation * 8 + 256;
    int hueU = 0, hueV = 0, tWord = 0;
    if (contrast != 0 || saturation != 0) mode = kColourGain;
    if (capability && hue != 0) {
        mode = kColourHueT;
        const double theta = hue * kHueRadiansPerStep;
        const double s = chromaGain;
        hueU = static_cast<int>(-s * std::sin(theta));
        hueV = static_cast<int>(s * std::sin(theta));
        chromaGain = static_cast<int>(s * std::cos(theta));
    }
    if (capability && t != 0) {
        mode = kColourHueT;
        tWord = -8 * t;
        lumaCentre += 2 * t;
        lumaGain += 2 * t;
    }
    FillWords(out->lumaGain, lumaGain, lumaGain);
    FillWords(out->chromaGain, chromaGain, chromaGain);
    FillWords(out->lumaCentre, lumaCentre, lumaCentre);
    FillWords(out->chromaCentre, uOffset + 128, vOffset + 128);
    FillWords(out->hue, hueU, hueV);
    FillWords(out->tWord, tWord, tWord);
    out->lumaUnchanged = brightness == 0;
    out->chromaUnchanged = uOffset == 0 && vOffset == 0;
    return mode;
}

void PublishColourConstants(const ColourConstants& constants) {
    std::lock_guard<std::mutex> hold(g_sharedLock);
    g_shared = constants;
}

ColourConstants CurrentColourConstants() {
    std::lock_guard<std::mutex> hold(g_sharedLock);
    return g_shared;
}
