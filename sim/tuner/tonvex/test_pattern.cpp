// Drawing of the simulated card's pictures: patterns after the vivid driver's, a 5 x 7 digit
// font scaled up, and deterministic noise from a per-frame xorshift sequence.
#include "sim/tuner/tonvex/test_pattern.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sim/tuner/builtin_tables.h"

namespace tonvex {
namespace {

struct Rgb {
    int r, g, b;
};

constexpr Rgb kBarColours[8] = {{1, 1, 1}, {1, 1, 0}, {0, 1, 1}, {0, 1, 0},
                                {1, 0, 1}, {1, 0, 0}, {0, 0, 1}, {0, 0, 0}};

// 5 x 7 digits, one row a byte, bit 4 the leftmost column.
constexpr uint8_t kDigitFont[10][7] = {
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
};

constexpr int kDigitScale = 10;  // one font cell is 10 x 10 pixels
constexpr int kDigitLeft = 40;
constexpr int kDigitTop = 40;
constexpr int kDigitPad = 10;

Rgb Scaled(const Rgb& c, int full) {
    return {c.r * full, c.g * full, c.b * full};
}

Rgb PatternPixel(int pattern, int x, int y, int w, int h) {
    const Rgb white{255, 255, 255}, black{0, 0, 0};
    switch (pattern) {
        case simtuner::kPatternColorBars75:
            return Scaled(kBarColours[x * 8 / w], 191);
        case simtuner::kPatternColorBars100:
            return Scaled(kBarColours[x * 8 / w], 255);
        case simtuner::kPatternCheckers16:
            return ((x / 16 + y / 16) % 2) ? white : black;
        case simtuner::kPatternGrayRamp: {
            const int v = x * 255 / (w - 1);
            return {v, v, v};
        }
        case simtuner::kPatternHorizontalLines:
            return (y % 2) ? black : white;
        case simtuner::kPatternVerticalLines:
            return (x % 2) ? black : white;
        case simtuner::kPatternCross:
            return (std::abs(x - w / 2) < 5 || std::abs(y - h / 2) < 5) ? white : black;
        default:  // colour squares: a 4 x 2 grid of the bar colours
            return Scaled(kBarColours[(y * 2 / h) * 4 + x * 4 / w], 255);
    }
}

uint8_t Clamp(int v, int lo, int hi) {
    return static_cast<uint8_t>(std::min(hi, std::max(lo, v)));
}

// BT.601 studio range.
void RgbToYuv(const Rgb& c, int* y, int* u, int* v) {
    *y = ((66 * c.r + 129 * c.g + 25 * c.b + 128) >> 8) + 16;
    *u = ((-38 * c.r - 74 * c.g + 112 * c.b + 128) >> 8) + 128;
    *v = ((112 * c.r - 94 * c.g - 18 * c.b + 128) >> 8) + 128;
}

// Paints the number in white digits on a black box into an RGB canvas.
void DrawNumber(int number, int w, int h, std::vector<Rgb>* canvas) {
    const std::string text = std::to_string(number);
    const int digitWidth = 5 * kDigitScale, gap = kDigitScale;
    const int boxRight = kDigitLeft + static_cast<int>(text.size()) * (digitWidth + gap) - gap;
    const int boxBottom = kDigitTop + 7 * kDigitScale;
    for (int y = kDigitTop - kDigitPad; y < boxBottom + kDigitPad && y < h; ++y)
        for (int x = kDigitLeft - kDigitPad; x < boxRight + kDigitPad && x < w; ++x)
            (*canvas)[y * w + x] = {0, 0, 0};
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t* glyph = kDigitFont[text[i] - '0'];
        const int left = kDigitLeft + static_cast<int>(i) * (digitWidth + gap);
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col) {
                if (!(glyph[row] & (0x10 >> col))) continue;
                for (int dy = 0; dy < kDigitScale; ++dy)
                    for (int dx = 0; dx < kDigitScale; ++dx) {
                        const int x = left + col * kDigitScale + dx;
                        const int y = kDigitTop + row * kDigitScale + dy;
                        if (x < w && y < h) (*canvas)[y * w + x] = {255, 255, 255};
                    }
            }
    }
}

