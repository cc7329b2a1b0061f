// Loads libsonidra as a host does and talks to its FM controller.
#include "apps/fm_session.h"

#include <dlfcn.h>

#include <cstdio>
#include <filesystem>
#include <mutex>

#include "interfaces/host_framework.h"
#include "sim/host/host_journal.h"

namespace host {
namespace {

constexpr char kFmLibrary[] = "libsonidra.so";
constexpr char kFmFactory[] = "ZaqCreateFmController";

enum NotifyType : unsigned { kCreateEngine = 0, kHostCallback = 1, kKey = 2 };

constexpr int kMenuEvents = 3;
constexpr int kEngineClosed = 13;

std::mutex g_eventsMutex;
std::vector<std::pair<int, int>> g_events;

// The plug-in by the loader's search path, else from the build's lib/ folder next to
// the program's bin/.
void* OpenPlugin(const char* name) {
    if (void* library = dlopen(name, RTLD_NOW | RTLD_GLOBAL)) return library;
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return nullptr;
    const auto path = self.parent_path().parent_path() / "lib" / name;
    return dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
}

int OnFmHostEvent(int, int code, int argument, int, int) {
    std::lock_guard<std::mutex> lock(g_eventsMutex);
    g_events.emplace_back(code, argument);
    return 0;
}

}  // namespace

FmSession::~FmSession() {
    Close();
}

bool FmSession::Open() {
    // Kept loaded for the program's life: its threads are joined by then.
    void* library = OpenPlugin(kFmLibrary);
    if (!library) {
        std::fprintf(stderr, "cannot load %s: %s\n", kFmLibrary, dlerror());
        return false;
    }
    using Factory = CUICTRL* (*)();
    auto factory = reinterpret_cast<Factory>(dlsym(library, kFmFactory));
    if (!factory) {
        std::fprintf(stderr, "%s has no %s\n", kFmLibrary, kFmFactory);
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(g_eventsMutex);
        g_events.clear();
    }
    controller_ = factory();
    controller_->Notify(kHostCallback, reinterpret_cast<char*>(&OnFmHostEvent), 0, 0);
    controller_->Notify(kCreateEngine, nullptr, 0, 0);
    return true;
}

void FmSession::SendKey(const std::string& key, int value) {
    if (!controller_ || key.empty()) return;
    std::string bytes = key;
    controller_->Notify(kKey, &bytes[0], static_cast<unsigned>(bytes.size()), value);
}

void FmSession::SendMenuEvent(int code, int argument) {
    hostsim::MenuSendEventFor(kMediaFm, kMenuEvents, nullptr, static_cast<unsigned>(argument),
                              code);
}

void FmSession::Close() {
    delete controller_;
    controller_ = nullptr;
}

bool FmSession::EngineClosed() {
    std::lock_guard<std::mutex> lock(g_eventsMutex);
    for (const auto& event : g_events)
        if (event.first == kEngineClosed) return true;
    return false;
}

std::vector<std::pair<int, int>> FmSession::HostEvents() {
    std::lock_guard<std::mutex> lock(g_eventsMutex);
    return g_events;
}

}  // namespace host
