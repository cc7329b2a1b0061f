// Key scripts of the host program: the TV script and the walker both FM and TV
// scripts go through; every key is a byte or one of the named events.
#include "apps/terminal_keys.h"
#include "fuzz/support/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string script = FuzzText(data, size);
    for (int key : host::ParseScript(script)) {
        const bool byte = key >= 0 && key <= 255;
        const bool favourite =
            key >= host::kScriptFavouriteBase && key < host::kScriptFavouriteBase + 12;
        FUZZ_CHECK(byte || favourite || key == host::kScriptFavourites ||
                   key == host::kScriptFineTune);
    }
    size_t named = 0;
    const std::vector<int> keys = host::ParseKeyScript(script, [&named](const std::string& name) {
        ++named;
        return name.size() % 3 == 0 ? -1 : 300 + int(name.size() % 7);
    });
    FUZZ_CHECK(keys.size() <= script.size());
    return 0;
}
