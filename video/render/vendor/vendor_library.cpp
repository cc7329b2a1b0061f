// Loading and binding of the vendor libraries.
#include "video/render/vendor/vendor_library.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "platform/debug_log.h"

namespace {

void PrintLine(const char* line) {
    if (line == nullptr) return;
    std::printf("%s\n", line);
    std::fflush(stdout);
}

}  // namespace

std::string VendorLibraryPath(const char* path) {
    const char* root = std::getenv("MIROVA_VENDOR_ROOT");
    if (root == nullptr || *root == '\0') return path;
    std::string base = root;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + path;
}

VendorBind CVendorLibrary::Bind(const VendorLibrarySpec& spec, void** slots) {
    Close();
    for (size_t i = 0; i < spec.pathCount && handle_ == nullptr; ++i) {
        const std::string path = VendorLibraryPath(spec.paths[i]);
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_ != nullptr) path_ = path;
    }
    if (handle_ == nullptr) {
        const char* why = dlerror();
        DebugPrint("VRLN: no library %s (%s)\n", spec.pathCount > 0 ? spec.paths[0] : "",
                   why != nullptr ? why : "");
        PrintLine(spec.loadError);
        return VendorBind::kNoLibrary;
    }
    for (size_t i = 0; i < spec.nameCount; ++i) {
        dlerror();
        void* address = dlsym(handle_, spec.names[i]);
        const char* error = dlerror();
        if (error != nullptr || address == nullptr) {
            missing_ = spec.names[i];
            DebugPrint("VRLN: %s lacks %s\n", path_.c_str(), spec.names[i]);
            PrintLine(spec.nameError);
            return VendorBind::kNoName;
        }
        slots[i] = address;
    }
    bound_ = true;
    return VendorBind::kBound;
}

void CVendorLibrary::Close() {
    if (handle_ != nullptr) dlclose(handle_);
    handle_ = nullptr;
    bound_ = false;
    path_.clear();
    missing_.clear();
}
