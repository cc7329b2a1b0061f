// Composition of the scan-out and the .bmp file of it.
#include "sim/display/scan_out.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "sim/display/pixels.h"
#include "sim/display/yuv_colour.h"

namespace simdisplay {
namespace {

struct Frame {
    int width;
    int height;
    std::vector<uint8_t>* rgb;
    uint8_t* At(int x, int y) { return rgb->data() + (size_t(y) * width + x) * 3; }
};

void PaintDesktop(Controller& c, Frame* out) {
    const DisplayMode& mode = c.Mode();
    const uint8_t* screen = c.Memory().At(0, mode.ScreenBytes());
    if (screen == nullptr) return;
    for (int y = 0; y < mode.height; ++y) {
        const uint8_t* line = screen + size_t(y) * mode.LineLength();
        for (int x = 0; x < mode.width; ++x)
            PixelToRgb(ReadPixel(line + x * mode.BytesPerPixel(), mode.bits), mode.bits,
                       out->At(x, y));
    }
}

// White, yellow, cyan, green, magenta, red, blue, black.
void PaintColourBars(Frame* out) {
    static const uint8_t kBars[8][3] = {{255, 255, 255}, {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                                        {255, 0, 255},   {255, 0, 0},   {0, 0, 255},   {0, 0, 0}};
    for (int y = 0; y < out->height; ++y)
        for (int x = 0; x < out->width; ++x) {
            const uint8_t* bar = kBars[x * 8 / out->width];
            std::copy(bar, bar + 3, out->At(x, y));
        }
}

// Reads Y, U and V of a source pixel; false outside the source.
class SourceReader {
  public:
    SourceReader(const VideoMemory& memory, const OverlaySource& s) : s_(s) {
        if (s.width <= 0 || s.height <= 0 || s.pitch <= 0) return;
        const size_t last = size_t(s.height - 1) * size_t(s.pitch);
        if (s.layout == Layout::kPacked422) {
            luma_ = memory.At(s.offset, last + size_t((s.width + 1) / 2) * 4);
        } else {
            const size_t chromaLast =
                size_t(std::max(0, (s.height + 1) / 2 - 1)) * size_t(s.chromaPitch) +
                size_t((s.width + 1) / 2);
            luma_ = memory.At(s.offset, last + size_t(s.width));
            v_ = memory.At(s.vOffset, chromaLast);
            u_ = memory.At(s.uOffset, chromaLast);
            if (v_ == nullptr || u_ == nullptr) luma_ = nullptr;
        }
    }
    bool Valid() const { return luma_ != nullptr; }

    bool Read(int x, int y, uint8_t* Y, uint8_t* U, uint8_t* V) const {
        if (x < 0 || y < 0 || x >= s_.width || y >= s_.height) return false;
        if (s_.layout == Layout::kPacked422) {
            const uint8_t* pair = luma_ + size_t(y) * s_.pitch + size_t(x / 2) * 4;
            *Y = pair[(x & 1) * 2];
            *U = pair[1];
            *V = pair[3];
            return true;
        }
        *Y = luma_[size_t(y) * s_.pitch + x];
        const size_t chroma = size_t(y / 2) * s_.chromaPitch + size_t(x / 2);
        *U = u_[chroma];
        *V = v_[chroma];
        return true;
    }

  private:
    OverlaySource s_;
    const uint8_t* luma_ = nullptr;
    const uint8_t* u_ = nullptr;
    const uint8_t* v_ = nullptr;
};

// The screen columns (or rows) of an area, clipped to the screen, with the
// source index each one shows.
std::vector<std::pair<int, int>> Walk(int start, int length, int screen, int cropStart,
                                      int cropLength) {
    std::vector<std::pair<int, int>> steps;
    if (length <= 0) return steps;
    const int first = std::max(start, 0),
              end = int(std::min<int64_t>(int64_t(start) + length, screen));
    for (int p = first; p < end; ++p) {
        const int64_t index = int64_t(p - start) * cropLength / length;
        steps.emplace_back(p, cropStart + int(index));
    }
    return steps;
}

void PaintBlack(Frame* out, const Area& a) {
    const int x0 = std::max(a.x, 0), y0 = std::max(a.y, 0);
    const int x1 = int(std::min<int64_t>(int64_t(a.x) + a.width, out->width));
    const int y1 = int(std::min<int64_t>(int64_t(a.y) + a.height, out->height));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) std::fill(out->At(x, y), out->At(x, y) + 3, 0);
}

void PaintOverlay(Controller& c, Frame* out) {
    const OverlayPlane& o = c.Overlay();
    if (!o.enabled) return;
    const DisplayMode& mode = c.Mode();
    const uint8_t* screen = c.Memory().At(0, mode.ScreenBytes());
    const SourceReader reader(c.Memory(), o.source);
    if (screen == nullptr || !reader.Valid()) return;
    if (o.backdrop) PaintBlack(out, o.backdropArea);
    const Area crop = o.cropped ? o.crop : Area{0, 0, o.source.width, o.source.height};
    if (crop.width <= 0 || crop.height <= 0) return;
    const auto columns = Walk(o.destination.x, o.destination.width, mode.width, crop.x, crop.width);
    const auto rows = Walk(o.destination.y, o.destination.height, mode.height, crop.y, crop.height);
    const YuvColour colour(o.controls);
    const uint32_t mask = KeyMask(mode.bits);
    for (const auto& row : rows) {
        const uint8_t* line = screen + size_t(row.first) * mode.LineLength();
        for (const auto& column : columns) {
            if (o.keying && (ReadPixel(line + column.first * mode.BytesPerPixel(), mode.bits) &
                             mask) != (o.colourKey & mask))
                continue;
            uint8_t y, u, v;
            uint8_t* pixel = out->At(column.first, row.first);
            if (reader.Read(column.second, row.second, &y, &u, &v))
                colour.ToRgb(y, u, v, pixel);
            else
                std::fill(pixel, pixel + 3, 0);
        }
    }
}

int BlendFactor(int factor, int constant, int alpha) {
    switch (factor) {
        case 0:
            return 0;
        case 1:
            return 255;
        case 2:
            return constant;
        case 3:
            return 255 - constant;
        case 4:
            return alpha;
        default:
            return 255 - alpha;
    }
}

void PaintOsd(const OsdImage& osd, Frame* out) {
    if (osd.width <= 0 || osd.height <= 0) return;
    for (int y = 0; y < out->height; ++y) {
        const int oy = int(int64_t(y) * osd.height / out->height);
        for (int x = 0; x < out->width; ++x) {
            const int ox = int(int64_t(x) * osd.width / out->width);
            const uint8_t* p = &osd.pixels[(size_t(oy) * osd.width + ox) * 4];
            const int alpha = int(p[3] * osd.opacity + 0.5f);
            const int fs = BlendFactor(osd.sourceFactor, osd.constantAlpha, alpha);
            const int fd = BlendFactor(osd.destinationFactor, osd.constantAlpha, alpha);
            uint8_t* d = out->At(x, y);
            const uint8_t src[3] = {p[2], p[1], p[0]};
            for (int k = 0; k < 3; ++k)
                d[k] = uint8_t(std::min(255, (src[k] * fs + d[k] * fd) / 255));
        }
    }
}

}  // namespace

std::vector<uint8_t> RenderScanOut(Controller& c) {
    const DisplayMode& mode = c.Mode();
    std::vector<uint8_t> rgb(size_t(mode.width) * mode.height * 3, 0);
    Frame out{mode.width, mode.height, &rgb};
    if (c.tvOutput && c.colourBars) {
        PaintColourBars(&out);
        return rgb;
    }
    PaintDesktop(c, &out);
    PaintOverlay(c, &out);
    if (c.shownOsd != nullptr) PaintOsd(*c.shownOsd, &out);
    return rgb;
}

bool WriteBmp(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t imageBytes = uint32_t(rowBytes) * uint32_t(height);
    const uint32_t fileBytes = 54 + imageBytes;
    uint8_t header[54] = {'B', 'M'};
    auto put32 = [&header](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) header[at + i] = uint8_t(v >> (8 * i));
    };
    put32(2, fileBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(width));
    put32(22, uint32_t(height));
    header[26] = 1;
    header[28] = 24;
    put32(34, imageBytes);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (file == nullptr) return false;
    bool ok = std::fwrite(header, 1, sizeof header, file.get()) == sizeof header;
    std::vector<uint8_t> row(size_t(rowBytes), 0);
    for (int y = height - 1; ok && y >= 0; --y) {
        const uint8_t* src = rgb.data() + size_t(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            row[size_t(x) * 3] = src[x * 3 + 2];
            row[size_t(x) * 3 + 1] = src[x * 3 + 1];
            row[size_t(x) * 3 + 2] = src[x * 3];
        }
        ok = std::fwrite(row.data(), 1, row.size(), file.get()) == row.size();
    }
    return ok;
}

}  // namespace simdisplay
