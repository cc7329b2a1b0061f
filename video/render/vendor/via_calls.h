// The entry point of the VIA CLE266 library as the CLE266 renderer binds it:
// VIADriverProc, once into each of nine call slots.
#pragma once

#include "interfaces/vendor/via_ddmpeg.h"
#include "video/render/vendor/vendor_library.h"

#define VIA_DRIVER_CALLS(X)                        \
    X(driverProc0, VIADriverProc, "VIADriverProc") \
    X(driverProc1, VIADriverProc, "VIADriverProc") \
    X(driverProc2, VIADriverProc, "VIADriverProc") \
    X(driverProc3, VIADriverProc, "VIADriverProc") \
    X(driverProc4, VIADriverProc, "VIADriverProc") \
    X(driverProc5, VIADriverProc, "VIADriverProc") \
    X(driverProc6, VIADriverProc, "VIADriverProc") \
    X(driverProc7, VIADriverProc, "VIADriverProc") \
    X(driverProc8, VIADriverProc, "VIADriverProc")

struct ViaDriverCalls {
    VIA_DRIVER_CALLS(VENDOR_CALL_MEMBER)
};

// libddmpeg.so from /usr/lib only, with its two error lines.
const VendorLibrarySpec& ViaDriverLibrary();
