// Paths, names and messages of the seven vendor libraries.
#include <iterator>

#include "video/render/vendor/intel_calls.h"
#include "video/render/vendor/nvidia_calls.h"
#include "video/render/vendor/radeon_calls.h"
#include "video/render/vendor/s3_calls.h"
#include "video/render/vendor/sis_calls.h"
#include "video/render/vendor/via_calls.h"

namespace {

constexpr const char* kIntelNames[] = {INTEL_OVERLAY_CALLS(VENDOR_CALL_NAME)};
constexpr const char* kI865Paths[] = {"/usr/lib/libI865G.so", "/usr/local/lib/libI865G.so"};
constexpr const char* kI915Paths[] = {"/usr/lib/libI915G.so", "/usr/local/lib/libI915G.so"};
constexpr const char* kS3Names[] = {S3_OVERLAY_CALLS(VENDOR_CALL_NAME)};
constexpr const char* kS3Paths[] = {"/usr/lib/libs3g.so", "/usr/local/lib/libs3g.so"};
constexpr const char* kViaNames[] = {VIA_DRIVER_CALLS(VENDOR_CALL_NAME)};
constexpr const char* kViaPaths[] = {"/usr/lib/libddmpeg.so"};
constexpr const char* kSisNames[] = {SIS_VIDEO_CALLS(VENDOR_CALL_NAME)};
constexpr const char* kSisPaths[] = {"/usr/lib/libdv.so", "/usr/local/lib/libdv.so"};
constexpr const char* kRadeonNames[] = {RADEON_OVERLAY_CALLS(VENDOR_CALL_NAME)};
constexpr const char* kRadeonPaths[] = {"/usr/lib/libradeonov.so", "/usr/local/lib/libradeonov.so"};
constexpr const char* kNvidiaNames[] = {NVIDIA_VIDEO_CALLS(VENDOR_CALL_NAME)};
constexpr const char* kNvidiaPaths[] = {"/usr/lib/libNVDLL.so"};

template <size_t P, size_t N>
constexpr VendorLibrarySpec Spec(const char* const (&paths)[P], const char* const (&names)[N],
                                 const char* loadError = nullptr, const char* nameError = nullptr) {
    return VendorLibrarySpec{paths, P, names, N, loadError, nameError};
}

constexpr VendorLibrarySpec kI865 = Spec(kI865Paths, kIntelNames);
constexpr VendorLibrarySpec kI915 = Spec(kI915Paths, kIntelNames);
constexpr VendorLibrarySpec kS3 = Spec(kS3Paths, kS3Names);
constexpr VendorLibrarySpec kVia =
    Spec(kViaPaths, kViaNames, "Error: Dynamic load library libddmpeg.so error.",
         "Error: Can't load symbol in libddmpeg.so.");
constexpr VendorLibrarySpec kSis = Spec(kSisPaths, kSisNames);
constexpr VendorLibrarySpec kRadeon = Spec(kRadeonPaths, kRadeonNames);
constexpr VendorLibrarySpec kNvidia = Spec(kNvidiaPaths, kNvidiaNames);

}  // namespace

const VendorLibrarySpec& IntelOverlayLibrary(bool i915) {
    return i915 ? kI915 : kI865;
}

const VendorLibrarySpec& S3OverlayLibrary() {
    return kS3;
}

const VendorLibrarySpec& ViaDriverLibrary() {
    return kVia;
}

const VendorLibrarySpec& SisVideoLibrary() {
    return kSis;
}

const VendorLibrarySpec& RadeonOverlayLibrary() {
    return kRadeon;
}

const VendorLibrarySpec& NvidiaVideoLibrary() {
    return kNvidia;
}

VendorBind BindNvidiaCalls(CVendorLibrary* library, NvidiaVideoCalls* calls) {
    const VendorBind bound = BindVendorCalls(library, kNvidia, calls);
    if (bound != VendorBind::kBound) return bound;
    if (calls->initDll() < 0) {
        library->Close();
        *calls = NvidiaVideoCalls{};
        return VendorBind::kInitFailed;
    }
    return VendorBind::kBound;
}
