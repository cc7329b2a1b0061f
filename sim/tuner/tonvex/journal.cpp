// Journal and armed faults, one process-wide instance behind a mutex.
#include "sim/tuner/tonvex/journal.h"

#include <atomic>
#include <deque>
#include <map>
#include <mutex>

namespace tonvex {
namespace {

// Long runs of the host program must not grow the journal without bound.
constexpr size_t kMaxLines = 20000;

struct Fault {
    int result;
    int timesLeft;  // < 0: until cleared
};

struct Journal {
    std::atomic<uint64_t> serial{0};
    std::mutex mutex;
    std::deque<std::string> lines;
    std::map<std::string, Fault> faults;
};

Journal& TheJournal() {
    static Journal journal;
    return journal;
}

}  // namespace

bool JournalCall(const char* name, const std::string& args, int* fault) {
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    std::string line = args.empty() ? std::string(name) : std::string(name) + " " + args;
    bool armed = false;
    auto it = j.faults.find(name);
    if (it != j.faults.end()) {
        armed = true;
        if (fault) *fault = it->second.result;
        if (it->second.timesLeft > 0 && --it->second.timesLeft == 0) j.faults.erase(it);
        line += " -> fault";
    }
    if (j.lines.size() >= kMaxLines) j.lines.pop_front();
    j.lines.push_back(std::move(line));
    j.serial.fetch_add(1);
    return armed;
}

void JournalClear() {
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    j.lines.clear();
}

uint64_t JournalSerial() {
    return TheJournal().serial.load();
}

std::vector<std::string> JournalLines() {
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    return {j.lines.begin(), j.lines.end()};
}

void ArmFault(const char* name, int result, int times) {
    if (!name || times == 0) return;
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    j.faults[name] = Fault{result, times};
}

void ClearFaults() {
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    j.faults.clear();
}

}  // namespace tonvex
