// The host program's HostCallback and its waits, all bounded in time.
#include "apps/host_events.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

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
std::vector<std::string> gEvents;

using Clock = std::chrono::steady_clock;

// Something that changes whenever the journal gains a line, even once it is
// full and drops its oldest lines.
std::string JournalMark() {
    const auto journal = hostsim::JournalSnapshot();
    return std::to_string(journal.size()) + (journal.empty() ? "" : journal.back());
}

}  // namespace

int OnHostEvent(int a, int b, int c, int d, int e) {
    std::ostringstream line;
    line << a << ' ' << b << ' ' << c << ' ' << d << ' ' << e;
    {
        std::lock_guard<std::mutex> guard(gLock);
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

void WaitUntilQuiet(int quietMs, int maxMs) {
    WaitUntilQuiet(quietMs, maxMs, [] {});
}

void WaitUntilQuiet(int quietMs, int maxMs, const std::function<void()>& eachPoll) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(maxMs);
    std::string mark = JournalMark();
    auto lastChange = Clock::now();
    while (Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        eachPoll();
        const std::string now = JournalMark();
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
