// The host program: loads the plug-ins as a host media application does and
// drives them by keys.
#include <dlfcn.h>

#include <cstdio>
#include <initializer_list>

int main() {
    for (const char* lib : {"libtelvira.so", "libsonidra.so"}) {
        void* handle = dlopen(lib, RTLD_NOW | RTLD_GLOBAL);
        std::printf("%s: %s\n", lib, handle ? "loaded" : dlerror());
        if (!handle) return 1;
    }
    return 0;
}
