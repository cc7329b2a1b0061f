// The entry points of the SiS video library as the SiS renderer binds them,
// in binding order.
#pragma once

#include "interfaces/vendor/sis_video.h"
#include "video/render/vendor/vendor_library.h"

#define SIS_VIDEO_CALLS(X)                                          \
    X(setVideoWindow, Linux_SetVideoWindow, "Linux_SetVideoWindow") \
    X(getVideoBrightness, GetVideoBrightness, "GetVideoBrightness") \
    X(getVideoContrast, GetVideoContrast, "GetVideoContrast")       \
    X(setVideoBrightness, SetVideoBrightness, "SetVideoBrightness") \
    X(setVideoContrast, SetVideoContrast, "SetVideoContrast")       \
    X(videoFlip, Linux_VideoFlip, "Linux_VideoFlip")                \
    X(setVideoSource, Linux_SetVideoSource, "Linux_SetVideoSource") \
    X(sisInit, SiSInit, "SiSInit")                                  \
    X(createSisVideo, CreateSiSVideo, "CreateSiSVideo")             \
    X(sisUninit, SiSUninit, "SiSUninit")                            \
    X(releaseSisVideo, ReleaseSiSVideo, "ReleaseSiSVideo")          \
    X(videoEnable, Linux_VideoEnable, "Linux_VideoEnable")

struct SisVideoCalls {
    SIS_VIDEO_CALLS(VENDOR_CALL_MEMBER)
};

// libdv.so from /usr/lib, then /usr/local/lib.
const VendorLibrarySpec& SisVideoLibrary();
