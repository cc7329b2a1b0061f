// The entry points of the ATI overlay library as the Radeon renderer binds
// them, in binding order.
#pragma once

#include "interfaces/vendor/radeon_overlay.h"
#include "video/render/vendor/vendor_library.h"

#define RADEON_OVERLAY_CALLS(X)                                                    \
    X(init, RadeonInit, "RadeonInit")                                              \
    X(close, RadeonClose, "RadeonClose")                                           \
    X(setMode, RadeonSetMode, "RadeonSetMode")                                     \
    X(getMode, RadeonGetMode, "RadeonGetMode")                                     \
    X(overlaySetTransform, RadeonOverlaySetTransform, "RadeonOverlaySetTransform") \
    X(restoreMode, RadeonRestoreMode, "RadeonRestoreMode")                         \
    X(overlayEnable, RadeonOverlayEnable, "RadeonOverlayEnable")                   \
    X(overlayDisable, RadeonOverlayDisable, "RadeonOverlayDisable")                \
    X(overlaySetColourKey, RadeonOverlaySetColorKey, "RadeonOverlaySetColorKey")   \
    X(solidFill, RadeonSolidFill, "RadeonSolidFill")                               \
    X(overlaySetSource, RadeonOverlaySetSrc, "RadeonOverlaySetSrc")                \
    X(overlaySetDestination, RadeonOverlaySetDst, "RadeonOverlaySetDst")           \
    X(overlayFlip, RadeonOverlayFlip, "RadeonOverlayFlip")                         \
    X(getFrameBufferAddress, RadeonGetFBAddr, "RadeonGetFBAddr")                   \
    X(enableDisplay, RadeonEnableDisplay, "RadeonEnableDisplay")                   \
    X(queryCardInfo, RadeonQueryCardInfo, "RadeonQueryCardInfo")

struct RadeonOverlayCalls {
    RADEON_OVERLAY_CALLS(VENDOR_CALL_MEMBER)
};

// libradeonov.so from /usr/lib, then /usr/local/lib.
const VendorLibrarySpec& RadeonOverlayLibrary();
