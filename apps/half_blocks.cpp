// Sampling the picture and writing the colour sequences, only where the colour
// changes from the cell before.
#include "apps/half_blocks.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace host {
namespace {

constexpr char kUpperHalfBlock[] = "\xe2\x96\x80";
constexpr int kCubeLevels[6] = {0, 95, 135, 175, 215, 255};

struct Colour {
    int r = 0, g = 0, b = 0;
    bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
};

Colour Sample(const RgbPicture& picture, int x, int y) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() < size_t(picture.width) * picture.height * 3)
        return {};
    const uint8_t* p = picture.PixelAt(x, y);
    return {p[0], p[1], p[2]};
}

int NearestCubeIndex(int value) {
    int best = 0;
    for (int i = 1; i < 6; ++i)
        if (std::abs(kCubeLevels[i] - value) < std::abs(kCubeLevels[best] - value)) best = i;
    return best;
}

int Distance(int r, int g, int b, int r2, int g2, int b2) {
    return (r - r2) * (r - r2) + (g - g2) * (g - g2) + (b - b2) * (b - b2);
}

void AppendColour(std::string* out, bool foreground, const Colour& c, ColourDepth depth) {
    char text[32];
    if (depth == ColourDepth::kTrueColour) {
        std::snprintf(text, sizeof text, "\x1b[%d;2;%d;%d;%dm", foreground ? 38 : 48, c.r, c.g,
                      c.b);
    } else {
        std::snprintf(text, sizeof text, "\x1b[%d;5;%dm", foreground ? 38 : 48,
                      Palette256(c.r, c.g, c.b));
    }
    *out += text;
}

}  // namespace

ColourDepth ColourDepthFrom(const char* colorterm) {
    if (colorterm &&
        (std::strcmp(colorterm, "truecolor") == 0 || std::strcmp(colorterm, "24bit") == 0))
        return ColourDepth::kTrueColour;
    return ColourDepth::k256;
}

int Palette256(int r, int g, int b) {
    const int ri = NearestCubeIndex(r), gi = NearestCubeIndex(g), bi = NearestCubeIndex(b);
    const int cube = 16 + 36 * ri + 6 * gi + bi;
    const int cubeDistance = Distance(r, g, b, kCubeLevels[ri], kCubeLevels[gi], kCubeLevels[bi]);
    // Greys 232..255 are 8, 18, ..., 238.
    const int average = (r + g + b) / 3;
    int step = (average - 8 + 5) / 10;
    if (step < 0) step = 0;
    if (step > 23) step = 23;
    const int level = 8 + 10 * step;
    const int greyDistance = Distance(r, g, b, level, level, level);
    return greyDistance < cubeDistance ? 232 + step : cube;
}

std::vector<std::string> HalfBlockLines(const RgbPicture& picture, int columns, int rows,
                                        ColourDepth depth) {
    std::vector<std::string> lines;
    if (columns <= 0 || rows <= 0) return lines;
    const int halfRows = rows * 2;
    for (int row = 0; row < rows; ++row) {
        std::string line;
        line.reserve(size_t(columns) * 40);
        Colour lastTop, lastBottom;
        bool first = true;
        for (int col = 0; col < columns; ++col) {
            // The centre of each cell's two halves.
            const int x = (2 * col + 1) * picture.width / (2 * columns);
            const int top = (4 * row + 1) * picture.height / (2 * halfRows);
            const int bottom = (4 * row + 3) * picture.height / (2 * halfRows);
            const Colour upper = Sample(picture, x, top);
            const Colour lower = Sample(picture, x, bottom);
            if (first || !(upper == lastTop)) AppendColour(&line, true, upper, depth);
            if (first || !(lower == lastBottom)) AppendColour(&line, false, lower, depth);
            lastTop = upper;
            lastBottom = lower;
            first = false;
            line += kUpperHalfBlock;
        }
        line += "\x1b[0m";
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace host
