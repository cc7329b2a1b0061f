// The named-mutex table: names in insertion order, searched first-created first.
#include <mutex>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "platform/linux_mutex.h"

namespace {

struct NamedMutexTable {
    std::mutex guard;
    std::vector<std::pair<std::string, CLinuxMutex*>> entries;
};

NamedMutexTable& Table() {
    static NamedMutexTable table;
    return table;
}

}  // namespace

CLinuxMutex* LinuxCreateMutex(const void*, int, const char* name) {
    CLinuxMutex* mutex = new (std::nothrow) CLinuxMutex();
    if (mutex == nullptr || name == nullptr) return mutex;
    NamedMutexTable& table = Table();
    std::lock_guard<std::mutex> hold(table.guard);
    table.entries.emplace_back(name, mutex);
    return mutex;
}

CLinuxMutex* LinuxFindMutex(const void*, int, const char* name) {
    if (name == nullptr) return nullptr;
    NamedMutexTable& table = Table();
    std::lock_guard<std::mutex> hold(table.guard);
    for (const auto& entry : table.entries) {
        if (entry.first == name) return entry.second;
    }
    return nullptr;
}

void ClearNamedMutexTable() {
    NamedMutexTable& table = Table();
    std::lock_guard<std::mutex> hold(table.guard);
    std::vector<std::pair<std::string, CLinuxMutex*>>().swap(table.entries);
}
