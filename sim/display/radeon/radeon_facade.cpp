// libradeonov.so: the Radeon overlay calls, translated for the simulated controller.

// Only the vendor calls are exported (the version script says the same).
#pragma GCC visibility push(default)
#include "interfaces/vendor/radeon_overlay.h"
#pragma GCC visibility pop

#include "sim/display/models/radeon_library.h"
#include "sim/display/stand_in_call.h"
#include "sim/display/stand_in_library.h"

using simdisplay::Args;
using simdisplay::FaultKind;

namespace {

simdisplay::RadeonLibrary& Library() {
    return simdisplay::RadeonLibrary::For(SIM_LIBRARY_NAME);
}

std::string ModeText(const RadeonMode* mode) {
    return mode != nullptr ? Args(mode->width, mode->height, mode->bitsPerPixel) : "(null)";
}

}  // namespace

extern "C" {

int RadeonInit() {
    SIM_STAND_IN_CALL(FaultKind::kInit, 0);
    return Library().Init();
}

int RadeonClose() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0);
    return Library().Close();
}

int RadeonSetMode(int flags, RadeonMode* mode) {
    SIM_STAND_IN_CALL(FaultKind::kMode, 0, flags, ModeText(mode));
    return Library().SetMode(flags, mode);
}

int RadeonGetMode(RadeonMode* mode) {
    SIM_STAND_IN_CALL(FaultKind::kMode, 0);
    return Library().GetMode(mode);
}

int RadeonOverlaySetTransform(const RadeonTransform* t) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0,
                      t != nullptr ? Args(t->brightness, t->contrast, t->saturation, t->hue)
                                   : std::string("(null)"));
    return Library().SetTransform(t);
}

int RadeonRestoreMode() {
    SIM_STAND_IN_CALL(FaultKind::kMode, 0);
    return Library().RestoreMode();
}

int RadeonOverlayEnable() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0);
    return Library().Enable(true);
}

int RadeonOverlayDisable() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0);
    return Library().Enable(false);
}

int RadeonOverlaySetColorKey(int mode, uint32_t key) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0, mode, key);
    return Library().SetColourKey(mode, key);
}

int RadeonSolidFill(int left, int top, int right, int bottom, uint32_t colour) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0, left, top, right, bottom, colour);
    return Library().SolidFill(left, top, right, bottom, colour);
}

int RadeonOverlaySetSrc(uint32_t offset, int width, int height, int format, int* pitch) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0, offset, width, height, format);
    return Library().SetSource(offset, width, height, format, pitch);
}

int RadeonOverlaySetDst(int left, int top, int width, int height) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0, left, top, width, height);
    return Library().SetDestination(left, top, width, height);
}

int RadeonOverlayFlip() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0);
    return Library().Flip();
}

uint8_t* RadeonGetFBAddr() {
    SIM_STAND_IN_CALL(FaultKind::kNone, static_cast<uint8_t*>(nullptr));
    return Library().FrameBuffer();
}

int RadeonEnableDisplay(int displays, int on) {
    const FaultKind kind =
        (on != 0 && (displays & kRadeonDisplayTv)) ? FaultKind::kTvOut : FaultKind::kNone;
    SIM_STAND_IN_CALL(kind, 0, displays, on);
    return Library().EnableDisplay(displays, on);
}

int RadeonQueryCardInfo(RadeonCardInfo* info) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0);
    return Library().QueryCardInfo(info);
}

}  // extern "C"
