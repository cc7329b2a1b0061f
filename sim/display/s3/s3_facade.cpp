// libs3g.so: the S3 overlay calls, translated for the simulated controller.

// Only the vendor calls are exported (the version script says the same).
#pragma GCC visibility push(default)
#include "interfaces/vendor/s3_overlay.h"
#pragma GCC visibility pop

#include "sim/display/models/intel_style_library.h"
#include "sim/display/stand_in_call.h"
#include "sim/display/stand_in_library.h"

using simdisplay::AddressText;
using simdisplay::FaultKind;

namespace {

simdisplay::IntelStyleLibrary& Library() {
    return simdisplay::IntelStyleLibrary::For(SIM_LIBRARY_NAME);
}

}  // namespace

extern "C" {

uint32_t GetCurrentModeInfo__FPUiN20(uint32_t* width, uint32_t* height, uint32_t* bits) {
    SIM_STAND_IN_CALL(FaultKind::kMode, 0u);
    return Library().ModeInfo(width, height, bits);
}

uint32_t InitVideoOverlay__Fv() {
    SIM_STAND_IN_CALL(FaultKind::kInit, 0u);
    return Library().InitOverlay();
}

uint32_t GetOnScreenLinearStartingAddress__Fv() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u);
    return Library().StartAddress();
}

uint32_t SetVideoOverlayColorKey__FUi(uint32_t colour) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, colour);
    return Library().SetColourKey(colour);
}

uint32_t UnLockSurface__FPUi(uint32_t* surface) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, AddressText(surface));
    return Library().UnlockSurface(surface);
}

uint32_t UpdateOverlay__FUiUiUiUiUiUiUiUiUi(uint32_t left, uint32_t top, uint32_t height,
                                            uint32_t width, uint32_t surfaceOffset,
                                            uint32_t sourceHeight, uint32_t sourceWidth,
                                            uint32_t enable, uint32_t show) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, left, top, height, width, surfaceOffset, sourceHeight,
                      sourceWidth, enable, show);
    return Library().UpdateOverlay(left, top, height, width, surfaceOffset, sourceHeight,
                                   sourceWidth, enable, show);
}

uint32_t GetVideoPropertyValue__Fv() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u);
    return Library().PropertyWord();
}

uint32_t SetVideoProperty__FUi(uint32_t word) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, word);
    return Library().SetPropertyWord(word);
}

uint32_t DestroyVideoMemorySurface__FPUi(uint32_t* surface) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, AddressText(surface));
    return Library().DestroySurface(surface);
}

uint32_t CreateVideoMemorySurface__FUiUiUi(uint32_t width, uint32_t height, uint32_t bits) {
    SIM_STAND_IN_CALL(FaultKind::kSurface, 0u, width, height, bits);
    return Library().CreateSurface(width, height, bits);
}

uint32_t LockSurface__FPUiN20(uint32_t* surface, uint32_t* pitch, uint32_t* address) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, AddressText(surface));
    return Library().LockSurface(surface, pitch, address);
}

uint32_t FlipOverlay__FUiUiUiUiUiUi(uint32_t newOffset, uint32_t oldOffset, uint32_t width,
                                    uint32_t height, uint32_t bitsPerPixel, uint32_t waitForBlank) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, newOffset, oldOffset, width, height, bitsPerPixel,
                      waitForBlank);
    return Library().FlipOverlay(newOffset, width, height, bitsPerPixel);
}

uint32_t InitLib__Fv() {
    SIM_STAND_IN_CALL(FaultKind::kInit, 0u);
    return Library().InitLib();
}

uint32_t FillRectangleAreaWithSolidColor__FUiUiUiUiUiUi(uint32_t offset, uint32_t position,
                                                        uint32_t height, uint32_t width,
                                                        uint32_t colour, uint32_t bitsPerPixel) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, offset, position, height, width, colour, bitsPerPixel);
    return Library().Fill(offset, position, height, width, colour, bitsPerPixel);
}

uint32_t Bitblt__FUiUiUiUiUiUiUiUi(uint32_t destinationOffset, uint32_t destinationPosition,
                                   uint32_t sourceOffset, uint32_t sourcePosition, uint32_t height,
                                   uint32_t width, uint32_t bitsPerPixel, uint32_t rasterOp) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, destinationOffset, destinationPosition, sourceOffset,
                      sourcePosition, height, width, bitsPerPixel, rasterOp);
    return Library().Blit(destinationOffset, destinationPosition, sourceOffset, sourcePosition,
                          height, width, bitsPerPixel, rasterOp);
}

}  // extern "C"
