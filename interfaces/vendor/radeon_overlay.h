// The ATI overlay library libradeonov.so as this system calls it: sixteen
// plain C entry points. The caller keeps its video buffers in video memory
// itself and tells the library where they are.
//
// Argument choices, kept by the renderer and the stand-in alike:
// - Results are nonzero on success, 0 on failure (RadeonGetFBAddr: the
//   address, null on failure).
// - RadeonGetFBAddr: the start of video memory; the visible screen begins
//   there, one line after another at bytesPerLine. Offsets are counted from it.
// - RadeonGetMode (mode) fills the whole record with the current mode.
//   RadeonSetMode (flags, mode) with flags 0 sets the mode of the record's
//   width, height and bits per pixel and completes the rest of the record;
//   any other flags are refused. RadeonRestoreMode returns to the mode the
//   machine started in.
// - RadeonOverlaySetSrc (offset, width, height, format, pitch out) points the
//   overlay at two buffers, the first at offset and the second right after
//   it, and stores the source pitch: format 0x800A is planar 4:2:0 in the
//   YV12 order (luma, then V, then U, tightly packed: the pitch is the width,
//   chroma lines width / 2), 0x800B packed 4:2:2 (pitch width x 2). The
//   first buffer is shown; each RadeonOverlayFlip shows the other one.
// - RadeonOverlaySetDst (left, top, width, height), clipped to the screen.
// - RadeonOverlaySetColorKey (mode, key): mode 0 sets the key and turns
//   keying on, mode 1 sets the key and leaves keying as it is; the key is
//   compared with screen pixels at the screen's depth.
// - RadeonSolidFill (left, top, right, bottom, colour): inclusive corners,
//   clipped to the screen; the colour is a pixel value of the screen's depth.
// - RadeonEnableDisplay (displays, on): displays is a mask of 1 television,
//   2 monitor (CRT), 4 flat panel; switching the television on fails while
//   nothing is connected.
// - Transform values run -100..100 (0 neutral; hue +-100 is +-180 degrees);
//   others are refused.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kRadeonFormatYV12 = 0x800A;
constexpr int kRadeonFormatYUY2 = 0x800B;
constexpr int kRadeonDisplayTv = 1;
constexpr int kRadeonDisplayCrt = 2;
constexpr int kRadeonDisplayPanel = 4;

struct RadeonMode {
    int32_t width;
    int32_t height;
    int32_t bitsPerPixel;
    int32_t refreshRate;
    int32_t bytesPerLine;
    int32_t modeNumber;
};
static_assert(sizeof(RadeonMode) == 24, "shared with the vendor library");

// Brightness, contrast, saturation, hue, then 16 bytes of zero.
struct RadeonTransform {
    int32_t brightness;
    int32_t contrast;
    int32_t saturation;
    int32_t hue;
    uint8_t reserved[16];
};
static_assert(sizeof(RadeonTransform) == 32, "shared with the vendor library");
static_assert(offsetof(RadeonTransform, hue) == 12, "shared with the vendor library");

struct RadeonCardInfo {
    uint32_t vendor;  // 0x1002
    uint32_t device;
    uint32_t memoryBytes;
    uint32_t memoryAddress;  // 32-bit word, see video_memory.h
};
static_assert(sizeof(RadeonCardInfo) == 16, "shared with the vendor library");

extern "C" {

int RadeonInit();
int RadeonClose();
int RadeonSetMode(int flags, RadeonMode* mode);
int RadeonGetMode(RadeonMode* mode);
int RadeonOverlaySetTransform(const RadeonTransform* transform);
int RadeonRestoreMode();
int RadeonOverlayEnable();
int RadeonOverlayDisable();
int RadeonOverlaySetColorKey(int mode, uint32_t key);
int RadeonSolidFill(int left, int top, int right, int bottom, uint32_t colour);
int RadeonOverlaySetSrc(uint32_t offset, int width, int height, int format, int* pitch);
int RadeonOverlaySetDst(int left, int top, int width, int height);
int RadeonOverlayFlip();
uint8_t* RadeonGetFBAddr();
int RadeonEnableDisplay(int displays, int on);
int RadeonQueryCardInfo(RadeonCardInfo* info);

}  // extern "C"
