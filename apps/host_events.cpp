// The host program's HostCallback and its waits, all bounded in time.
#include "apps/host_events.h"

#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <sstream>
#include <thread>

#include "sim/host/host_journal.h"

namespace host {
namespace {

constexpr int kEngineClosedEvent = 13;
constexpr int kTunerFailedEvent = 11;
constexpr int kSleepTimerEvent = 16;
constexpr int kPollMs = 20;

std::atomic<bool> gEngineClosed{false};
std::atomic<bool> gTunerFailed{false};
std::mutex gSleepLock;
std::deque<int> gSleepReports;
std::mutex gLock;
// The newest events only, as the host's journal keeps its newest lines: a host
// that runs for days must not grow.
constexpr size_t kEventLimit = 20000;
std::deque<std::string> gEvents;

using Clock = std::chrono::steady_clock;

// Long enough for the controller thread (polling every 10 ms) to take the next
// event of a chain; short enough for 10,000 keys in minutes.
constexpr int kNoPauseQuietMs = 25;
constexpr int kNoPausePollMs = 1;
std::atomic<bool> gNoPauses{false};

// Grows whenever the plug-ins call the host or the tuner service. The tuner
// service is the one the plug-ins loaded, so its counter is looked up by name.
uint64_t ActivityMark() {
    using Serial = uint64_t (*)();
    static std::atomic<Serial> tuner{nullptr};
    if (tuner.load() == nullptr) {
        tuner.store(reinterpret_cast<Serial>(dlsym(RTLD_DEFAULT, "sim_tuner_journal_serial")));
    }
    const Serial serial = tuner.load();
    return hostsim::JournalSerial() + (serial != nullptr ? serial() : 0);
}

}  // namespace

int OnHostEvent(int a, int b, int c, int d, int e) {
    std::ostringstream line;
    line << a << ' ' << b << ' ' << c << ' ' << d << ' ' << e;
    {
        std::lock_guard<std::mutex> guard(gLock);
        if (gEvents.size() >= kEventLimit) gEvents.pop_front();
        gEvents.push_back(line.str());
    }
    if (a == 8 && b == kEngineClosedEvent) gEngineClosed.store(true);
    if (a == 8 && b == kTunerFailedEvent) gTunerFailed.store(true);
    if (a == 8 && b == kSleepTimerEvent) NoteSleepReport(c);
    return 0;
}

bool EngineClosed() {
    return gEngineClosed.load();
}

bool TunerFailed() {
    return gTunerFailed.load();
}

void NoteSleepReport(int seconds) {
    std::lock_guard<std::mutex> guard(gSleepLock);
    gSleepReports.push_back(seconds);
}

bool TakeSleepReport(int* seconds) {
    std::lock_guard<std::mutex> guard(gSleepLock);
    if (gSleepReports.empty()) return false;
    *seconds = gSleepReports.front();
    gSleepReports.pop_front();
    return true;
}

void ResetHostEvents() {
    gEngineClosed.store(false);
    gTunerFailed.store(false);
    {
        std::lock_guard<std::mutex> guard(gSleepLock);
        gSleepReports.clear();
    }
    std::lock_guard<std::mutex> guard(gLock);
    gEvents.clear();
}

std::string HostEventsText() {
    std::lock_guard<std::mutex> guard(gLock);
    std::string text;
    for (const auto& event : gEvents) text += "  host " + event + "\n";
    return text;
}

void SetNoPauses(bool on) {
    gNoPauses.store(on);
}

bool NoPauses() {
    return gNoPauses.load();
}

void WaitUntilQuiet(int quietMs, int maxMs) {
    WaitUntilQuiet(quietMs, maxMs, [] {});
}

void WaitUntilQuiet(int quietMs, int maxMs, const std::function<void()>& eachPoll) {
    if (NoPauses()) quietMs = std::min(quietMs, kNoPauseQuietMs);
    const int pollMs = NoPauses() ? kNoPausePollMs : kPollMs;
    const auto deadline = Clock::now() + std::chrono::milliseconds(maxMs);
    uint64_t mark = ActivityMark();
    auto lastChange = Clock::now();
    while (Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
        eachPoll();
        const uint64_t now = ActivityMark();
        if (now != mark) {
            mark = now;
            lastChange = Clock::now();
        } else if (Clock::now() - lastChange >= std::chrono::milliseconds(quietMs)) {
            return;
        }
    }
}

bool WaitForEngineClosed(int maxMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(maxMs);
    while (!EngineClosed() && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    return EngineClosed();
}

}  // namespace host
