// libddmpeg.so: VIADriverProc, translated for the simulated controller.

// Only the vendor calls are exported (the version script says the same).
#pragma GCC visibility push(default)
#include "interfaces/vendor/via_ddmpeg.h"
#pragma GCC visibility pop

#include <string>

#include "sim/display/models/via_library.h"
#include "sim/display/stand_in_call.h"
#include "sim/display/stand_in_library.h"

using simdisplay::Args;
using simdisplay::FaultKind;

namespace {

// The record words each command takes in, for the journal.
std::string RecordText(uint32_t command, const void* data) {
    if (data == nullptr) return "";
    switch (command) {
        case kViaCreateSurfaces:
        case kViaDestroySurfaces:
        case kViaLockSurfaces: {
            const auto* r = static_cast<const ViaSurfaceRecord*>(data);
            return Args(r->width, r->height, r->kind, r->colourKey, r->format);
        }
        case kViaUpdateOverlay: {
            const auto* r = static_cast<const ViaOverlayRecord*>(data);
            return Args(r->left, r->top, r->right, r->bottom, r->sourceX, r->sourceY, r->width,
                        r->height, r->flags, r->colourKey, r->reserved, r->format);
        }
        case kViaShowBuffer:
            return Args(*static_cast<const uint32_t*>(data));
        default:
            return "";
    }
}

FaultKind KindOf(uint32_t command) {
    if (command == kViaStart) return FaultKind::kInit;
    if (command == kViaCreateSurfaces) return FaultKind::kSurface;
    return FaultKind::kNone;
}

}  // namespace

extern "C" int VIADriverProc(uint32_t command, void* data, void* extra) {
    (void)extra;
    const auto lock = simdisplay::Controller::Get().Hold();
    const std::string record = RecordText(command, data);
    const std::string key = "VIADriverProc:" + std::to_string(command);
    simdisplay::StandInCall call(__func__, KindOf(command),
                                 record.empty() ? Args(command) : Args(command, record),
                                 key.c_str());
    if (call.Faulted()) return call.Answer(1);
    return simdisplay::ViaLibrary::For(SIM_LIBRARY_NAME).Command(command, data);
}
