// Loads libtelvira as a host does and talks to its controller.
#include "apps/tv_session.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>

#include "apps/host_events.h"
#include "interfaces/host_framework.h"
#include "sim/host/host_journal.h"

namespace host {
namespace {

constexpr char kTvLibrary[] = "libtelvira.so";
constexpr char kTvFactory[] = "ZaqCreateTvController";

enum NotifyType : unsigned { kCreateEngine = 0, kHostCallback = 1, kKey = 2 };

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

TvSession::~TvSession() {
    Close();
}

bool TvSession::Open() {
    // Kept loaded for the program's life: its threads are joined by then.
    void* library = OpenPlugin(kTvLibrary);
    if (!library) {
        std::fprintf(stderr, "cannot load %s: %s\n", kTvLibrary, dlerror());
        return false;
    }
    using Factory = CUICTRL* (*)();
    auto factory = reinterpret_cast<Factory>(dlsym(library, kTvFactory));
    if (!factory) {
        std::fprintf(stderr, "%s has no %s\n", kTvLibrary, kTvFactory);
        return false;
    }
    ResetHostEvents();
    controller_ = factory();
    controller_->Notify(kHostCallback, reinterpret_cast<char*>(&OnHostEvent), 0, 0);
    controller_->Notify(kCreateEngine, nullptr, 0, 0);
    return true;
}

void TvSession::SendKey(const std::string& key, int value) {
    if (!controller_ || key.empty()) return;
    std::string bytes = key;
    controller_->Notify(kKey, &bytes[0], static_cast<unsigned>(bytes.size()), value);
}

void TvSession::SendMenuEvent(int code, int subCommand, int argument) {
    hostsim::MenuSendEventFor(kMediaTv, code, nullptr, static_cast<unsigned>(argument), subCommand);
}

void TvSession::Close() {
    delete controller_;
    controller_ = nullptr;
}

}  // namespace host
