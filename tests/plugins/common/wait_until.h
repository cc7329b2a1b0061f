// The condition wait the plug-in tests share: polls, never a fixed sleep.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace plugintest {

// Waits until condition holds; false after timeoutMs.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace plugintest
