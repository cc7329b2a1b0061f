// libdv.so: the SiS video calls, translated for the simulated controller.

// Only the vendor calls are exported (the version script says the same).
#pragma GCC visibility push(default)
#include "interfaces/vendor/sis_video.h"
#pragma GCC visibility pop

#include "sim/display/models/sis_library.h"
#include "sim/display/stand_in_call.h"
#include "sim/display/stand_in_library.h"

using simdisplay::FaultKind;

namespace {

simdisplay::SisLibrary& Library() {
    return simdisplay::SisLibrary::For(SIM_LIBRARY_NAME);
}

}  // namespace

extern "C" {

int Linux_SetVideoWindow(int left, int top, int right, int bottom, uint32_t colourKey) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 1, left, top, right, bottom, colourKey);
    return Library().SetWindow(left, top, right, bottom, colourKey);
}

int GetVideoBrightness() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0);
    return Library().Brightness();
}

int GetVideoContrast() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 0);
    return Library().Contrast();
}

int SetVideoBrightness(uint8_t level) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 1, level);
    return Library().SetBrightness(level);
}

int SetVideoContrast(uint8_t level) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 1, level);
    return Library().SetContrast(level);
}

int Linux_VideoFlip(int index, int wait) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 1, index, wait);
    return Library().Flip(index);
}

int Linux_SetVideoSource(int x, int y, int width, int height) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 1, x, y, width, height);
    return Library().SetSource(x, y, width, height);
}

int SiSInit() {
    SIM_STAND_IN_CALL(FaultKind::kInit, 1);
    return Library().Init();
}

int CreateSiSVideo(int width, int height, SiSVideoRecord* record) {
    SIM_STAND_IN_CALL(FaultKind::kSurface, 1, width, height);
    return Library().CreateVideo(width, height, record);
}

int SiSUninit() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 1);
    return Library().Uninit();
}

int ReleaseSiSVideo() {
    SIM_STAND_IN_CALL(FaultKind::kNone, 1);
    return Library().ReleaseVideo();
}

int Linux_VideoEnable(int on) {
    SIM_STAND_IN_CALL(FaultKind::kNone, 1, on);
    return Library().Enable(on);
}

}  // extern "C"
