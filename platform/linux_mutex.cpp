// CLinuxMutex: ownership by thread id over a recursive owner lock.
#include "platform/linux_mutex.h"

#include <cerrno>
#include <new>

namespace {

unsigned long CurrentThreadId() {
    return static_cast<unsigned long>(pthread_self());
}

}  // namespace

CLinuxMutex::CLinuxMutex() {
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&ownerLock_, &attributes);
    pthread_mutexattr_destroy(&attributes);
    valid_ = true;
    SetSignaled(true, true);
}

CLinuxMutex::~CLinuxMutex() {
    if (valid_) pthread_mutex_destroy(&ownerLock_);
    valid_ = false;
}

bool CLinuxMutex::IsSignaled() {
    if (signaled_) return true;
    return recursion_ > 0 && owner_ == CurrentThreadId();
}

int CLinuxMutex::Acquire() {
    if (pthread_mutex_trylock(&ownerLock_) != 0) return -1;
    ++recursion_;
    signaled_ = false;
    owner_ = CurrentThreadId();
    return 0;
}

int CLinuxMutex::Wait(int timeoutMs) {
    if (!valid_) return kWaitFailed;
    return CLinuxSyncObject::Wait(timeoutMs);
}

int CLinuxMutex::Release() {
    if (!valid_) return -1;
    int rc = LockObject();
    if (rc != 0) return rc;
    // Checked here rather than left to the owner lock: unlocking a POSIX
    // mutex from a thread that does not hold it is undefined.
    if (recursion_ <= 0 || owner_ != CurrentThreadId()) {
        UnlockObject();
        return EPERM;
    }
    rc = pthread_mutex_unlock(&ownerLock_);
    if (rc != 0) {
        UnlockObject();
        return rc;
    }
    if (--recursion_ == 0) {
        owner_ = kNoOwner;
        rc = SetSignaled(true, false);
    }
    const int unlocked = UnlockObject();
    return rc != 0 ? rc : unlocked;
}
