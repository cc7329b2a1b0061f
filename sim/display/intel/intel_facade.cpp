// libI865G.so and libI915G.so (built from this file with SIM_LIBRARY_NAME
// naming the one being built): the Intel overlay calls, translated for the
// simulated controller.

// Only the vendor calls are exported (the version script says the same).
#pragma GCC visibility push(default)
#include "interfaces/vendor/intel_overlay.h"
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

uint32_t MCGetCurrentModeInfo__FPUiN20(uint32_t* width, uint32_t* height, uint32_t* bits) {
    SIM_STAND_IN_CALL(FaultKind::kMode, 0u);
    return Library().ModeInfo(width, height, bits);
}

uint32_t MCInitVideoOverlay__Fv() {
    SIM_STAND_IN_CALL(FaultKind::kInit, 0u);
    return Library().InitOverlay();
}

uint32_t MCGetOnScreenLinearStartingAddress__Fv() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u);
    return Library().StartAddress();
}

uint32_t MCSetVideoOverlayColorKey__FUi(uint32_t colour) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, colour);
    return Library().SetColourKey(colour);
}

uint32_t MCUnLockSurface__FPUi(uint32_t* surface) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, AddressText(surface));
    return Library().UnlockSurface(surface);
}

uint32_t MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi(uint32_t left, uint32_t top, uint32_t height,
                                              uint32_t width, uint32_t surfaceOffset,
                                              uint32_t sourceHeight, uint32_t sourceWidth,
                                              uint32_t enable, uint32_t show) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, left, top, height, width, surfaceOffset, sourceHeight,
                      sourceWidth, enable, show);
    return Library().UpdateOverlay(left, top, height, width, surfaceOffset, sourceHeight,
                                   sourceWidth, enable, show);
}

uint32_t MCBitBlt__FUiUiUiUiUiUiUiUi(uint32_t destinationOffset, uint32_t destinationPosition,
                                     uint32_t sourceOffset, uint32_t sourcePosition,
                                     uint32_t height, uint32_t width, uint32_t bitsPerPixel,
                                     uint32_t rasterOp) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, destinationOffset, destinationPosition, sourceOffset,
                      sourcePosition, height, width, bitsPerPixel, rasterOp);
    return Library().Blit(destinationOffset, destinationPosition, sourceOffset, sourcePosition,
                          height, width, bitsPerPixel, rasterOp);
}

uint32_t MCGetVideoPropertyValue__FiPi(int id, int* value) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, id);
    return Library().GetProperty(id, value);
}

uint32_t MCSetVideoProperty__FUii(uint32_t id, int value) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, id, value);
    return Library().SetProperty(id, value);
}

uint32_t MCDestroyVideoMemorySurface__FPUi(uint32_t* surface) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, AddressText(surface));
    return Library().DestroySurface(surface);
}

uint32_t MCCreateVideoMemorySurface__FUiUiUi(uint32_t width, uint32_t height, uint32_t bits) {
    SIM_STAND_IN_CALL(FaultKind::kSurface, 0u, width, height, bits);
    return Library().CreateSurface(width, height, bits);
}

uint32_t MCLockSurface__FPUiN20(uint32_t* surface, uint32_t* pitch, uint32_t* address) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, AddressText(surface));
    return Library().LockSurface(surface, pitch, address);
}

uint32_t MCFlipOverlay__FUiUiUiUiUiUi(uint32_t newOffset, uint32_t oldOffset, uint32_t width,
                                      uint32_t height, uint32_t bitsPerPixel,
                                      uint32_t waitForBlank) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, newOffset, oldOffset, width, height, bitsPerPixel,
                      waitForBlank);
    return Library().FlipOverlay(newOffset, width, height, bitsPerPixel);
}

uint32_t MCInitLib__Fv() {
    SIM_STAND_IN_CALL(FaultKind::kInit, 0u);
    return Library().InitLib();
}

uint32_t MCFillRectangleAreaWithSolidColor__FUiUiUiUiUiUi(uint32_t offset, uint32_t position,
                                                          uint32_t height, uint32_t width,
                                                          uint32_t colour, uint32_t bitsPerPixel) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, offset, position, height, width, colour, bitsPerPixel);
    return Library().Fill(offset, position, height, width, colour, bitsPerPixel);
}

uint32_t MCGetVesaModeNumber__FUiUiUi(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, width, height, bitsPerPixel);
    return Library().ModeNumber(width, height, bitsPerPixel);
}

uint32_t MCSetMode__FUi(uint32_t mode) {
    SIM_STAND_IN_CALL(FaultKind::kMode, 0u, mode);
    return Library().SetMode(mode);
}

uint32_t MCExitLib__Fv() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u);
    return Library().ExitLib();
}

uint32_t MCTVOnOff__FUi(uint32_t on) {
    SIM_STAND_IN_CALL(FaultKind::kTvOut, 0u, on);
    return Library().TvOnOff(on);
}

uint32_t MCTVConnector__Fv() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u);
    return Library().TvConnector();
}

uint32_t MCTVColorBarTest__Fi(int on) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0u, on);
    return Library().ColourBars(on);
}

}  // extern "C"
