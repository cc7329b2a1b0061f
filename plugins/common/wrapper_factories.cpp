// Builds wrappers by media type. The plug-ins' wrappers come from factories
// found by name at run time, so neither plug-in links the other.
#include "plugins/common/wrapper_factories.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <string>

#include "interfaces/tuner_service.h"

namespace {

struct PluginFactory {
    int type;
    const char* symbol;
    const char* library;
};

constexpr PluginFactory kPluginFactories[] = {
    {kMediaTv, kDvrFactoryName, kTvLibraryName},
    {kMediaFm, kFmFactoryName, kFmLibraryName},
};

// Factories of this library's own wrappers, and those found elsewhere; filled
// once each, read by any thread.
struct FactoryCache {
    std::atomic<WrapperFactory> own[2]{};
    std::atomic<WrapperFactory> found[2]{};
    std::mutex lookup;
};

FactoryCache& Cache() {
    static FactoryCache cache;
    return cache;
}

int SlotOf(int type) {
    return type == kMediaTv ? 0 : 1;
}

// The folder this library was loaded from, with a trailing '/'; the plug-ins
// are installed side by side.
std::string OwnFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&MakeWrapper), &info) == 0 || !info.dli_fname) return "";
    const std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// The owning library, kept open for the process's life: wrappers built from it
// must outlive any unload of the caller's handle. Already loaded, else from
// this library's folder, else by the loader's search path.
void* OpenOwningLibrary(const char* library) {
    void* handle = dlopen(library, RTLD_NOW | RTLD_NOLOAD);
    const std::string folder = OwnFolder();
    if (!handle && !folder.empty()) handle = dlopen((folder + library).c_str(), RTLD_NOW);
    if (!handle) handle = dlopen(library, RTLD_NOW);
    return handle;
}

WrapperFactory FindByName(const PluginFactory& entry) {
    if (void* symbol = dlsym(RTLD_DEFAULT, entry.symbol)) {
        return reinterpret_cast<WrapperFactory>(symbol);
    }
    void* handle = OpenOwningLibrary(entry.library);
    if (!handle) return nullptr;
    return reinterpret_cast<WrapperFactory>(dlsym(handle, entry.symbol));
}

WrapperFactory FactoryFor(const PluginFactory& entry) {
    FactoryCache& cache = Cache();
    const int slot = SlotOf(entry.type);
    if (WrapperFactory own = cache.own[slot].load()) return own;
    if (WrapperFactory found = cache.found[slot].load()) return found;
    std::lock_guard<std::mutex> lock(cache.lookup);
    WrapperFactory factory = FindByName(entry);
    cache.found[slot].store(factory);
    return factory;
}

}  // namespace

void RegisterOwnWrapperFactory(int type, WrapperFactory factory) {
    if (type != kMediaTv && type != kMediaFm) return;
    Cache().own[SlotOf(type)].store(factory);
}

bool IsWrapperType(int type) {
    return type == kMediaDiscPlayer || type == kMediaDiscPlayerAlt || type == kMediaTv ||
           type == kMediaFm;
}

CMEDIA_WRAPPER* MakeWrapper(int type) {
    if (type == kMediaDiscPlayer || type == kMediaDiscPlayerAlt) return new CDVD_WRAPPER(type);
    for (const PluginFactory& entry : kPluginFactories) {
        if (entry.type != type) continue;
        WrapperFactory factory = FactoryFor(entry);
        return factory ? factory() : nullptr;
    }
    return nullptr;
}
