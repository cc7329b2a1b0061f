// A recursive mutex that can be waited for like any waitable object, and the
// named-mutex table through which separate parts of the library share one.
#pragma once

#include "platform/sync_object.h"

class CLinuxMutex final : public CLinuxSyncObject {
  public:
    CLinuxMutex();
    ~CLinuxMutex() override;

    const char* GetName() const override { return ""; }
    int Acquire() override;
    int Wait(int timeoutMs) override;
    bool IsSignaled() override;
    // Gives up one level of ownership; only the owner can.
    int Release() override;

  private:
    static constexpr unsigned long kNoOwner = 0xDEADBEEF;

    bool valid_ = false;
    pthread_mutex_t ownerLock_;
    int recursion_ = 0;
    unsigned long owner_ = kNoOwner;
};

// A new, free mutex; a non-null name is added to the named-mutex table
// (duplicates allowed). Null when allocation fails.
CLinuxMutex* LinuxCreateMutex(const void* attributes, int initialOwner, const char* name);

// The first mutex created under name, or null.
CLinuxMutex* LinuxFindMutex(const void* attributes, int inherit, const char* name);

// Frees the table's storage at unload; the mutexes themselves belong to their creators.
void ClearNamedMutexTable();
