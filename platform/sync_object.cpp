// The base wait of every waitable object and the signalled-state change that
// wakes its waiters and any wait-for-any watching it.
#include "platform/sync_object.h"

#include <sched.h>
#include <sys/time.h>

#include <cerrno>
#include <ctime>

#include "platform/debug_log.h"
#include "platform/multi_wait.h"

namespace {

// Every 25th interruption lets other threads run before waiting again.
constexpr int kInterruptionsBeforeYield = 25;

void InitRecursive(pthread_mutex_t* mutex) {
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(mutex, &attributes);
    pthread_mutexattr_destroy(&attributes);
}

}  // namespace

bool DeadlineFromTimeout(int timeoutMs, struct timespec* deadline) {
    timeval now{};
    if (gettimeofday(&now, nullptr) != 0) return false;
    deadline->tv_sec = now.tv_sec + timeoutMs / 1000;
    long nanoseconds = now.tv_usec * 1000L + (timeoutMs % 1000) * 1000000L;
    deadline->tv_sec += nanoseconds / 1000000000L;
    deadline->tv_nsec = nanoseconds % 1000000000L;
    return true;
}

uint64_t MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000u +
           static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

CLinuxSyncObject::CLinuxSyncObject() {
    InitRecursive(&lock_);
    pthread_cond_init(&condition_, nullptr);
}

CLinuxSyncObject::~CLinuxSyncObject() {
    pthread_cond_destroy(&condition_);
    pthread_mutex_destroy(&lock_);
}

int CLinuxSyncObject::LockObject() {
    return pthread_mutex_lock(&lock_);
}

int CLinuxSyncObject::UnlockObject() {
    return pthread_mutex_unlock(&lock_);
}

bool CLinuxSyncObject::IsSignaled() {
    return signaled_;
}

int CLinuxSyncObject::Release() {
    return 0;
}

int CLinuxSyncObject::SetSignaled(bool state, bool takeLock) {
    if (takeLock) {
        const int rc = LockObject();
        if (rc != 0) return rc;
    }
    const bool wasSignaled = signaled_;
    signaled_ = state;
    if (state && !wasSignaled) {
        const int rc = pthread_cond_broadcast(&condition_);
        if (rc != 0) {
            if (takeLock) UnlockObject();
            return rc;
        }
        NotifyMultiWaits(this);
    }
    return takeLock ? UnlockObject() : 0;
}

int CLinuxSyncObject::WaitCondition(int timeoutMs, const struct timespec& deadline) {
    if (timeoutMs == kInfinite) return pthread_cond_wait(&condition_, &lock_);
    return pthread_cond_timedwait(&condition_, &lock_, &deadline);
}

int CLinuxSyncObject::Wait(int timeoutMs) {
    timespec deadline{};
    if (timeoutMs != kInfinite && !DeadlineFromTimeout(timeoutMs, &deadline)) return kWaitFailed;
    if (LockObject() != 0) return kWaitFailed;
    int interruptions = 0;
    while (!IsSignaled()) {
        errno = 0;
        if (timeoutMs == 0) {
            UnlockObject();
            return kWaitTimeout;
        }
        const int rc = WaitCondition(timeoutMs, deadline);
        if (rc == EINTR || (rc == 0 && errno == EINTR)) {
            if (++interruptions % kInterruptionsBeforeYield == 0) {
                UnlockObject();
                sched_yield();
                LockObject();
            }
            continue;
        }
        if (IsSignaled()) break;
        if (rc != 0) {
            UnlockObject();
            return rc == ETIMEDOUT ? kWaitTimeout : kWaitFailed;
        }
    }
    const int acquired = Acquire();
    if (acquired != 0) {
        DebugPrint("life sucks! [%p:%d]\n", static_cast<void*>(this), acquired);
        UnlockObject();
        return kWaitFailed;
    }
    return UnlockObject() == 0 ? kWaitObject0 : kWaitFailed;
}
