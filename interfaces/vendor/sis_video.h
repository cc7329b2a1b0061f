// The SiS video library libdv.so as this system calls it: twelve plain C
// entry points around one video window with four planar 4:2:0 buffers.
//
// Argument choices, kept by the renderer and the stand-in alike:
// - Every call returns 0 on success and nonzero on failure, except the two
//   colour getters, which return the level.
// - The order is SiSInit, CreateSiSVideo, Linux_SetVideoWindow,
//   Linux_VideoEnable (1), then flips; releasing is Linux_VideoEnable (0),
//   ReleaseSiSVideo, SiSUninit. A call out of that order fails (1):
//   CreateSiSVideo before SiSInit or with video already created,
//   ReleaseSiSVideo without video, SiSUninit when not initialised.
// - CreateSiSVideo (width, height, record) makes four buffers of one picture
//   each and fills the whole record (below). Width and height must be even
//   and at least 2.
// - Linux_SetVideoWindow (left, top, right, bottom, colour key): the window
//   (inclusive, clipped to the screen) in which screen pixels equal to the
//   key show the video.
// - Linux_VideoFlip (index, wait): shows buffer index 0..3; wait 1 asks for
//   the next vertical blank (accepted, no other effect).
// - Linux_SetVideoSource (x, y, width, height): the part of the buffer that
//   fills the window; a width or height of 0 means the whole picture.
// - Brightness and contrast are levels 0..255, 128 neutral.
#pragma once

#include <cstddef>
#include <cstdint>

// The video record, 22 32-bit words. Buffer layout: the luma plane (pitch x
// height), then the V plane, then the U plane (pitch / 2 x height / 2 each),
// the YV12 order; the pitch is the width rounded up to a multiple of 16.
struct SiSVideoRecord {
    uint32_t width;
    uint32_t height;
    uint32_t format;        // "YV12" 0x32315659
    uint32_t bufferBytes;   // one buffer: the three planes
    uint32_t pitch;         // word 4: luma line pitch
    uint32_t chromaPitch;   // pitch / 2
    uint32_t lumaLength;    // word 6: pitch x height
    uint32_t chromaLength;  // word 7: one chroma plane
    uint32_t uOffset;       // word 8: U plane from the buffer's start
    uint32_t vOffset;       // word 9: V plane from the buffer's start
    uint32_t buffer[4];     // words 10..13: buffer addresses (video_memory.h)
    uint32_t bufferCount;   // 4
    uint32_t reserved[7];
};
static_assert(sizeof(SiSVideoRecord) == 88, "shared with the vendor library");
static_assert(offsetof(SiSVideoRecord, pitch) == 16, "word 4");
static_assert(offsetof(SiSVideoRecord, lumaLength) == 24, "word 6");
static_assert(offsetof(SiSVideoRecord, uOffset) == 32, "word 8");
static_assert(offsetof(SiSVideoRecord, buffer) == 40, "words 10 to 13");

extern "C" {

int Linux_SetVideoWindow(int left, int top, int right, int bottom, uint32_t colourKey);
int GetVideoBrightness();
int GetVideoContrast();
int SetVideoBrightness(uint8_t level);
int SetVideoContrast(uint8_t level);
int Linux_VideoFlip(int index, int wait);
int Linux_SetVideoSource(int x, int y, int width, int height);
int SiSInit();
int CreateSiSVideo(int width, int height, SiSVideoRecord* record);
int SiSUninit();
int ReleaseSiSVideo();
int Linux_VideoEnable(int on);

}  // extern "C"
