// Binding the tuner service's ZMP_ functions at load time.
#include "video/directplay/tuner_binding.h"

#include <dlfcn.h>

#include <mutex>

namespace {

std::mutex g_mutex;
TunerFunctions g_bound{};
TunerFunctions g_installed{};
bool g_useInstalled = false;

// The global scope first; then the tuner service's library if it is already
// loaded privately (a plug-in opened without RTLD_GLOBAL).
void* Find(const char* name) {
    if (void* symbol = dlsym(RTLD_DEFAULT, name)) return symbol;
    void* service = dlopen("libtonvex.so", RTLD_NOW | RTLD_NOLOAD);
    if (service == nullptr) return nullptr;
    void* symbol = dlsym(service, name);
    dlclose(service);  // drops only the reference RTLD_NOLOAD took
    return symbol;
}

TunerFunctions Resolve() {
    TunerFunctions f{};
    f.getDriverId = reinterpret_cast<decltype(f.getDriverId)>(Find("ZMP_GetDriverID"));
    f.getFormatSize = reinterpret_cast<decltype(f.getFormatSize)>(Find("ZMP_GetTVFormat_Size"));
    f.installCallback =
        reinterpret_cast<decltype(f.installCallback)>(Find("ZMP_InstallTunerCallBackFunction"));
    f.uninstallCallback =
        reinterpret_cast<decltype(f.uninstallCallback)>(Find("ZMP_UninstallTunerCallBackFunction"));
    return f.Complete() ? f : TunerFunctions{};
}

__attribute__((constructor)) void BindAtLoad() {
    BindTunerFunctions();
}

}  // namespace

bool BindTunerFunctions() {
    const TunerFunctions found = Resolve();
    std::lock_guard<std::mutex> lock(g_mutex);
    g_bound = found;
    return found.Complete();
}

TunerFunctions CurrentTunerFunctions() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_useInstalled ? g_installed : g_bound;
}

void InstallTunerFunctions(const TunerFunctions* functions) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_useInstalled = functions != nullptr;
    g_installed = functions != nullptr ? *functions : TunerFunctions{};
}
