// The entry points of the Intel overlay libraries as the 865G and 915G
// renderers bind them, in binding order.
#pragma once

#include "interfaces/vendor/intel_overlay.h"
#include "video/render/vendor/vendor_library.h"

#define INTEL_OVERLAY_CALLS(X)                                                                     \
    X(getCurrentModeInfo, MCGetCurrentModeInfo__FPUiN20, "MCGetCurrentModeInfo__FPUiN20")          \
    X(initVideoOverlay, MCInitVideoOverlay__Fv, "MCInitVideoOverlay__Fv")                          \
    X(getOnScreenStart, MCGetOnScreenLinearStartingAddress__Fv,                                    \
      "MCGetOnScreenLinearStartingAddress__Fv")                                                    \
    X(setColourKey, MCSetVideoOverlayColorKey__FUi, "MCSetVideoOverlayColorKey__FUi")              \
    X(unlockSurface, MCUnLockSurface__FPUi, "MCUnLockSurface__FPUi")                               \
    X(updateOverlay, MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi, "MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi") \
    X(bitBlt, MCBitBlt__FUiUiUiUiUiUiUiUi, "MCBitBlt__FUiUiUiUiUiUiUiUi")                          \
    X(getVideoProperty, MCGetVideoPropertyValue__FiPi, "MCGetVideoPropertyValue__FiPi")            \
    X(setVideoProperty, MCSetVideoProperty__FUii, "MCSetVideoProperty__FUii")                      \
    X(destroySurface, MCDestroyVideoMemorySurface__FPUi, "MCDestroyVideoMemorySurface__FPUi")      \
    X(createSurface, MCCreateVideoMemorySurface__FUiUiUi, "MCCreateVideoMemorySurface__FUiUiUi")   \
    X(lockSurface, MCLockSurface__FPUiN20, "MCLockSurface__FPUiN20")                               \
    X(flipOverlay, MCFlipOverlay__FUiUiUiUiUiUi, "MCFlipOverlay__FUiUiUiUiUiUi")                   \
    X(initLib, MCInitLib__Fv, "MCInitLib__Fv")                                                     \
    X(fillRectangle, MCFillRectangleAreaWithSolidColor__FUiUiUiUiUiUi,                             \
      "MCFillRectangleAreaWithSolidColor__FUiUiUiUiUiUi")                                          \
    X(getVesaModeNumber, MCGetVesaModeNumber__FUiUiUi, "MCGetVesaModeNumber__FUiUiUi")             \
    X(setMode, MCSetMode__FUi, "MCSetMode__FUi")                                                   \
    X(exitLib, MCExitLib__Fv, "MCExitLib__Fv")                                                     \
    X(tvOnOff, MCTVOnOff__FUi, "MCTVOnOff__FUi")                                                   \
    X(tvConnector, MCTVConnector__Fv, "MCTVConnector__Fv")                                         \
    X(tvColourBarTest, MCTVColorBarTest__Fi, "MCTVColorBarTest__Fi")

struct IntelOverlayCalls {
    INTEL_OVERLAY_CALLS(VENDOR_CALL_MEMBER)
};

// libI865G.so (i915 false) or libI915G.so, from /usr/lib, then /usr/local/lib.
const VendorLibrarySpec& IntelOverlayLibrary(bool i915);
