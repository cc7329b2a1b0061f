// Row readers per output layout and the bitmap writer.
#include "video/render/capture_bitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

uint8_t Clamp8(int64_t v) {
    return uint8_t(std::min<int64_t>(255, std::max<int64_t>(0, v)));
}

void Put32(uint8_t* p, uint32_t v) {
    std::memcpy(p, &v, 4);
}

void Put16(uint8_t* p, uint16_t v) {
    std::memcpy(p, &v, 2);
}

uint16_t Word(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

using RowReader = void (*)(const CaptureSource& s, int row, uint8_t* bgr);

void Read555(const CaptureSource& s, int row, uint8_t* bgr) {
    const uint8_t* line = s.pixels + size_t(row) * s.pitch;
    for (int x = 0; x < s.width; ++x) {
        const uint16_t p = Word(line + 2 * x);
        bgr[3 * x] = uint8_t((p & 0x1F) * 8);
        bgr[3 * x + 1] = uint8_t(((p >> 5) & 0x1F) * 8);
        bgr[3 * x + 2] = uint8_t(((p >> 10) & 0x1F) * 8);
    }
}

void Read565(const CaptureSource& s, int row, uint8_t* bgr) {
    const uint8_t* line = s.pixels + size_t(row) * s.pitch;
    for (int x = 0; x < s.width; ++x) {
        const uint16_t p = Word(line + 2 * x);
        bgr[3 * x] = uint8_t((p & 0x1F) * 8);
        bgr[3 * x + 1] = uint8_t(((p >> 5) & 0x3F) * 4);
        bgr[3 * x + 2] = uint8_t((p >> 11) * 8);
    }
}

template <int Bytes>
void ReadBytes(const CaptureSource& s, int row, uint8_t* bgr) {
    const uint8_t* line = s.pixels + size_t(row) * s.pitch;
    for (int x = 0; x < s.width; ++x) std::memcpy(bgr + 3 * x, line + Bytes * x, 3);
}

void ReadPacked(const CaptureSource& s, int row, uint8_t* bgr) {
    const uint8_t* line = s.pixels + size_t(row) * s.pitch;
    for (int x = 0; x + 1 < s.width; x += 2) {
        const uint8_t* pair = line + 2 * x;
        Bt709ToBgr(pair[0], pair[1], pair[3], bgr + 3 * x);
        Bt709ToBgr(pair[2], pair[1], pair[3], bgr + 3 * x + 3);
    }
}

void ReadPlanar(const CaptureSource& s, int row, uint8_t* bgr) {
    const uint8_t* line = s.pixels + size_t(row) * s.pitch;
    const uint8_t* u = s.u + size_t(row / 2) * s.chromaPitch;
    const uint8_t* v = s.v + size_t(row / 2) * s.chromaPitch;
    for (int x = 0; x < s.width; ++x) Bt709ToBgr(line[x], u[x / 2], v[x / 2], bgr + 3 * x);
}

struct Layout {
    uint32_t tag;
    int minimumPitchPerPixel;  // bytes a line needs per pixel
    RowReader read;
};

// Tags without an entry are read as packed 4:2:2.
constexpr Layout kLayouts[] = {
    {kTagRgb555, 2, Read555},     {kTagRgb565, 2, Read565},       {kTagRgb24, 3, ReadBytes<3>},
    {kTagRgb32, 4, ReadBytes<4>}, {kTagPlanar420, 1, ReadPlanar},
};
constexpr Layout kPackedLayout = {kTagPacked422, 2, ReadPacked};

const Layout& LayoutOf(uint32_t tag) {
    for (const Layout& l : kLayouts)
        if (l.tag == tag) return l;
    return kPackedLayout;
}

void WriteHeader(int bitCount, int width, int height, uint8_t* h) {
    std::memset(h, 0, kBitmapHeaderBytes);
    Put32(h, kBitmapHeaderBytes);
    Put32(h + 4, uint32_t(width));
    Put32(h + 8, uint32_t(height));
    Put16(h + 12, 1);
    Put16(h + 14, uint16_t(bitCount));
    Put32(h + 24, 1);  // resolutions 1 and 1
    Put32(h + 28, 1);
}

void WritePalette(uint8_t* palette) {
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8; ++j)
            for (int k = 0; k < 4; ++k) {
                uint8_t* entry = palette + 4 * (32 * i + 4 * j + k);
                entry[0] = uint8_t(85 * k);
                entry[1] = uint8_t(j * 255 / 7);
                entry[2] = uint8_t(i * 255 / 7);
                entry[3] = 0;
            }
}

bool Readable(const CaptureSource& s, const Layout& layout) {
    if (s.pixels == nullptr || s.width <= 0 || s.height <= 0) return false;
    if (s.pitch < s.width * layout.minimumPitchPerPixel) return false;
    return layout.tag != kTagPlanar420 || (s.u != nullptr && s.v != nullptr);
}

}  // namespace

bool IsRgbTag(uint32_t tag) {
    return tag == kTagRgb555 || tag == kTagRgb565 || tag == kTagRgb24 || tag == kTagRgb32;
}

void Bt709ToBgr(int y, int u, int v, uint8_t bgr[3]) {
    const int64_t luma = int64_t(y - 16) * 76309;
    const int64_t cu = u - 128, cv = v - 128;
    bgr[0] = Clamp8((luma + 138453 * cu + 0x8000) >> 16);
    bgr[1] = Clamp8((luma - 13954 * cu - 34903 * cv + 0x8000) >> 16);
    bgr[2] = Clamp8((luma + 117504 * cv + 0x8000) >> 16);
}

size_t CaptureBytes(int bitCount, int width, int height) {
    const size_t pixels = size_t(std::max(width, 0)) * size_t(std::max(height, 0));
    return bitCount == 8 ? pixels + 1096 : pixels * 3 + 72;
}

bool WriteCaptureBitmap(const CaptureSource& s, int bitCount, uint8_t* bitmap) {
    const Layout& layout = LayoutOf(s.tag);
    if (bitmap == nullptr || !Readable(s, layout)) return false;
    const bool eight = bitCount == 8;
    WriteHeader(eight ? 8 : 24, s.width, s.height, bitmap);
    uint8_t* out = bitmap + kBitmapHeaderBytes;
    if (eight) {
        WritePalette(out);
        out += kBitmapPaletteBytes;
    }
    // One row of B, G, R at a time; a capture is rare enough to allocate.
    std::vector<uint8_t> row(size_t(s.width) * 3 + 6);
    for (int r = s.height - 1; r >= 0; --r) {
        layout.read(s, r, row.data());
        if (!eight) {
            std::memcpy(out, row.data(), size_t(s.width) * 3);
            out += size_t(s.width) * 3;
            continue;
        }
        for (int x = 0; x < s.width; ++x) *out++ = Palette332(row.data() + 3 * x);
    }
    return true;
}
