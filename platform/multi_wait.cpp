// Wait-for-any through the multi-wait table, and wait-for-all with release of
// partly acquired objects.
//
// Lock order: an object's lock, then the table mutex, then a multi-wait's
// lock. A waiting multi-wait never holds its own lock while it polls its
// objects or changes the table, so nothing takes these locks the other way round.
#include "platform/multi_wait.h"

#include <atomic>
#include <cerrno>
#include <mutex>

#include "platform/debug_log.h"

namespace {

struct MultiWaitTable {
    std::mutex guard;
    CLinuxMultiWait* slots[kMultiWaitSlots] = {};
    std::atomic<int> used{0};
};

MultiWaitTable& Table() {
    static MultiWaitTable table;
    return table;
}

bool Register(CLinuxMultiWait* wait) {
    MultiWaitTable& table = Table();
    std::lock_guard<std::mutex> hold(table.guard);
    for (CLinuxMultiWait*& slot : table.slots) {
        if (slot != nullptr) continue;
        slot = wait;
        table.used.fetch_add(1);
        return true;
    }
    return false;
}

bool Unregister(CLinuxMultiWait* wait) {
    MultiWaitTable& table = Table();
    std::lock_guard<std::mutex> hold(table.guard);
    for (CLinuxMultiWait*& slot : table.slots) {
        if (slot != wait) continue;
        slot = nullptr;
        table.used.fetch_sub(1);
        return true;
    }
    return false;
}

bool Watches(const CLinuxMultiWait& wait, const CLinuxSyncObject* object) {
    for (uint32_t i = 0; i < wait.Count(); ++i) {
        if (wait.Handles()[i] == object) return true;
    }
    return false;
}

int WaitForAny(uint32_t count, CLinuxSyncObject* const* handles, int timeoutMs) {
    CLinuxMultiWait wait(count, handles);
    if (!Register(&wait)) return kWaitFailed;
    const int rc = wait.Wait(timeoutMs);
    if (rc != kWaitObject0) {
        Unregister(&wait);
        return rc;
    }
    return static_cast<int>(wait.FoundIndex());
}

void ReleaseAcquired(CLinuxSyncObject* const* handles, uint32_t blocking, uint32_t failed) {
    for (uint32_t i = 0; i < failed; ++i) {
        if (i != blocking && IsValidHandle(handles[i])) handles[i]->Release();
    }
    handles[blocking]->Release();
}

// The first object (other than the blocking one) that cannot be taken at
// once, or count when all were taken.
uint32_t PollOthers(uint32_t count, CLinuxSyncObject* const* handles, uint32_t blocking) {
    for (uint32_t i = 0; i < count; ++i) {
        if (i == blocking) continue;
        if (!IsValidHandle(handles[i]) || handles[i]->Wait(0) != kWaitObject0) return i;
    }
    return count;
}

int WaitForAll(uint32_t count, CLinuxSyncObject* const* handles, int timeoutMs) {
    if (count == 0) return kWaitFailed;
    uint32_t blocking = 0;
    int64_t remaining = timeoutMs;
    for (;;) {
        const uint64_t start = MonotonicMs();
        if (!IsValidHandle(handles[blocking])) return kWaitFailed;
        const int rc = handles[blocking]->Wait(static_cast<int>(remaining));
        if (rc != kWaitObject0) return rc;
        const uint32_t failed = PollOthers(count, handles, blocking);
        if (failed == count) return kWaitObject0;
        ReleaseAcquired(handles, blocking, failed);
        if (timeoutMs != kInfinite) {
            const int64_t elapsed = static_cast<int64_t>(MonotonicMs() - start);
            if (elapsed >= remaining) return kWaitTimeout;
            remaining -= elapsed;
        }
        blocking = failed;
    }
}

}  // namespace

CLinuxMultiWait::CLinuxMultiWait(uint32_t count, CLinuxSyncObject* const* handles)
    : count_(count), handles_(handles) {}

int CLinuxMultiWait::Acquire() {
    return Unregister(this) ? 0 : -1;
}

bool CLinuxMultiWait::IsSignaled() {
    for (uint32_t i = 0; i < count_; ++i) {
        if (IsValidHandle(handles_[i]) && handles_[i]->Wait(0) == kWaitObject0) {
            found_ = i;
            return true;
        }
    }
    return false;
}

// Not SetSignaled: nobody waits for a multi-wait, and the table mutex is held here.
void CLinuxMultiWait::Poke() {
    if (LockObject() != 0) return;
    signaled_ = true;
    pthread_cond_broadcast(&condition_);
    UnlockObject();
}

bool CLinuxMultiWait::SleepUntilPoked(int timeoutMs, const struct timespec& deadline, int* result) {
    if (LockObject() != 0) {
        *result = kWaitFailed;
        return false;
    }
    while (!signaled_) {
        if (timeoutMs == 0) {
            *result = kWaitTimeout;
            break;
        }
        const int rc = WaitCondition(timeoutMs, deadline);
        if (signaled_) break;
        if (rc == ETIMEDOUT) *result = kWaitTimeout;
        if (rc != 0 && rc != EINTR && rc != ETIMEDOUT) *result = kWaitFailed;
        if (rc == ETIMEDOUT || (rc != 0 && rc != EINTR)) break;
    }
    const bool poked = signaled_;
    UnlockObject();
    return poked;
}

int CLinuxMultiWait::Wait(int timeoutMs) {
    timespec deadline{};
    if (timeoutMs != kInfinite && !DeadlineFromTimeout(timeoutMs, &deadline)) return kWaitFailed;
    for (;;) {
        // Cleared before polling: a signal that arrives after the poll sets it again.
        SetSignaled(false, true);
        if (IsSignaled()) break;
        int result = kWaitTimeout;
        if (!SleepUntilPoked(timeoutMs, deadline, &result)) return result;
    }
    const int acquired = Acquire();
    if (acquired != 0) {
        DebugPrint("life sucks! [%p:%d]\n", static_cast<void*>(this), acquired);
        return kWaitFailed;
    }
    return kWaitObject0;
}

int NotifyMultiWaits(CLinuxSyncObject* object) {
    MultiWaitTable& table = Table();
    if (table.used.load() == 0) return 2;
    int result = 2;
    std::lock_guard<std::mutex> hold(table.guard);
    for (CLinuxMultiWait* wait : table.slots) {
        if (wait == nullptr || wait->Count() == 0 || !Watches(*wait, object)) continue;
        wait->Poke();
        result = 0;
    }
    return result;
}

int MultiWaitsInUse() {
    return Table().used.load();
}

int LinuxWaitForObjects(uint32_t count, CLinuxSyncObject* const* handles, bool waitAll,
                        int timeoutMs) {
    if (handles == nullptr && count > 0) return kWaitFailed;
    if (waitAll) return WaitForAll(count, handles, timeoutMs);
    if (count == 1 && IsValidHandle(handles[0])) return handles[0]->Wait(timeoutMs);
    return WaitForAny(count, handles, timeoutMs);
}
