// libNVDLL.so: the NVIDIA video calls (C++ functions, exported under their
// compiler's names), translated for the simulated controller. Journal lines
// carry those exported names.

// Only the vendor calls are exported (the version script says the same).
#pragma GCC visibility push(default)
#include "interfaces/vendor/nvidia_video.h"
#pragma GCC visibility pop

#include "sim/display/models/nvidia_library.h"
#include "sim/display/stand_in_call.h"
#include "sim/display/stand_in_library.h"

using simdisplay::Args;
using simdisplay::FaultKind;

namespace {

simdisplay::NvidiaLibrary& Library() {
    return simdisplay::NvidiaLibrary::For(SIM_LIBRARY_NAME);
}

std::string RectText(const NvRect& r) {
    return Args(r.left, r.top, r.right, r.bottom);
}

int Screen(const void* handle) {
    return Library().ScreenNumber(handle);
}

}  // namespace

int NvInitDll() {
    SIM_NAMED_STAND_IN_CALL("_Z9NvInitDllv", FaultKind::kInit, -1);
    return Library().InitDll();
}

int NvExitDll() {
    SIM_NAMED_STAND_IN_CALL("_Z9NvExitDllv", FaultKind::kNone, -1);
    return Library().ExitDll();
}

int NvMMGetVersion(const char** library, const char** driver) {
    SIM_NAMED_STAND_IN_CALL("_Z14NvMMGetVersionPPKcS1_", FaultKind::kNone, -1);
    return Library().Version(library, driver);
}

int NvMMInit(NvOutputMode output, NvMonitorMode monitor, unsigned width, unsigned height,
             unsigned refresh, NvAspectRatio aspect) {
    SIM_NAMED_STAND_IN_CALL("_Z8NvMMInit12NvOutputMode13NvMonitorModejjj13NvAspectRatio",
                            FaultKind::kMode, -1, output, monitor, width, height, refresh, aspect);
    return Library().Init(output, monitor, width, height, refresh, aspect);
}

int NvIVideoSetConfVideo(const NvConfVideo& c) {
    SIM_NAMED_STAND_IN_CALL("_Z20NvIVideoSetConfVideoRK11NvConfVideo", FaultKind::kNone, -1,
                            c.field0, c.letterboxState, c.sourceClass, c.field3, c.field4, c.field5,
                            c.field6, c.horizontalMode, c.verticalMode, c.field9, c.field10);
    return Library().SetConfVideo(c);
}

int NvIVideoSetConfColor(const NvConfColor& c) {
    SIM_NAMED_STAND_IN_CALL("_Z20NvIVideoSetConfColorRK11NvConfColor", FaultKind::kNone, -1,
                            c.brightness, c.contrast, c.saturation, c.hue, c.enabled, c.gammaRed,
                            c.gammaGreen, c.gammaBlue);
    return Library().SetConfColor(c);
}

int NvIVideoVideoFrame(const void* frame, NvPictureFormat format) {
    SIM_NAMED_STAND_IN_CALL("_Z18NvIVideoVideoFramePKv15NvPictureFormat", FaultKind::kNone, -1,
                            frame != nullptr ? "frame" : "(null)", format);
    return Library().Frame(frame, format);
}

int NvIVideoVideoEnd() {
    SIM_NAMED_STAND_IN_CALL("_Z16NvIVideoVideoEndv", FaultKind::kNone, -1);
    return Library().End();
}

int NvIVideoSetZoom(float factor) {
    SIM_NAMED_STAND_IN_CALL("_Z15NvIVideoSetZoomf", FaultKind::kNone, -1, factor);
    return Library().SetZoom(factor, factor);
}

int NvIVideoSetZoomXY(float x, float y) {
    SIM_NAMED_STAND_IN_CALL("_Z17NvIVideoSetZoomXYff", FaultKind::kNone, -1, x, y);
    return Library().SetZoom(x, y);
}

int NvIVideoSetOffset(int x, int y) {
    SIM_NAMED_STAND_IN_CALL("_Z17NvIVideoSetOffsetii", FaultKind::kNone, -1, x, y);
    return Library().SetOffset(x, y);
}

