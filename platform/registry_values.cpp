// Registry values: query, set and delete one value file.
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/registry_internal.h"

namespace {

// The value's file, or an empty string when the registry is unavailable.
std::string ValueFile(const KEY& key, const char* name) {
    LnRegManager* manager = RegistryManager();
    if (manager == nullptr) return std::string();
    return manager->RootFolder() + "/" + key.Path() + "/" + name;
}

}  // namespace

int LnRegDeleteValue(KEY* key, const char* name) {
    if (key == nullptr || name == nullptr) return -1;
    const std::string file = ValueFile(*key, name);
    if (file.empty()) return -1;
    return unlink(file.c_str()) == 0 ? 0 : -1;
}

int LnRegQueryValue(KEY* key, const char* name, uint32_t*, uint32_t* type, void* data,
                    uint32_t* length) {
    if (key == nullptr || name == nullptr) return -1;
    const std::string file = ValueFile(*key, name);
    ValEnt value;
    if (file.empty() || !value.Read(file)) return -1;
    return CopyValueOut(value, type, data, length);
}

// A value that cannot be written is reported as a failure, so callers never
// believe a setting was stored when it was not.
int LnRegSetValue(KEY* key, const char* name, uint32_t, uint32_t type, const void* data,
                  uint32_t length) {
    if (key == nullptr || name == nullptr) return -1;
    if (length > static_cast<uint32_t>(kRegMaxData) || (data == nullptr && length > 0)) return -1;
    const std::string file = ValueFile(*key, name);
    if (file.empty()) return -1;
    ValEnt value;
    value.type = static_cast<int32_t>(type);
    value.length = static_cast<int32_t>(length);
    if (length > 0) std::memcpy(value.data, data, length);
    value.data[length] = '\0';
    return value.Write(file) ? 0 : -1;
}