// A number in 0 .. span - 1 without a division per pixel.
uint32_t Below(uint32_t random, uint32_t span) {
    return static_cast<uint32_t>((static_cast<uint64_t>(random) * span) >> 32);
}

uint32_t NextRandom(uint32_t* state) {
    uint32_t x = *state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    *state = x;
    return x;
}

}  // namespace

FrameFormat FormatForVideoType(int videoType) {
    return videoType == 0 ? FrameFormat{720, 480, 30} : FrameFormat{720, 576, 25};
}

int NoiseForDistance(int distanceKHz) {
    return std::min(127, 3 + std::abs(distanceKHz) / 12);
}

void FrameRenderer::BuildBase(const Picture& picture, const FrameFormat& format) {
    const int w = format.width, h = format.height;
    std::vector<Rgb> canvas(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            canvas[y * w + x] = picture.kind == Picture::kExternalInput
                                    ? Rgb{0, 0, 160}
                                    : PatternPixel(picture.pattern, x, y, w, h);
    DrawNumber(picture.number, w, h, &canvas);
    base_.resize(format.Bytes());
    for (int i = 0; i < w * h; i += 2) {
        int y0, u0, v0, y1, u1, v1;
        RgbToYuv(canvas[i], &y0, &u0, &v0);
        RgbToYuv(canvas[i + 1], &y1, &u1, &v1);
        uint8_t* p = &base_[i * 2];
        p[0] = static_cast<uint8_t>(y0);
        p[1] = static_cast<uint8_t>((u0 + u1 + 1) / 2);
        p[2] = static_cast<uint8_t>(y1);
        p[3] = static_cast<uint8_t>((v0 + v1 + 1) / 2);
    }
    basePicture_ = picture;
    baseFormat_ = format;
}

void FrameRenderer::Render(const Picture& picture, const FrameFormat& format, uint64_t index,
                           uint8_t* out) {
    const int bytes = format.Bytes();
    uint32_t state = static_cast<uint32_t>(index * 0x9E3779B1u) ^ 0x5A17C0DEu;
    if (state == 0) state = 1;
    if (picture.kind == Picture::kSnow) {
        for (int i = 0; i < bytes; i += 2) {
            out[i] = static_cast<uint8_t>(16 + Below(NextRandom(&state), 220));
            out[i + 1] = 128;
        }
        return;
    }
    if (base_.empty() || !(basePicture_ == picture) || baseFormat_.width != format.width ||
        baseFormat_.height != format.height)
        BuildBase(picture, format);
    std::memcpy(out, base_.data(), bytes);
    const int a = picture.kind == Picture::kStation ? picture.noiseAmplitude : 0;
    if (a <= 0) return;
    const uint32_t span = 2 * static_cast<uint32_t>(a) + 1;
    for (int i = 0; i < bytes; i += 2) {
        const int noise = static_cast<int>(Below(NextRandom(&state), span)) - a;
        out[i] = Clamp(out[i] + noise, 16, 235);
    }
}

void YuyvToBgr(const uint8_t* yuyv, int width, int height, uint8_t* bgr) {
    for (int i = 0; i < width * height; ++i) {
        const uint8_t* pair = yuyv + (i / 2) * 4;
        const int c = (i % 2 ? pair[2] : pair[0]) - 16;
        const int d = pair[1] - 128, e = pair[3] - 128;
        bgr[3 * i + 0] = Clamp((298 * c + 516 * d + 128) >> 8, 0, 255);
        bgr[3 * i + 1] = Clamp((298 * c - 100 * d - 208 * e + 128) >> 8, 0, 255);
        bgr[3 * i + 2] = Clamp((298 * c + 409 * e + 128) >> 8, 0, 255);
    }
}

}  // namespace tonvex
