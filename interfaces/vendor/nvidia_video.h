// The NVIDIA video library libNVDLL.so as this system calls it: 23 C++
// functions, exported under the names the compiler gives these signatures.
//
// Argument choices, kept by the renderer and the stand-in alike:
// - Every call returns an int: 0 or more on success, negative on failure.
// - NvInitDll must come first (negative: the library cannot be used);
//   NvExitDll ends video and forgets every screen and region.
// - NvMMInit (output, monitor, width, height, refresh, aspect) sets the output
//   to width x height (at the display's current depth) and puts the video on
//   it. output 1 monitor, 2 television, 3 both; monitor 0..3 (3: any mode the
//   display lists); aspect 0 for 4:3, 1 for 16:9. A size of 0 x 0, a size the
//   display has no mode for, or output 0 gives -1.
// - Frames (NvIVideoVideoFrame) are packed 4:2:2 (Y0 U Y1 V) of exactly the
//   source rectangle's right x bottom pixels, lines of right x 2 bytes. The
//   picture format says how the frame was made (0 top field first, 1 bottom
//   field first, 2 progressive); all three are shown as a whole frame. A null
//   frame, or a frame before any source rectangle, gives -1.
// - NvRect is left, top, right, bottom with right and bottom exclusive (the
//   rectangle (0, 0, 720, 480) is 720 x 480 pixels).
// - Source rectangle: the part of the frame shown. Zoom (x, y) magnifies it
//   about its centre: the part shown is the centred (width / x) x (height / y)
//   of the source rectangle, moved by the offset (in frame pixels); where it
//   reaches outside the frame the picture is black. Factors must be finite
//   and above 0.
// - Destination rectangle: where on the output the video goes (initially the
//   whole output). Inside it, the letterbox fields of the video configuration
//   place the picture: per axis, mode 0 and 2 fill the axis; mode 1 fills it
//   while the letterbox state is 0 and, while it is 1, takes three quarters
//   of it, centred, with black bars (a 4:3 picture inside 16:9, or the
//   reverse). The rest of the destination is black; outside it the desktop
//   shows.
// - Colour configuration: brightness -1..1 added to luma (in units of 128),
//   contrast and saturation gains 0..2, hue in degrees; enabled 0 shows the
//   picture neutral; the three gamma values (above 0) apply to red, green and
//   blue.
// - On-screen display: a screen of width x height pixels of 32 bits (bytes
//   blue, green, red, alpha) laid over the whole output, scaled to it, once
//   shown with NvIScreenDisplay; opacity 0..1 scales its alpha. Regions are
//   rectangles of a screen; drawing into a region is clipped to it, drawing
//   into the screen to the screen. Colours are 0xAARRGGBB words. The blend
//   function weighs the screen's pixels (source) against the picture below
//   (destination) by NvBlend factors; alpha is the constant of kNvBlendConstant.
#pragma once

#include <cstddef>
#include <cstdint>

enum NvOutputMode : int32_t {
    kNvOutputNone = 0,
    kNvOutputMonitor = 1,
    kNvOutputTelevision = 2,
    kNvOutputBoth = 3,
};

enum NvMonitorMode : int32_t {
    kNvMonitorAuto = 0,
    kNvMonitorVga = 1,
    kNvMonitorSvga = 2,
    kNvMonitorMultisync = 3,
};

enum NvAspectRatio : int32_t {
    kNvAspect4x3 = 0,
    kNvAspect16x9 = 1,
};

enum NvPictureFormat : int32_t {
    kNvTopFieldFirst = 0,
    kNvBottomFieldFirst = 1,
    kNvProgressive = 2,
};

enum NvBlend : int32_t {
    kNvBlendZero = 0,
    kNvBlendOne = 1,
    kNvBlendConstant = 2,
    kNvBlendOneMinusConstant = 3,
    kNvBlendPixelAlpha = 4,
    kNvBlendOneMinusPixelAlpha = 5,
};

struct NvRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};
static_assert(sizeof(NvRect) == 16, "shared with the vendor library");

// Eleven 32-bit fields. The library gives the unnamed ones no meaning beyond
// keeping them.
struct NvConfVideo {
    int32_t field0;
    int32_t letterboxState;  // 0 or 1
    int32_t sourceClass;     // 0 720 wide, 1 704 wide, 2 and 3 small pictures
    int32_t field3;
    int32_t field4;
    int32_t field5;
    int32_t field6;
    int32_t horizontalMode;  // 0, 1 or 2
    int32_t verticalMode;    // 0, 1 or 2
    int32_t field9;
    int32_t field10;
};
static_assert(sizeof(NvConfVideo) == 44, "shared with the vendor library");
static_assert(offsetof(NvConfVideo, horizontalMode) == 28, "shared with the vendor library");

struct NvConfColor {
    float brightness;  // -1 .. 1
    float contrast;    // 0 .. 2
    float saturation;  // 0 .. 2
    float hue;         // degrees
    int32_t enabled;
    float gammaRed;
    float gammaGreen;
    float gammaBlue;
};
static_assert(sizeof(NvConfColor) == 32, "shared with the vendor library");

int NvInitDll();
int NvExitDll();
int NvMMGetVersion(const char** library, const char** driver);
int NvMMInit(NvOutputMode output, NvMonitorMode monitor, unsigned width, unsigned height,
             unsigned refresh, NvAspectRatio aspect);
int NvIVideoSetConfVideo(const NvConfVideo& configuration);
int NvIVideoSetConfColor(const NvConfColor& configuration);
int NvIVideoVideoFrame(const void* frame, NvPictureFormat format);
// Hides the video until the next frame.
int NvIVideoVideoEnd();
int NvIVideoSetZoom(float factor);
int NvIVideoSetZoomXY(float x, float y);
int NvIVideoSetOffset(int x, int y);
int NvIVideoSetSource(const NvRect& source);
int NvIVideoSetDestination(const NvRect& destination);
// Closed-caption words for the next frames (field 2 when secondField).
int NvIVideoSetLine21Data(const unsigned short* words, unsigned count, bool secondField);
int NvIOsdCreateScreen(void** screen, unsigned width, unsigned height, float opacity);
int NvIScreenCreateRegion(void* screen, void** region, int x, int y, unsigned width,
                          unsigned height);
int NvIScreenDisplay(void* screen);
int NvIScreenClear(void* screen, unsigned colour);
int NvIScreenSetBlendFucntion(void* screen, unsigned char alpha, NvBlend source,
                              NvBlend destination);
int NvIScreenDrawRegion(void* screen, int x, int y, unsigned width, unsigned height,
                        const char* pixels);
int NvIScreenClearRegion(void* screen, int x, int y, unsigned width, unsigned height,
                         unsigned colour);
int NvIRegionDraw(void* screen, void* region, int x, int y, unsigned width, unsigned height,
                  const char* pixels);
int NvIRegionClear(void* screen, void* region, int x, int y, unsigned width, unsigned height,
                   unsigned colour);
