// CLinuxSemaphore: signalled while units remain as far as this layer has seen.
#include "platform/linux_semaphore.h"

#include <memory>
#include <new>

CLinuxSemaphore::~CLinuxSemaphore() {
    if (initialised_) sem_destroy(&semaphore_);
}

bool CLinuxSemaphore::Init(unsigned initialCount) {
    if (sem_init(&semaphore_, 0, initialCount) != 0) return false;
    initialised_ = true;
    SetSignaled(initialCount > 0, true);
    return true;
}

int CLinuxSemaphore::Acquire() {
    if (sem_trywait(&semaphore_) != 0) return -1;
    int value = 0;
    sem_getvalue(&semaphore_, &value);
    if (value == 0) signaled_ = false;
    return 0;
}

int CLinuxSemaphore::Release() {
    return ReleaseBy(1, nullptr);
}

int CLinuxSemaphore::ReleaseBy(int count, long* previous) {
    int rc = LockObject();
    if (rc != 0) return rc;
    if (previous != nullptr) {
        int value = 0;
        sem_getvalue(&semaphore_, &value);
        *previous = value;
    }
    int posted = 0;
    while (posted < count && sem_post(&semaphore_) == 0) ++posted;
    if (posted > 0) rc = SetSignaled(true, false);
    const int unlocked = UnlockObject();
    return rc != 0 ? rc : unlocked;
}

CLinuxSemaphore* LinuxCreateSemaphore(int initialCount) {
    if (initialCount < 0) return nullptr;
    std::unique_ptr<CLinuxSemaphore> semaphore(new (std::nothrow) CLinuxSemaphore());
    if (!semaphore || !semaphore->Init(static_cast<unsigned>(initialCount))) return nullptr;
    return semaphore.release();
}

int LinuxReleaseSemaphore(CLinuxSemaphore* semaphore, int count, long* previous) {
    if (!IsValidHandle(semaphore)) return -1;
    return semaphore->ReleaseBy(count, previous);
}
