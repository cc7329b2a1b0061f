// The S3 overlay library libs3g.so as this system calls it: the Intel calls
// without their "MC" prefix (see intel_overlay.h for surfaces, offsets,
// positions and results, which are the same), with one property word in
// place of the Intel colour-control ids, and 15 entry points in all.
//
// The property word (GetVideoPropertyValue__Fv / SetVideoProperty__FUi):
// - bits 0..7 brightness level 0..255 (128 neutral);
// - bits 8..12 contrast level 0..31 (16 neutral); bits 13 and 14 stay 0;
// - bit 15 set: the levels apply; clear: both are neutral;
// - bits 16..31 are kept as written and read back (the library's own).
// The word reads 0 until something is written (both levels neutral).
#pragma once

#include <cstdint>

extern "C" {

uint32_t GetCurrentModeInfo__FPUiN20(uint32_t* width, uint32_t* height, uint32_t* bitsPerPixel);
uint32_t InitVideoOverlay__Fv();
uint32_t GetOnScreenLinearStartingAddress__Fv();
uint32_t SetVideoOverlayColorKey__FUi(uint32_t colour);
uint32_t UnLockSurface__FPUi(uint32_t* surface);
uint32_t UpdateOverlay__FUiUiUiUiUiUiUiUiUi(uint32_t left, uint32_t top, uint32_t height,
                                            uint32_t width, uint32_t surfaceOffset,
                                            uint32_t sourceHeight, uint32_t sourceWidth,
                                            uint32_t enable, uint32_t show);
uint32_t GetVideoPropertyValue__Fv();
// Nonzero on success; a word with bits 13 or 14 set is refused.
uint32_t SetVideoProperty__FUi(uint32_t word);
uint32_t DestroyVideoMemorySurface__FPUi(uint32_t* surface);
uint32_t CreateVideoMemorySurface__FUiUiUi(uint32_t width, uint32_t height, uint32_t bitsPerPixel);
// Returns the surface pitch (0 on failure).
uint32_t LockSurface__FPUiN20(uint32_t* surface, uint32_t* pitch, uint32_t* address);
uint32_t FlipOverlay__FUiUiUiUiUiUi(uint32_t newOffset, uint32_t oldOffset, uint32_t width,
                                    uint32_t height, uint32_t bitsPerPixel, uint32_t waitForBlank);
uint32_t InitLib__Fv();
uint32_t FillRectangleAreaWithSolidColor__FUiUiUiUiUiUi(uint32_t offset, uint32_t position,
                                                        uint32_t height, uint32_t width,
                                                        uint32_t colour, uint32_t bitsPerPixel);
uint32_t Bitblt__FUiUiUiUiUiUiUiUi(uint32_t destinationOffset, uint32_t destinationPosition,
                                   uint32_t sourceOffset, uint32_t sourcePosition, uint32_t height,
                                   uint32_t width, uint32_t bitsPerPixel, uint32_t rasterOp);

}  // extern "C"
