// The journal of calls into the host: appended from any thread, read by tests.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "sim/host/host_world.h"

namespace hostsim {
namespace {

struct Journal {
    std::atomic<uint64_t> serial{0};
    std::mutex mutex;
    std::condition_variable grew;
    std::deque<std::string> lines;
};

Journal& TheJournal() {
    static Journal journal;
    return journal;
}

bool StartsWith(const std::string& line, const std::string& prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

bool AnyStartsWith(const std::deque<std::string>& lines, const std::string& prefix) {
    for (const auto& line : lines) {
        if (StartsWith(line, prefix)) return true;
    }
    return false;
}

}  // namespace

void Record(const std::string& line) {
    Journal& journal = TheJournal();
    {
        std::lock_guard<std::mutex> lock(journal.mutex);
        // A long-running host must not grow without bound.
        if (journal.lines.size() >= kJournalLimit) journal.lines.pop_front();
        journal.lines.push_back(line);
        journal.serial.fetch_add(1);
    }
    journal.grew.notify_all();
}

uint64_t JournalSerial() {
    return TheJournal().serial.load();
}

void JournalClear() {
    Journal& journal = TheJournal();
    std::lock_guard<std::mutex> lock(journal.mutex);
    journal.lines.clear();
}

std::vector<std::string> JournalSnapshot() {
    Journal& journal = TheJournal();
    std::lock_guard<std::mutex> lock(journal.mutex);
    return {journal.lines.begin(), journal.lines.end()};
}

std::vector<std::string> JournalFind(const std::string& prefix) {
    std::vector<std::string> found;
    for (auto& line : JournalSnapshot()) {
        if (StartsWith(line, prefix)) found.push_back(std::move(line));
    }
    return found;
}

size_t JournalCount(const std::string& prefix) {
    return JournalFind(prefix).size();
}

bool JournalContains(const std::string& line) {
    for (const auto& recorded : JournalSnapshot()) {
        if (recorded == line) return true;
    }
    return false;
}

bool JournalWaitFor(const std::string& prefix, int timeoutMs) {
    Journal& journal = TheJournal();
    std::unique_lock<std::mutex> lock(journal.mutex);
    return journal.grew.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                 [&] { return AnyStartsWith(journal.lines, prefix); });
}

}  // namespace hostsim
