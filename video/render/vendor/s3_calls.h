// The entry points of the S3 overlay library as the S3 Twister renderer
// binds them, in binding order.
#pragma once

#include "interfaces/vendor/s3_overlay.h"
#include "video/render/vendor/vendor_library.h"

#define S3_OVERLAY_CALLS(X)                                                                    \
    X(getCurrentModeInfo, GetCurrentModeInfo__FPUiN20, "GetCurrentModeInfo__FPUiN20")          \
    X(initVideoOverlay, InitVideoOverlay__Fv, "InitVideoOverlay__Fv")                          \
    X(getOnScreenStart, GetOnScreenLinearStartingAddress__Fv,                                  \
      "GetOnScreenLinearStartingAddress__Fv")                                                  \
    X(setColourKey, SetVideoOverlayColorKey__FUi, "SetVideoOverlayColorKey__FUi")              \
    X(unlockSurface, UnLockSurface__FPUi, "UnLockSurface__FPUi")                               \
    X(updateOverlay, UpdateOverlay__FUiUiUiUiUiUiUiUiUi, "UpdateOverlay__FUiUiUiUiUiUiUiUiUi") \
    X(getVideoProperty, GetVideoPropertyValue__Fv, "GetVideoPropertyValue__Fv")                \
    X(setVideoProperty, SetVideoProperty__FUi, "SetVideoProperty__FUi")                        \
    X(destroySurface, DestroyVideoMemorySurface__FPUi, "DestroyVideoMemorySurface__FPUi")      \
    X(createSurface, CreateVideoMemorySurface__FUiUiUi, "CreateVideoMemorySurface__FUiUiUi")   \
    X(lockSurface, LockSurface__FPUiN20, "LockSurface__FPUiN20")                               \
    X(flipOverlay, FlipOverlay__FUiUiUiUiUiUi, "FlipOverlay__FUiUiUiUiUiUi")                   \
    X(initLib, InitLib__Fv, "InitLib__Fv")                                                     \
    X(fillRectangle, FillRectangleAreaWithSolidColor__FUiUiUiUiUiUi,                           \
      "FillRectangleAreaWithSolidColor__FUiUiUiUiUiUi")                                        \
    X(bitBlt, Bitblt__FUiUiUiUiUiUiUiUi, "Bitblt__FUiUiUiUiUiUiUiUi")

struct S3OverlayCalls {
    S3_OVERLAY_CALLS(VENDOR_CALL_MEMBER)
};

// libs3g.so from /usr/lib, then /usr/local/lib.
const VendorLibrarySpec& S3OverlayLibrary();