int NvIVideoSetSource(const NvRect& source) {
    SIM_NAMED_STAND_IN_CALL("_Z17NvIVideoSetSourceRK6NvRect", FaultKind::kNone, -1,
                            RectText(source));
    return Library().SetSource(source);
}

int NvIVideoSetDestination(const NvRect& destination) {
    SIM_NAMED_STAND_IN_CALL("_Z22NvIVideoSetDestinationRK6NvRect", FaultKind::kNone, -1,
                            RectText(destination));
    return Library().SetDestination(destination);
}

int NvIVideoSetLine21Data(const unsigned short* words, unsigned count, bool secondField) {
    SIM_NAMED_STAND_IN_CALL("_Z21NvIVideoSetLine21DataPKtjb", FaultKind::kNone, -1, count,
                            secondField);
    return Library().SetLine21(words, count, secondField);
}

int NvIOsdCreateScreen(void** screen, unsigned width, unsigned height, float opacity) {
    SIM_NAMED_STAND_IN_CALL("_Z18NvIOsdCreateScreenPPvjjf", FaultKind::kNone, -1, width, height,
                            opacity);
    return Library().CreateScreen(screen, width, height, opacity);
}

int NvIScreenCreateRegion(void* screen, void** region, int x, int y, unsigned width,
                          unsigned height) {
    SIM_NAMED_STAND_IN_CALL("_Z21NvIScreenCreateRegionPvPS_iijj", FaultKind::kNone, -1,
                            Screen(screen), x, y, width, height);
    return Library().CreateRegion(screen, region, x, y, width, height);
}

int NvIScreenDisplay(void* screen) {
    SIM_NAMED_STAND_IN_CALL("_Z16NvIScreenDisplayPv", FaultKind::kNone, -1, Screen(screen));
    return Library().Display(screen);
}

int NvIScreenClear(void* screen, unsigned colour) {
    SIM_NAMED_STAND_IN_CALL("_Z14NvIScreenClearPvj", FaultKind::kNone, -1, Screen(screen), colour);
    return Library().ClearScreen(screen, colour);
}

int NvIScreenSetBlendFucntion(void* screen, unsigned char alpha, NvBlend source,
                              NvBlend destination) {
    SIM_NAMED_STAND_IN_CALL("_Z25NvIScreenSetBlendFucntionPvh7NvBlendS0_", FaultKind::kNone, -1,
                            Screen(screen), alpha, source, destination);
    return Library().SetBlend(screen, alpha, source, destination);
}

int NvIScreenDrawRegion(void* screen, int x, int y, unsigned width, unsigned height,
                        const char* pixels) {
    SIM_NAMED_STAND_IN_CALL("_Z19NvIScreenDrawRegionPviijjPKc", FaultKind::kNone, -1,
                            Screen(screen), x, y, width, height);
    return Library().DrawScreen(screen, x, y, width, height, pixels);
}

int NvIScreenClearRegion(void* screen, int x, int y, unsigned width, unsigned height,
                         unsigned colour) {
    SIM_NAMED_STAND_IN_CALL("_Z20NvIScreenClearRegionPviijjj", FaultKind::kNone, -1, Screen(screen),
                            x, y, width, height, colour);
    return Library().ClearScreenArea(screen, x, y, width, height, colour);
}

int NvIRegionDraw(void* screen, void* region, int x, int y, unsigned width, unsigned height,
                  const char* pixels) {
    SIM_NAMED_STAND_IN_CALL("_Z13NvIRegionDrawPvS_iijjPKc", FaultKind::kNone, -1, Screen(screen),
                            Library().RegionNumber(region), x, y, width, height);
    return Library().DrawRegion(screen, region, x, y, width, height, pixels);
}

int NvIRegionClear(void* screen, void* region, int x, int y, unsigned width, unsigned height,
                   unsigned colour) {
    SIM_NAMED_STAND_IN_CALL("_Z14NvIRegionClearPvS_iijjj", FaultKind::kNone, -1, Screen(screen),
                            Library().RegionNumber(region), x, y, width, height, colour);
    return Library().ClearRegion(screen, region, x, y, width, height, colour);
}
