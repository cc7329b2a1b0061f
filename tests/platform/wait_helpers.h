// Small helpers for threading tests: owned layer objects and waiting for a
// condition with a generous time-out instead of sleeping.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "platform/linux_mutex.h"
#include "platform/linux_semaphore.h"

using SemaphoreHandle = std::unique_ptr<CLinuxSemaphore>;
using MutexHandle = std::unique_ptr<CLinuxMutex>;

inline SemaphoreHandle MakeSemaphore(int count) {
    return SemaphoreHandle(LinuxCreateSemaphore(count));
}
inline MutexHandle MakeMutex(const char* name = nullptr) {
    return MutexHandle(LinuxCreateMutex(nullptr, 0, name));
}

// True once condition holds; false after ten seconds.
inline bool Eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}
