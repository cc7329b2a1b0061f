// Waiting for one or all of several waitable objects, and the table of the
// wait-for-any calls in progress that objects wake when they become signalled.
#pragma once

#include <cstdint>

#include "platform/sync_object.h"

// Slots of the table: at most this many wait-for-any calls at a time.
constexpr int kMultiWaitSlots = 20;

// One wait-for-any call; lives on that call's stack.
class CLinuxMultiWait final : public CLinuxSyncObject {
  public:
    CLinuxMultiWait(uint32_t count, CLinuxSyncObject* const* handles);

    const char* GetName() const override { return ""; }
    // Leaves the table.
    int Acquire() override;
    // Polls the objects without holding this object's lock, so that an object
    // that becomes signalled (holding its own lock) can always wake us.
    int Wait(int timeoutMs) override;
    // Polls the objects in order and acquires the first that is signalled.
    bool IsSignaled() override;

    uint32_t Count() const { return count_; }
    CLinuxSyncObject* const* Handles() const { return handles_; }
    uint32_t FoundIndex() const { return found_; }
    // Called by the table when one of our objects became signalled.
    void Poke();

  private:
    bool SleepUntilPoked(int timeoutMs, const struct timespec& deadline, int* result);

    uint32_t count_;
    CLinuxSyncObject* const* handles_;
    uint32_t found_ = 0;
};

// Run when object became signalled; wakes every wait-for-any watching it.
// 0 when at least one was woken, 2 otherwise.
int NotifyMultiWaits(CLinuxSyncObject* object);

// Slots of the table in use now.
int MultiWaitsInUse();

// Wait for any: the index of the object acquired. Wait for all: 0 when every
// object was acquired. kWaitTimeout or kWaitFailed otherwise.
int LinuxWaitForObjects(uint32_t count, CLinuxSyncObject* const* handles, bool waitAll,
                        int timeoutMs);
