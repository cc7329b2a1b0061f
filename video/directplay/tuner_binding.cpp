// Binding the tuner service's ZMP_ functions at load time.
#include "video/directplay/tuner_binding.h"

#include <dlfcn.h>

#include <mutex>

namespace {

std::mutex g_mutex;
TunerFunctions g_bound{};
TunerFunctions g_installed{};
bool g_useInstalled = false;

// One list of names, bound all or nothing.
void* Find(const char* name) {
    return dlsym(RTLD_DEFAULT, name);
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
