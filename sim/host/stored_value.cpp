// Run-time binding of the settings store's getRegInt.
#include "sim/host/stored_value.h"

#include <dlfcn.h>

namespace hostsim {

int StoredIntOr(const char* key, int fallback) {
    using GetRegInt = int (*)(const char*, int);
    void* symbol = dlsym(RTLD_DEFAULT, "getRegInt");
    if (!symbol) return fallback;
    return reinterpret_cast<GetRegInt>(symbol)(key, fallback);
}

}  // namespace hostsim
