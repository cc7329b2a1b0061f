// The choice of renderer for the graphics hardware: the display controller's
// PCI identity is reduced to a chip family (with the log lines that name it),
// the family's renderer is tried, and the frame buffer is the fallback.
// kRendererTrials in renderer_choice.cpp is the one place a renderer is added
// (a family whose renderer is not there yet falls through to the frame
// buffer); the renderers bind their vendor libraries through
// video/render/vendor/vendor_library.h.
//
// Runs on the thread that starts direct play; one choice at a time.
#pragma once

#include <cstdint>
#include <string>

class CVRLNRenderer;

// Chip family codes the device id is rewritten to.
enum RendererFamily : int32_t {
    kFamilyNone = 0xFFFF,
    kFamilyAti = 0x4C57,
    kFamilyNvidia = 0x002D,
    kFamilyMatrox = 0x0525,
    kFamilyIntel865 = 0x2572,
    kFamilyIntel915 = 0x2582,
    kFamilyIntel810 = 0x7125,
    kFamilySis = 0x6325,
    kFamilyS3Twister = 0x8D04,
};

// The library-wide identities after the last choice.
int32_t ChosenVendorId();
int32_t ChosenDeviceId();

// Reduces (vendor, device) to a family code, logging each recognised chip
// through DebugPrint in the fixed order. Exposed for tests.
int32_t ReduceToFamily(int32_t vendor, int32_t device);

// 0 with an open renderer stored through out; -1 when out is null or not even
// the frame buffer opens (out is then untouched).
int ChooseRenderer(CVRLNRenderer** out);

// Close, then delete; always 0.
int ReleaseRenderer(CVRLNRenderer* renderer);
