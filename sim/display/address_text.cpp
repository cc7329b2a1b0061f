// Journal text of video-memory addresses.
#include <cstdio>

#include "interfaces/vendor/video_memory.h"
#include "sim/display/stand_in_call.h"

namespace simdisplay {

std::string AddressText(uint32_t address) {
    uint32_t offset = 0;
    if (Controller::Get().Memory().OffsetOf(address, &offset)) return std::to_string(offset);
    char text[24];
    std::snprintf(text, sizeof text, "%#x", address);
    return text;
}

std::string AddressText(const void* address) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(address);
    if (value > 0xFFFFFFFFu) {
        char text[24];
        std::snprintf(text, sizeof text, "%#lx", static_cast<unsigned long>(value));
        return text;
    }
    return AddressText(VideoMemoryWord(address));
}

}  // namespace simdisplay
