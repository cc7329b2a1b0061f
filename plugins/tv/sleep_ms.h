// Millisecond sleeps of the TV plug-in's threads.
#pragma once

#include <chrono>
#include <thread>

// Sleeps at least ms milliseconds, resuming after interruptions.
inline void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
