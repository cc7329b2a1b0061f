// A counting semaphore that can be waited for like any waitable object.
#pragma once

#include <semaphore.h>

#include "platform/sync_object.h"

class CLinuxSemaphore final : public CLinuxSyncObject {
  public:
    CLinuxSemaphore() = default;
    ~CLinuxSemaphore() override;

    bool Init(unsigned initialCount);
    const char* GetName() const override { return ""; }
    int Acquire() override;
    // A release by one.
    int Release() override;
    // Posts count units; stores the value before the release in previous if given.
    int ReleaseBy(int count, long* previous);

  private:
    sem_t semaphore_{};
    bool initialised_ = false;
};

// Null when the semaphore cannot be initialised.
CLinuxSemaphore* LinuxCreateSemaphore(int initialCount);
int LinuxReleaseSemaphore(CLinuxSemaphore* semaphore, int count, long* previous);
