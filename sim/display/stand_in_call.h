// What every vendor stand-in function starts with: take the controller's
// lock for the whole call, write the journal line, and answer an armed fault.
//
//   extern "C" uint32_t MCInitLib__Fv() {
//       SIM_STAND_IN_CALL(FaultKind::kInit, 0u);
//       return Intel().InitLib();
//   }
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <type_traits>

#include "sim/display/controller.h"
#include "sim/display/journal.h"

namespace simdisplay {

// Journal text of one argument: integers in decimal, floats with %g, texts
// as they are (null as "(null)").
inline std::string ArgText(const std::string& s) {
    return s;
}
inline std::string ArgText(const char* s) {
    return s != nullptr ? std::string(s) : "(null)";
}
inline std::string ArgText(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}
template <typename T, typename = std::enable_if_t<std::is_integral<T>::value>>
std::string ArgText(T v) {
    return std::to_string(v);
}
template <typename T, typename = std::enable_if_t<std::is_enum<T>::value>, typename = void>
std::string ArgText(T v) {
    return std::to_string(static_cast<long long>(v));
}

inline std::string Args() {
    return std::string();
}

template <typename First, typename... Rest>
std::string Args(const First& first, const Rest&... rest) {
    std::string out = ArgText(first);
    ((out += ' ', out += ArgText(rest)), ...);
    return out;
}

// A surface or buffer given by address: its offset from the start of video
// memory, or the address in hex when it lies outside.
SIM_DISPLAY_INTERNAL std::string AddressText(const void* address);
SIM_DISPLAY_INTERNAL std::string AddressText(uint32_t address);

// Made while the controller's lock is held (the arguments' text may read the
// library's state), which the call then keeps to its end.
class StandInCall {
  public:
    StandInCall(const char* name, FaultKind kind, const std::string& args,
                const char* key = nullptr)
        : armed_(JournalCall(name, args, kind, key)) {}
    StandInCall(const StandInCall&) = delete;
    StandInCall& operator=(const StandInCall&) = delete;

    bool Faulted() const { return armed_.faulted; }
    // The armed result for a fault by name, the call's own failure for a kind fault.
    template <typename T>
    T Answer(T failure) const {
        if constexpr (std::is_pointer<T>::value)
            return failure;
        else
            return armed_.byName ? static_cast<T>(armed_.result) : failure;
    }

  private:
    Armed armed_;
};

}  // namespace simdisplay

// For functions whose exported name is their C name.
#define SIM_STAND_IN_CALL(kind, failure, ...) \
    SIM_NAMED_STAND_IN_CALL(__func__, kind, failure, __VA_ARGS__)

// For functions exported under a mangled name.
#define SIM_NAMED_STAND_IN_CALL(name, kind, failure, ...)                                        \
    const auto stand_in_lock_ = ::simdisplay::Controller::Get().Hold();                          \
    const ::simdisplay::StandInCall stand_in_call_(name, kind, ::simdisplay::Args(__VA_ARGS__)); \
    if (stand_in_call_.Faulted()) return stand_in_call_.Answer(failure)
