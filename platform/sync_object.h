// Waitable objects of the threading layer: a signalled state guarded by the
// object's own recursive lock, with a condition broadcast when it turns on.
#pragma once

#include <pthread.h>

#include <cstdint>

// Result conventions of the layer's waits.
constexpr int kWaitObject0 = 0;
constexpr int kWaitTimeout = 258;
constexpr int kStillActive = 259;
constexpr int kWaitFailed = -1;
constexpr int kInfinite = -1;

// A handle of 0 or all ones names no object; callers skip operations on them.
inline bool IsValidHandle(const void* handle) {
    return handle != nullptr && reinterpret_cast<uintptr_t>(handle) != ~uintptr_t{0};
}

class CLinuxSyncObject {
  public:
    CLinuxSyncObject();
    virtual ~CLinuxSyncObject();
    CLinuxSyncObject(const CLinuxSyncObject&) = delete;
    CLinuxSyncObject& operator=(const CLinuxSyncObject&) = delete;

    virtual const char* GetName() const = 0;
    // Consumes the signalled state after a successful wait; runs with the
    // object's lock held. 0 on success.
    virtual int Acquire() = 0;
    // Time-out in milliseconds, 0 to poll, kInfinite for no limit. Returns 0,
    // kWaitTimeout or kWaitFailed.
    virtual int Wait(int timeoutMs);
    virtual bool IsSignaled();
    virtual int Release();

    int SetSignaled(bool state, bool takeLock);

  protected:
    int LockObject();
    int UnlockObject();
    int WaitCondition(int timeoutMs, const struct timespec& deadline);

    pthread_mutex_t lock_;
    pthread_cond_t condition_;
    bool signaled_ = false;
};

// Absolute wall-clock deadline timeoutMs from now; false when the clock fails.
bool DeadlineFromTimeout(int timeoutMs, struct timespec* deadline);

// Milliseconds on a clock that never wraps or jumps, for measuring elapsed time.
uint64_t MonotonicMs();
