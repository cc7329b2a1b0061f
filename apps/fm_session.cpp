// Loads libsonidra as a host does and talks to its FM controller.
#include "apps/fm_session.h"

#include <mutex>

#include "apps/host_events.h"
#include "apps/plugin_loader.h"
#include "interfaces/host_framework.h"
#include "sim/host/host_journal.h"

namespace host {
namespace {

constexpr char kFmLibrary[] = "libsonidra.so";
constexpr char kFmFactory[] = "ZaqCreateFmController";

enum NotifyType : unsigned { kCreateEngine = 0, kHostCallback = 1, kKey = 2, kSleepMinutes = 24 };

constexpr int kMenuEvents = 3;
constexpr int kEngineClosed = 13;
constexpr int kStartFailed = 11;
constexpr int kSleepTimer = 16;

std::mutex g_eventsMutex;
std::vector<std::pair<int, int>> g_events;

int OnFmHostEvent(int, int code, int argument, int, int) {
    {
        std::lock_guard<std::mutex> lock(g_eventsMutex);
        g_events.emplace_back(code, argument);
    }
    if (code == kSleepTimer) NoteSleepReport(argument);
    return 0;
}

bool Heard(int code) {
    std::lock_guard<std::mutex> lock(g_eventsMutex);
    for (const auto& event : g_events)
        if (event.first == code) return true;
    return false;
}

}  // namespace

FmSession::~FmSession() {
    Close();
}

bool FmSession::Open() {
    {
        std::lock_guard<std::mutex> lock(g_eventsMutex);
        g_events.clear();
    }
    ResetHostEvents();
    controller_ = CreateController(kFmLibrary, kFmFactory);
    if (!controller_) return false;
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
    SendMenuEvent(kMenuEvents, code, argument);
}

void FmSession::SendMenuEvent(int set, int code, int argument) {
    hostsim::MenuSendEventFor(kMediaFm, set, nullptr, static_cast<unsigned>(argument), code);
}

void FmSession::SendSleepMinutes(int minutes) {
    if (controller_) controller_->Notify(kSleepMinutes, nullptr, 0, minutes);
}

void FmSession::Close() {
    delete controller_;
    controller_ = nullptr;
}

bool FmSession::EngineClosed() {
    return Heard(kEngineClosed);
}

bool FmSession::TunerFailed() {
    return Heard(kStartFailed);
}

std::vector<std::pair<int, int>> FmSession::HostEvents() {
    std::lock_guard<std::mutex> lock(g_eventsMutex);
    return g_events;
}

}  // namespace host
