// Plug-ins are opened with dlopen, as a host media application does.
#include "apps/plugin_loader.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>

namespace host {
namespace {

// A plug-in by the loader's search path, else from the build's lib/ folder
// next to the program's bin/.
void* OpenPlugin(const char* name) {
    if (void* library = dlopen(name, RTLD_NOW | RTLD_GLOBAL)) return library;
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return nullptr;
    const auto path = self.parent_path().parent_path() / "lib" / name;
    return dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
}

}  // namespace

CUICTRL* CreateController(const char* library, const char* factory) {
    void* handle = OpenPlugin(library);
    if (!handle) {
        std::fprintf(stderr,
                     "mediahost: cannot load the plug-in %s (%s): build it with 'bash "
                     "scripts/demo.sh' or put its folder on LD_LIBRARY_PATH\n",
                     library, dlerror());
        return nullptr;
    }
    using Factory = CUICTRL* (*)();
    auto create = reinterpret_cast<Factory>(dlsym(handle, factory));
    if (!create) {
        std::fprintf(stderr,
                     "mediahost: %s has no %s: it is not this system's plug-in; put the right "
                     "one first on LD_LIBRARY_PATH\n",
                     library, factory);
        return nullptr;
    }
    return create();
}

}  // namespace host
