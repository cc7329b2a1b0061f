// What the process holds now: its threads and the files mapped into it. Tests
// of loading and unloading libraries compare the two before and after.
#pragma once

#include <dirent.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

inline int ThreadCount() {
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) return -1;
    int count = 0;
    while (const dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] != '.') ++count;
    }
    closedir(tasks);
    return count;
}

// A joined thread can stay listed for a moment while the kernel reaps it, so
// the count is awaited rather than read once.
inline int ThreadCountSettlingAt(int expected,
                                 std::chrono::milliseconds patience = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    int count = ThreadCount();
    while (count != expected && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
        count = ThreadCount();
    }
    return count;
}

// True while any mapping of the process comes from a file whose name ends in name.
inline bool IsMapped(const std::string& name) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.size() >= name.size() &&
            line.compare(line.size() - name.size(), name.size(), name) == 0 &&
            line[line.size() - name.size() - 1] == '/') {
            return true;
        }
    }
    return false;
}
