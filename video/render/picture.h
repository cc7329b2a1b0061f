// The picture record: one frame as handed to a renderer, and the colour
// controls and overlay description it carries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Colour controls, all neutral at 0. The first four run -32 ... +32.
struct CVRLNColourRecord {
    int32_t brightness;
    int32_t contrast;
    int32_t hue;
    int32_t saturation;
    int32_t t;  // bends the luma curve quadratically
    int32_t uOffset;
    int32_t vOffset;
};

// A decoded sub-picture: one byte per pixel, palette index in the low nibble
// and alpha in the high nibble (15 counts as opaque). x and y place it in the
// processed area of the picture. A new serial (or a new record) marks new
// contents.
struct CVRLNSubpicture {
    const uint8_t* pixels;
    int32_t pitch;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    uint32_t serial;
    uint8_t palette[16][3];  // Y, U, V
};

// Picture-structure values of the decoder-side field.
constexpr int32_t kPictureTopField = 1;
constexpr int32_t kPictureBottomField = 2;
constexpr int32_t kPictureFrame = 3;

// Bits of the decoder-side flag word: the field order of an interlaced
// picture, and its display aspect (0 in direct play).
constexpr int32_t kPictureFlagTopFieldFirst = 0x1;
constexpr int32_t kPictureFlagBottomFieldFirst = 0x2;
constexpr int32_t kPictureAspectBits = 0xC00;

// Fields are in the order renderers read them. Direct play zero-fills the
// record and sets the plane pointers, size, output pitch and display size.
struct CVRLNPicture {
    CVRLNPicture() = default;
    CVRLNPicture(const CVRLNPicture&) = delete;
    CVRLNPicture& operator=(const CVRLNPicture&) = delete;
    ~CVRLNPicture() { Destroy(); }

    // Records the size; with allocate, makes plane 0 hold width x (height + 1)
    // luma bytes (one spare line) in an owned page-aligned block of at least
    // 720 x 576 luma, and places plane 1 (interleaved chroma) and plane 2
    // after it. False when the size is absurd or the memory cannot be had;
    // the planes are then empty.
    bool Resize(int32_t newWidth, int32_t newHeight, bool allocate);
    // Releases owned memory and clears size and planes.
    void Destroy() { Resize(0, 0, true); }
    bool OwnsPlanes() const { return block_ != nullptr; }

    uint32_t planeSize = 0;  // bytes in plane 0
    uint8_t* plane[3] = {nullptr, nullptr, nullptr};
    int32_t width = 0;
    int32_t height = 0;
    int32_t deinterlaceOff = 0;
    CVRLNColourRecord colour = {};
    // Decoder-side fields; all zero in direct play.
    int32_t decodedDisplayWidth = 0;
    int32_t decodedDisplayHeight = 0;
    int32_t panScanFlags = 0;
    int32_t frameCentreX = 0;  // sixteenths of a pixel
    int32_t frameCentreY = 0;
    int32_t pictureStructure = 0;
    int32_t repeatFirstField = 0;
    int32_t pictureFlags = 0;  // kPictureFlag* bits
    const CVRLNSubpicture* subpicture = nullptr;
    uint8_t* altOutput[3] = {nullptr, nullptr, nullptr};  // Y, V, U planes for Process flag 8
    // Set by the renderer before each conversion.
    uint8_t* output = nullptr;
    int32_t outputPitch = 0;
    int32_t displayHeight = 0;
    int32_t displayWidth = 0;
    uint8_t packed = 0;  // 1: plane 0 holds Y0 U Y1 V

  private:
    struct FreeBlock {
        void operator()(uint8_t* p) const;
    };
    std::unique_ptr<uint8_t, FreeBlock> block_;
};
