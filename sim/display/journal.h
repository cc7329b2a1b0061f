// The call journal and fault injection of the simulated display: every
// vendor stand-in call records itself here first, and an armed fault makes it
// answer without doing anything.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#define SIM_DISPLAY_INTERNAL __attribute__((visibility("default")))

namespace simdisplay {

// Values of the SIM_DISPLAY_FAULT_* kinds.
enum class FaultKind : int { kNone = 0, kInit = 1, kMode = 2, kSurface = 3, kTvOut = 4 };

struct Armed {
    bool faulted = false;
    bool byName = false;  // the result below applies; a kind fault uses the call's own failure
    int32_t result = 0;
};

// Records "name args" and looks for an armed fault: first under key (when
// given, e.g. "VIADriverProc:2"), then under name, then for kind.
SIM_DISPLAY_INTERNAL Armed JournalCall(const char* name, const std::string& args, FaultKind kind,
                                       const char* key = nullptr);
// A line that is not a call ("load libI915G.so").
SIM_DISPLAY_INTERNAL void JournalNote(const std::string& line);

SIM_DISPLAY_INTERNAL void JournalClear();
SIM_DISPLAY_INTERNAL std::vector<std::string> JournalLines();

// times < 0: until cleared.
SIM_DISPLAY_INTERNAL void ArmFault(const std::string& call, int32_t result, int skip, int times);
SIM_DISPLAY_INTERNAL void ArmKindFault(FaultKind kind, int skip, int times);
SIM_DISPLAY_INTERNAL void ClearFaults();

}  // namespace simdisplay
