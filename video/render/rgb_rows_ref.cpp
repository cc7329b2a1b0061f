// Scalar reference of the converter's line routines. It follows the fixed
// point of the fast path step by step, so the two can be compared byte for byte.
#include <algorithm>
#include <cstring>

#include "video/render/rgb_rows.h"

namespace {

int16_t Sat16(int32_t v) {
    return int16_t(std::min(32767, std::max(-32768, v)));
}

uint8_t Clamp8(int32_t v) {
    return uint8_t(std::min(255, std::max(0, v)));
}

// High half of a signed product, doubled with saturation.
int16_t Term(uint8_t chroma, int16_t factor) {
    const int32_t centred = (int32_t(chroma) - 128) * 256;
    const int32_t high = (centred * factor) >> 16;
    return Sat16(high * 2);
}

void SplitPacked(const uint8_t* lumaLine, const uint8_t* chromaLine, int width, uint8_t* y,
                 uint8_t* u, uint8_t* v) {
    for (int x = 0; x < width; ++x) y[x] = lumaLine[2 * x];
    for (int p = 0; p < width / 2; ++p) {
        u[p] = chromaLine[4 * p + 1];
        v[p] = chromaLine[4 * p + 3];
    }
    if (width % 2) {
        u[width / 2] = chromaLine[2 * (width - 1) + 1];
        v[width / 2] = 128;
    }
}

int32_t Blend(uint8_t left, uint8_t right, int16_t weight) {
    const int32_t product = (int32_t(right) - int32_t(left)) * weight;
    return int32_t(left) + ((product + 0x4000) >> 15);
}

void Scale(const uint8_t* src, const ScalePlan& plan, uint8_t* dst) {
    for (size_t j = 0; j < plan.taps.size(); ++j) {
        const ScaleTap& tap = plan.taps[j];
        dst[j] = Clamp8(Blend(src[tap.left], src[tap.right], int16_t(tap.weight << 7)));
    }
}

void Average(const uint8_t* a, const uint8_t* b, int bytes, uint8_t* out) {
    for (int i = 0; i < bytes; ++i) out[i] = uint8_t((a[i] >> 1) + (b[i] >> 1));
}

void Mean(const uint8_t* a, const uint8_t* b, int bytes, uint8_t* out) {
    for (int i = 0; i < bytes; ++i) out[i] = uint8_t((a[i] + b[i] + 1) >> 1);
}

uint8_t Over(uint8_t sample, uint8_t overlay, uint8_t keep) {
    return Clamp8(((sample * keep) >> 4) + overlay);
}

void Blend(uint8_t* samples, const uint8_t* overlay, const uint8_t* keep, int count) {
    for (int i = 0; i < count; ++i) samples[i] = Over(samples[i], overlay[i], keep[i]);
}

void BlendPairs(uint8_t* u, uint8_t* v, const uint8_t* overlay, const uint8_t* keep, int pairs) {
    for (int p = 0; p < pairs; ++p) {
        u[p] = Over(u[p], overlay[2 * p], keep[2 * p]);
        v[p] = Over(v[p], overlay[2 * p + 1], keep[2 * p + 1]);
    }
}

template <typename Pack>
void ConvertWith(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* out,
                 Pack pack) {
    for (int x = 0; x < width; ++x) {
        uint8_t bgr[3];
        ConvertPixelReference(y[x], u[x / 2], v[x / 2], bgr);
        pack(bgr, out, x);
    }
}

void Store16(uint8_t* out, int x, uint16_t value) {
    std::memcpy(out + 2 * x, &value, 2);
}

void Convert15(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* out) {
    ConvertWith(y, u, v, width, out, [](const uint8_t* c, uint8_t* o, int x) {
        Store16(o, x, uint16_t(((c[2] >> 3) << 10) | ((c[1] >> 3) << 5) | (c[0] >> 3)));
    });
}

void Convert16(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* out) {
    ConvertWith(y, u, v, width, out, [](const uint8_t* c, uint8_t* o, int x) {
        Store16(o, x, uint16_t(((c[2] >> 3) << 11) | ((c[1] >> 2) << 5) | (c[0] >> 3)));
    });
}

void Convert24(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* out) {
    ConvertWith(y, u, v, width, out,
                [](const uint8_t* c, uint8_t* o, int x) { std::memcpy(o + 3 * x, c, 3); });
}

void Convert32(const uint8_t* y, const uint8_t* u, const uint8_t* v, int width, uint8_t* out) {
    ConvertWith(y, u, v, width, out, [](const uint8_t* c, uint8_t* o, int x) {
        std::memcpy(o + 4 * x, c, 3);
        o[4 * x + 3] = 0;
    });
}

template <int Depth>
void ConvertAverage(const YuvRow& a, const YuvRow& b, int width, uint8_t* out) {
    ConvertAverageInPieces(ReferenceRgbRows(), Depth, a, b, width, out);
}

const RgbRows kReference = {"reference",
                            SplitPacked,
                            Scale,
                            Average,
                            Mean,
                            Blend,
                            BlendPairs,
                            {Convert15, Convert16, Convert24, Convert32},
                            {ConvertAverage<kRgb15>, ConvertAverage<kRgb16>, ConvertAverage<kRgb24>,
                             ConvertAverage<kRgb32>}};

}  // namespace

void ConvertPixelReference(uint8_t y, uint8_t u, uint8_t v, uint8_t bgr[3]) {
    const int16_t luma = int16_t(y << 7);
    const int16_t blue = Sat16(luma + Term(u, kBlueFromU));
    const int16_t green = Sat16(Sat16(luma + Term(u, kGreenFromU)) + Term(v, kGreenFromV));
    const int16_t red = Sat16(luma + Term(v, kRedFromV));
    bgr[0] = Clamp8(blue >> 7);
    bgr[1] = Clamp8(green >> 7);
    bgr[2] = Clamp8(red >> 7);
}

void ConvertAverageInPieces(const RgbRows& rows, int depth, const YuvRow& a, const YuvRow& b,
                            int width, uint8_t* out) {
    constexpr int kPiece = 128;  // even, so each piece starts on a pixel pair
    const int bytes = depth == kRgb32 ? 4 : (depth == kRgb24 ? 3 : 2);
    // Zeroed: the fast converts read into the padding.
    alignas(32) uint8_t y[kPiece + kRowPadding] = {};
    alignas(32) uint8_t u[kPiece / 2 + kRowPadding] = {};
    alignas(32) uint8_t v[kPiece / 2 + kRowPadding] = {};
    for (int x = 0; x < width; x += kPiece) {
        const int count = std::min(kPiece, width - x);
        const int pairs = (count + 1) / 2;
        rows.average(a.y + x, b.y + x, count, y);
        rows.average(a.u + x / 2, b.u + x / 2, pairs, u);
        rows.average(a.v + x / 2, b.v + x / 2, pairs, v);
        rows.convert[depth](y, u, v, count, out + size_t(x) * size_t(bytes));
    }
}

const RgbRows& ReferenceRgbRows() {
    return kReference;
}
