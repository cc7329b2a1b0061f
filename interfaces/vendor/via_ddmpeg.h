// The VIA CLE266 video library libddmpeg.so as this system calls it: one
// entry point, VIADriverProc, whose first argument is a command number.
//
// Argument choices, kept by the renderer and the stand-in alike:
// - VIADriverProc (command, data, extra) returns 0 on success and 1 on any
//   error (an unknown command, a call out of order, a refused record).
//   extra is unused by every command and passed as null.
// - Commands and their data:
//     0 start the driver                      data null
//     1 stop the driver: hides the overlay and destroys the surfaces
//                                             data null
//     2 create the surfaces                   ViaSurfaceRecord* (in: width,
//       height, kind 1, colour key, format; out: both buffer addresses and
//       the pitch); needs a started driver and no surfaces yet
//     3 destroy the surfaces                  ViaSurfaceRecord*
//     4 give the buffers for writing          ViaSurfaceRecord* (out: buffer
//       addresses and pitch, as after 2)
//     6 show, move or hide the overlay        ViaOverlayRecord*
//     7 show the buffer of the index          uint32_t* (0 or 1)
// - Buffers are packed 4:2:2 for the format "YUY2" (pitch = width x 2) and
//   planar 4:2:0 for "YV12" (pitch = width, then the V and the U plane at
//   half width), each of the two in video memory; addresses are 32-bit words
//   (video_memory.h).
// - Overlay flags: 0x1 hide, 0x2 show, 0x4 colour keying on, 0x200000 update
//   at the next vertical blank (accepted, no other effect). With show, the
//   picture fills left..right x top..bottom (inclusive, clipped to the
//   screen); the source is the surfaces' picture from (sourceX, sourceY) at
//   width x height.
#pragma once

#include <cstddef>
#include <cstdint>

enum ViaCommand : uint32_t {
    kViaStart = 0,
    kViaStop = 1,
    kViaCreateSurfaces = 2,
    kViaDestroySurfaces = 3,
    kViaLockSurfaces = 4,
    kViaUpdateOverlay = 6,
    kViaShowBuffer = 7,
};

constexpr uint32_t kViaOverlayHide = 0x1;
constexpr uint32_t kViaOverlayShow = 0x2;
constexpr uint32_t kViaOverlayKeying = 0x4;
constexpr uint32_t kViaOverlayAtBlank = 0x200000;

struct ViaSurfaceRecord {
    uint32_t width;
    uint32_t height;
    uint32_t kind;  // 1: a double-buffered overlay surface, the only kind
    uint32_t colourKey;
    uint32_t format;     // "YUY2" 0x32595559 or "YV12" 0x32315659
    uint32_t buffer[2];  // filled by commands 2 and 4
    uint32_t pitch;      // filled by commands 2 and 4
};
static_assert(sizeof(ViaSurfaceRecord) == 32, "shared with the vendor library");
static_assert(offsetof(ViaSurfaceRecord, buffer) == 20, "shared with the vendor library");
static_assert(offsetof(ViaSurfaceRecord, pitch) == 28, "shared with the vendor library");

// Twelve 32-bit words.
struct ViaOverlayRecord {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    uint32_t sourceX;
    uint32_t sourceY;
    uint32_t width;
    uint32_t height;
    uint32_t flags;
    uint32_t colourKey;
    uint32_t reserved;
    uint32_t format;
};
static_assert(sizeof(ViaOverlayRecord) == 48, "shared with the vendor library");
static_assert(offsetof(ViaOverlayRecord, flags) == 32, "shared with the vendor library");
static_assert(offsetof(ViaOverlayRecord, colourKey) == 36, "shared with the vendor library");

extern "C" int VIADriverProc(uint32_t command, void* data, void* extra);
