// The host settings file (settings.ini): every setting read from it has a key the
// store would take and a value within the store's length.
#include "fuzz/support/fuzz_input.h"
#include "sim/tuner/ravelo/settings_store.h"

using ravelo::SettingsStore;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto values = SettingsStore::ParseText(FuzzText(data, size));
    std::string rewritten;
    for (const auto& [key, value] : values) {
        FUZZ_CHECK(!key.empty() && key.size() <= SettingsStore::kMaxKeyLength);
        FUZZ_CHECK(key[0] != '#' && key.find_first_of("=\r\n") == std::string::npos);
        FUZZ_CHECK(value.size() <= SettingsStore::kMaxValueLength);
        FUZZ_CHECK(value.find('\n') == std::string::npos);
        rewritten += key + "=" + value + "\n";
    }
    // A value ending in a carriage return loses it on reading, as a line ending would.
    for (const auto& [key, value] : SettingsStore::ParseText(rewritten)) {
        const auto first = values.find(key);
        FUZZ_CHECK(first != values.end());
        FUZZ_CHECK(value == first->second ||
                   (value + "\r" == first->second && value.size() + 1 == first->second.size()));
    }
    return 0;
}
