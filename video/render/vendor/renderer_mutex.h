// The recursive mutex of the overlay renderers, with the count of holders
// that stands beside it (a renderer's operations call one another while
// holding it). Used with std::lock_guard.
#pragma once

#include <atomic>
#include <mutex>

class CRendererMutex {
  public:
    void lock() {
        mutex_.lock();
        holders_.fetch_add(1, std::memory_order_relaxed);
    }
    void unlock() {
        holders_.fetch_sub(1, std::memory_order_relaxed);
        mutex_.unlock();
    }
    // Levels of ownership held now (by the owning thread).
    int Holders() const { return holders_.load(std::memory_order_relaxed); }

  private:
    std::recursive_mutex mutex_;
    std::atomic<int> holders_{0};
};
