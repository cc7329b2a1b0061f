// Registry value files: the "type:length:data" text as a value file holds it
// (at most 1023 bytes are read), then copied out as queries do.
#include <cstdint>
#include <cstring>

#include "fuzz/support/fuzz_input.h"
#include "platform/registry_internal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char text[1024] = {};
    std::memcpy(text, data, size < 1023 ? size : 1023);
    ValEnt value;
    if (!ParseValueText(text, &value)) return 0;
    FUZZ_CHECK(value.type == int32_t(kRegNumber) || value.type == int32_t(kRegString));
    FUZZ_CHECK(value.length >= 0 && value.length <= kRegMaxData);
    if (value.type == int32_t(kRegString)) FUZZ_CHECK(value.data[value.length] == '\0');
    // Queries with buffers of every interesting size.
    uint8_t out[kRegMaxData + 1];
    for (uint32_t room : {0u, 1u, 4u, uint32_t(value.length), uint32_t(kRegMaxData + 1)}) {
        uint32_t type = 0;
        uint32_t length = room;
        if (CopyValueOut(value, &type, out, &length) == 0) FUZZ_CHECK(length <= room);
    }
    return 0;
}
