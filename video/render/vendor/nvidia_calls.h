// The entry points of the NVIDIA video library as the NVIDIA renderer binds
// them, in binding order, and its binding with the library's start.
#pragma once

#include "interfaces/vendor/nvidia_video.h"
#include "video/render/vendor/vendor_library.h"

#define NVIDIA_VIDEO_CALLS(X)                                                                   \
    X(initDll, NvInitDll, "_Z9NvInitDllv")                                                      \
    X(exitDll, NvExitDll, "_Z9NvExitDllv")                                                      \
    X(getVersion, NvMMGetVersion, "_Z14NvMMGetVersionPPKcS1_")                                  \
    X(init, NvMMInit, "_Z8NvMMInit12NvOutputMode13NvMonitorModejjj13NvAspectRatio")             \
    X(setConfVideo, NvIVideoSetConfVideo, "_Z20NvIVideoSetConfVideoRK11NvConfVideo")            \
    X(setConfColor, NvIVideoSetConfColor, "_Z20NvIVideoSetConfColorRK11NvConfColor")            \
    X(videoFrame, NvIVideoVideoFrame, "_Z18NvIVideoVideoFramePKv15NvPictureFormat")             \
    X(videoEnd, NvIVideoVideoEnd, "_Z16NvIVideoVideoEndv")                                      \
    X(setZoom, NvIVideoSetZoom, "_Z15NvIVideoSetZoomf")                                         \
    X(setZoomXY, NvIVideoSetZoomXY, "_Z17NvIVideoSetZoomXYff")                                  \
    X(setOffset, NvIVideoSetOffset, "_Z17NvIVideoSetOffsetii")                                  \
    X(setSource, NvIVideoSetSource, "_Z17NvIVideoSetSourceRK6NvRect")                           \
    X(setDestination, NvIVideoSetDestination, "_Z22NvIVideoSetDestinationRK6NvRect")            \
    X(setLine21Data, NvIVideoSetLine21Data, "_Z21NvIVideoSetLine21DataPKtjb")                   \
    X(osdCreateScreen, NvIOsdCreateScreen, "_Z18NvIOsdCreateScreenPPvjjf")                      \
    X(screenCreateRegion, NvIScreenCreateRegion, "_Z21NvIScreenCreateRegionPvPS_iijj")          \
    X(screenDisplay, NvIScreenDisplay, "_Z16NvIScreenDisplayPv")                                \
    X(screenClear, NvIScreenClear, "_Z14NvIScreenClearPvj")                                     \
    X(screenSetBlend, NvIScreenSetBlendFucntion, "_Z25NvIScreenSetBlendFucntionPvh7NvBlendS0_") \
    X(screenDrawRegion, NvIScreenDrawRegion, "_Z19NvIScreenDrawRegionPviijjPKc")                \
    X(screenClearRegion, NvIScreenClearRegion, "_Z20NvIScreenClearRegionPviijjj")               \
    X(regionDraw, NvIRegionDraw, "_Z13NvIRegionDrawPvS_iijjPKc")                                \
    X(regionClear, NvIRegionClear, "_Z14NvIRegionClearPvS_iijjj")

struct NvidiaVideoCalls {
    NVIDIA_VIDEO_CALLS(VENDOR_CALL_MEMBER)
};

// libNVDLL.so from /usr/lib only.
const VendorLibrarySpec& NvidiaVideoLibrary();

// Binds and starts the library: a negative result of NvInitDll drops the
// binding (the library is closed, the table left null) and gives kInitFailed.
VendorBind BindNvidiaCalls(CVendorLibrary* library, NvidiaVideoCalls* calls);
