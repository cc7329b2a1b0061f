// Numbers in stored text. The stored formats come from a system whose long is
// 32 bits, where strtol saturates at the 32-bit limits; reading them the same
// way on every build keeps their meaning (a 64-bit long would otherwise wrap
// when narrowed, turning junk such as 4294967396 into a plausible 100).
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdlib>

// strtol of text in base (0, or 2 to 36), saturated to int32_t; end as strtol
// sets it. Leaves errno as it found it.
inline int32_t ParseStoredInt32(const char* text, char** end, int base) {
    const int saved = errno;
    const long long value = std::strtoll(text, end, base);
    errno = saved;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}
