// The call journal and fault injection of the simulated tuner service. Every exported
// function of libravelo and libtonvex records itself here first; a fault armed for its
// name makes it return the armed result without doing anything.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "interfaces/export.h"

namespace tonvex {

// Records "name args" (just "name" when args is empty). Returns true, with the armed
// result in *fault, when a fault is armed for name; the line then ends in " -> fault".
ZAQ_EXPORT bool JournalCall(const char* name, const std::string& args, int* fault);

ZAQ_EXPORT void JournalClear();
ZAQ_EXPORT std::vector<std::string> JournalLines();
// Lines ever recorded (clears do not reset it).
ZAQ_EXPORT uint64_t JournalSerial();

// times < 0: until cleared.
ZAQ_EXPORT void ArmFault(const char* name, int result, int times);
ZAQ_EXPORT void ClearFaults();

inline std::string ToJournalText(const std::string& s) {
    return s;
}
inline std::string ToJournalText(const char* s) {
    return s ? std::string(s) : "(null)";
}
inline std::string ToJournalText(int v) {
    return std::to_string(v);
}
inline std::string ToJournalText(unsigned v) {
    return std::to_string(v);
}
inline std::string ToJournalText(unsigned long long v) {
    return std::to_string(v);
}
inline std::string ToJournalText(unsigned long v) {
    return std::to_string(v);
}

// Formats arguments the journal way: integers in decimal, separated by spaces.
template <typename... Args>
std::string JoinArgs(const Args&... args) {
    std::string out;
    auto add = [&out](const std::string& part) {
        if (!out.empty()) out += ' ';
        out += part;
    };
    (add(ToJournalText(args)), ...);
    return out;
}

}  // namespace tonvex
