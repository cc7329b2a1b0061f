// The device-independent bitmap that picture capture writes: a 40-byte
// BITMAPINFOHEADER, for 8 bits a 256-entry 3-3-2 palette, then the rows from
// the last picture row to the first without padding. The picture's pixels are
// read in the layout its output tag names; packed and planar YUV go through
// the BT.709 row of the colour matrix.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kBitmapHeaderBytes = 40;
constexpr int kBitmapPaletteBytes = 1024;

// Output tags of the RGB layouts and of packed 4:2:2 (planar 4:2:0 is
// kPlanar420Tag of the converter).
constexpr uint32_t kTagRgb555 = 0x3259555A;
constexpr uint32_t kTagRgb565 = 0x3259555B;
constexpr uint32_t kTagRgb24 = 0x3259555C;
constexpr uint32_t kTagRgb32 = 0x3259555D;
constexpr uint32_t kTagPacked422 = 0x32595559;
constexpr uint32_t kTagPlanar420 = 0x32315659;

bool IsRgbTag(uint32_t tag);

struct CaptureSource {
    uint32_t tag;
    const uint8_t* pixels;  // first line
    int pitch;              // bytes per line
    int width;
    int height;
    const uint8_t* u;  // planar 4:2:0 chroma planes, half resolution
    const uint8_t* v;
    int chromaPitch;
};

// Bytes the bitmap needs: width x height + 1096 for 8 bits, otherwise
// width x height x 3 + 72.
size_t CaptureBytes(int bitCount, int width, int height);

// Writes the bitmap (8 bits, or 24 for any other count); false when the source
// cannot be read.
bool WriteCaptureBitmap(const CaptureSource& source, int bitCount, uint8_t* bitmap);

// BT.709 in 16.16 fixed point: B, G, R of one Y, U, V.
void Bt709ToBgr(int y, int u, int v, uint8_t bgr[3]);

// The 14-byte file header that turns a bitmap of dibBytes (header, palette,
// rows) into a .bmp file.
constexpr int kBmpFileHeaderBytes = 14;
inline void MakeBmpFileHeader(size_t dibBytes, int bitCount, uint8_t out[kBmpFileHeaderBytes]) {
    const uint32_t fileBytes = uint32_t(dibBytes + kBmpFileHeaderBytes);
    const uint32_t offset =
        kBmpFileHeaderBytes + kBitmapHeaderBytes + (bitCount == 8 ? kBitmapPaletteBytes : 0);
    const uint8_t bytes[kBmpFileHeaderBytes] = {'B',
                                                'M',
                                                uint8_t(fileBytes),
                                                uint8_t(fileBytes >> 8),
                                                uint8_t(fileBytes >> 16),
                                                uint8_t(fileBytes >> 24),
                                                0,
                                                0,
                                                0,
                                                0,
                                                uint8_t(offset),
                                                uint8_t(offset >> 8),
                                                uint8_t(offset >> 16),
                                                uint8_t(offset >> 24)};
    for (int i = 0; i < kBmpFileHeaderBytes; ++i) out[i] = bytes[i];
}

// Palette index of a colour in the 3-3-2 palette.
inline uint8_t Palette332(const uint8_t bgr[3]) {
    return uint8_t((bgr[2] / 32) * 32 + (bgr[1] / 32) * 4 + bgr[0] / 64);
}
