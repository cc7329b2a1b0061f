// The Intel overlay libraries libI865G.so and libI915G.so as this system
// calls them: the same 21 entry points in both, exported under the names of
// their original compiler's argument encoding (hence C linkage here).
//
// Argument choices the names leave open, kept by the renderers and by the
// stand-ins alike:
// - Every result is a 32-bit word; "nonzero" means success unless said otherwise.
// - Surfaces are addresses in video memory (32-bit words, see video_memory.h).
//   Calls that take a surface take a pointer to its first word, i.e. the
//   address itself as a uint32_t*. Surfaces are tightly packed: pitch =
//   width x bits per pixel / 8.
// - Offsets are counted from the on-screen starting address (the visible
//   screen begins at offset 0, one line after another at the mode's line
//   length); the overlay and the 2D calls name areas by offset.
// - A position word holds x in its low 16 bits and y in its high 16 bits.
// - Overlay rectangles are given by left, top and a size; parts outside the
//   screen are clipped.
// - Colour controls (MCSetVideoProperty / MCGetVideoPropertyValue):
//   id 1 brightness -128..127 (0 neutral), 2 contrast 0..255 (64 neutral),
//   3 saturation 0..255 (128 neutral), 4 hue -128..127 (0 neutral, +-128 is
//   +-180 degrees), 5 resets all four (value ignored). A value outside its
//   range is refused (result 0, register unchanged).
// - Display modes: MCGetVesaModeNumber gives the VESA-style number of a mode
//   (0 when there is none); the numbers are listed in sim/display/sim_display.h.
// - Television: MCTVConnector reports 0 nothing connected, 1 composite,
//   2 S-video, 3 both; MCTVOnOff (1) fails while nothing is connected.
#pragma once

#include <cstdint>

extern "C" {

// Width, height and bits per pixel of the current display mode.
uint32_t MCGetCurrentModeInfo__FPUiN20(uint32_t* width, uint32_t* height, uint32_t* bitsPerPixel);
// Prepares the overlay plane; needed again after MCExitLib__Fv.
uint32_t MCInitVideoOverlay__Fv();
// Address of the first visible screen byte (the start of video memory).
uint32_t MCGetOnScreenLinearStartingAddress__Fv();
// Screen pixels of this value (compared at the screen's depth) show the
// overlay; also turns keying on.
uint32_t MCSetVideoOverlayColorKey__FUi(uint32_t colour);
uint32_t MCUnLockSurface__FPUi(uint32_t* surface);
// Positions the overlay and points it at the packed 4:2:2 surface at
// surfaceOffset. enable 0 switches the plane off whatever show says; with
// enable 1 the overlay is visible exactly when show is 1.
uint32_t MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi(uint32_t left, uint32_t top, uint32_t height,
                                              uint32_t width, uint32_t surfaceOffset,
                                              uint32_t sourceHeight, uint32_t sourceWidth,
                                              uint32_t enable, uint32_t show);
// Copies width x height pixels between two areas (offset and position each);
// rasterOp 0xCC (source copy) is the only operation.
uint32_t MCBitBlt__FUiUiUiUiUiUiUiUi(uint32_t destinationOffset, uint32_t destinationPosition,
                                     uint32_t sourceOffset, uint32_t sourcePosition,
                                     uint32_t height, uint32_t width, uint32_t bitsPerPixel,
                                     uint32_t rasterOp);
uint32_t MCGetVideoPropertyValue__FiPi(int id, int* value);
uint32_t MCSetVideoProperty__FUii(uint32_t id, int value);
uint32_t MCDestroyVideoMemorySurface__FPUi(uint32_t* surface);
// Address of a new surface, 0 when video memory or the arguments do not allow one.
uint32_t MCCreateVideoMemorySurface__FUiUiUi(uint32_t width, uint32_t height,
                                             uint32_t bitsPerPixel);
// Returns the surface's pitch in bytes (0 on failure) and, when the pointers
// are given, stores the pitch and the surface's address. A locked surface
// cannot be destroyed.
uint32_t MCLockSurface__FPUiN20(uint32_t* surface, uint32_t* pitch, uint32_t* address);
// Makes the surface at newOffset the visible overlay source (the surface
// shown before is named second and not otherwise used). bitsPerPixel must be
// 16; waitForBlank 1 asks for the switch at the next vertical blank.
uint32_t MCFlipOverlay__FUiUiUiUiUiUi(uint32_t newOffset, uint32_t oldOffset, uint32_t width,
                                      uint32_t height, uint32_t bitsPerPixel,
                                      uint32_t waitForBlank);
// The library starts initialised when it is loaded; after MCExitLib__Fv only
// this call (and the mode number query) works until it succeeds.
uint32_t MCInitLib__Fv();
uint32_t MCFillRectangleAreaWithSolidColor__FUiUiUiUiUiUi(uint32_t offset, uint32_t position,
                                                          uint32_t height, uint32_t width,
                                                          uint32_t colour, uint32_t bitsPerPixel);
uint32_t MCGetVesaModeNumber__FUiUiUi(uint32_t width, uint32_t height, uint32_t bitsPerPixel);
// Fails while a surface lies where the new mode's screen would be.
uint32_t MCSetMode__FUi(uint32_t mode);
// Hides the overlay, releases the library's surfaces and leaves it uninitialised.
uint32_t MCExitLib__Fv();
uint32_t MCTVOnOff__FUi(uint32_t on);
uint32_t MCTVConnector__Fv();
// Colour bars on the television output (nonzero on); fails while it is off.
uint32_t MCTVColorBarTest__Fi(int on);

}  // extern "C"
