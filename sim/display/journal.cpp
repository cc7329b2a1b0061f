// Journal lines and armed faults, one process-wide instance behind a mutex.
#include "sim/display/journal.h"

#include <deque>
#include <map>
#include <mutex>

namespace simdisplay {
namespace {

// Long runs of the host program must not grow the journal without bound.
constexpr size_t kMaxLines = 20000;

struct Fault {
    int32_t result = 0;
    int skip = 0;
    int timesLeft = 0;  // < 0: until cleared
};

struct Journal {
    std::mutex mutex;
    std::deque<std::string> lines;
    std::map<std::string, Fault> byCall;
    std::map<int, Fault> byKind;
};

Journal& TheJournal() {
    static Journal journal;
    return journal;
}

// Counts the call against an armed fault; true when this call fails.
template <typename Key>
bool Consume(std::map<Key, Fault>& faults, const Key& key, int32_t* result) {
    auto it = faults.find(key);
    if (it == faults.end()) return false;
    Fault& f = it->second;
    if (f.skip > 0) {
        --f.skip;
        return false;
    }
    *result = f.result;
    if (f.timesLeft > 0 && --f.timesLeft == 0) faults.erase(it);
    return true;
}

void Append(Journal& j, std::string line) {
    if (j.lines.size() >= kMaxLines) j.lines.pop_front();
    j.lines.push_back(std::move(line));
}

}  // namespace

Armed JournalCall(const char* name, const std::string& args, FaultKind kind, const char* key) {
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    Armed armed;
    if (key != nullptr && Consume(j.byCall, std::string(key), &armed.result))
        armed.faulted = armed.byName = true;
    else if (Consume(j.byCall, std::string(name), &armed.result))
        armed.faulted = armed.byName = true;
    else if (kind != FaultKind::kNone && Consume(j.byKind, int(kind), &armed.result))
        armed.faulted = true;
    std::string line = args.empty() ? std::string(name) : std::string(name) + " " + args;
    if (armed.faulted) line += " -> fault";
    Append(j, std::move(line));
    return armed;
}

void JournalNote(const std::string& line) {
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    Append(j, line);
}

void JournalClear() {
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    j.lines.clear();
}

std::vector<std::string> JournalLines() {
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    return {j.lines.begin(), j.lines.end()};
}

void ArmFault(const std::string& call, int32_t result, int skip, int times) {
    if (call.empty() || times == 0) return;
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    j.byCall[call] = Fault{result, skip < 0 ? 0 : skip, times};
}

void ArmKindFault(FaultKind kind, int skip, int times) {
    if (kind == FaultKind::kNone || times == 0) return;
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    j.byKind[int(kind)] = Fault{0, skip < 0 ? 0 : skip, times};
}

void ClearFaults() {
    Journal& j = TheJournal();
    std::lock_guard<std::mutex> lock(j.mutex);
    j.byCall.clear();
    j.byKind.clear();
}

}  // namespace simdisplay
