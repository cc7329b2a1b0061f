// Waitable objects: time-outs, recursive mutex ownership, semaphore counts,
// the named-mutex table and a failed acquisition.
#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "platform/debug_log.h"
#include "platform/linux_mutex.h"
#include "platform/linux_semaphore.h"
#include "wait_helpers.h"

namespace {

// The other thread gives back what it took, so no mutex outlives its owner.
int WaitFromOtherThread(CLinuxSyncObject* object, int timeoutMs) {
    return std::async(std::launch::async,
                      [object, timeoutMs] {
                          const int waited = object->Wait(timeoutMs);
                          if (waited == kWaitObject0) object->Release();
                          return waited;
                      })
        .get();
}

TEST(SyncWait, ZeroTimeOutOnAnUnsignalledObjectTimesOutAtOnce) {
    SemaphoreHandle semaphore = MakeSemaphore(0);
    EXPECT_EQ(semaphore->Wait(0), kWaitTimeout);
}

TEST(SyncWait, PositiveTimeOutThatPassesTimesOut) {
    SemaphoreHandle semaphore = MakeSemaphore(0);
    EXPECT_EQ(semaphore->Wait(20), kWaitTimeout);
}

TEST(SyncWait, InfiniteWaitReturnsWhenSignalled) {
    SemaphoreHandle semaphore = MakeSemaphore(0);
    auto waiter = std::async(std::launch::async, [&] { return semaphore->Wait(kInfinite); });
    EXPECT_EQ(LinuxReleaseSemaphore(semaphore.get(), 1, nullptr), 0);
    EXPECT_EQ(waiter.get(), kWaitObject0);
    EXPECT_EQ(semaphore->Wait(0), kWaitTimeout);
}

TEST(SyncWait, PositiveWaitReturnsWhenSignalledInTime) {
    SemaphoreHandle semaphore = MakeSemaphore(0);
    auto waiter = std::async(std::launch::async, [&] { return semaphore->Wait(10000); });
    semaphore->Release();
    EXPECT_EQ(waiter.get(), kWaitObject0);
}

TEST(SyncMutex, NewMutexIsFreeAndOwnedByTheWaiter) {
    MutexHandle mutex = MakeMutex();
    EXPECT_TRUE(mutex->IsSignaled());
    ASSERT_EQ(mutex->Wait(0), kWaitObject0);
    EXPECT_EQ(WaitFromOtherThread(mutex.get(), 0), kWaitTimeout);
    EXPECT_EQ(mutex->Release(), 0);
    EXPECT_EQ(WaitFromOtherThread(mutex.get(), 0), kWaitObject0);
}

TEST(SyncMutex, OwnerWaitsAgainAndMustReleaseAsOften) {
    MutexHandle mutex = MakeMutex();
    ASSERT_EQ(mutex->Wait(kInfinite), kWaitObject0);
    ASSERT_EQ(mutex->Wait(0), kWaitObject0);
    ASSERT_EQ(mutex->Wait(10), kWaitObject0);
    EXPECT_EQ(mutex->Release(), 0);
    EXPECT_EQ(mutex->Release(), 0);
    EXPECT_EQ(WaitFromOtherThread(mutex.get(), 0), kWaitTimeout);
    EXPECT_EQ(mutex->Release(), 0);
    auto other = std::async(std::launch::async, [&] {
        const int waited = mutex->Wait(0);
        return waited == kWaitObject0 ? mutex->Release() : waited;
    });
    EXPECT_EQ(other.get(), 0);
}

TEST(SyncMutex, BlockedThreadGetsTheMutexAfterTheLastRelease) {
    MutexHandle mutex = MakeMutex();
    ASSERT_EQ(mutex->Wait(0), kWaitObject0);
    ASSERT_EQ(mutex->Wait(0), kWaitObject0);
    std::atomic<bool> got{false};
    std::thread waiter([&] {
        if (mutex->Wait(kInfinite) == kWaitObject0) got = true;
        mutex->Release();
    });
    mutex->Release();
    EXPECT_FALSE(got.load());
    mutex->Release();
    waiter.join();
    EXPECT_TRUE(got.load());
}

TEST(SyncMutex, OnlyTheOwnerCanRelease) {
    MutexHandle mutex = MakeMutex();
    ASSERT_EQ(mutex->Wait(0), kWaitObject0);
    const int released = std::async(std::launch::async, [&] { return mutex->Release(); }).get();
    EXPECT_NE(released, 0);
    EXPECT_EQ(mutex->Release(), 0);
}

TEST(SyncSemaphore, ReleaseByThreeAllowsThreeWaitsAndReportsThePreviousCount) {
    SemaphoreHandle semaphore = MakeSemaphore(0);
    EXPECT_FALSE(semaphore->IsSignaled());
    long previous = -1;
    ASSERT_EQ(LinuxReleaseSemaphore(semaphore.get(), 3, &previous), 0);
    EXPECT_EQ(previous, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(semaphore->Wait(0), kWaitObject0) << i;
    EXPECT_EQ(semaphore->Wait(0), kWaitTimeout);
}

TEST(SyncSemaphore, InitialCountAndPreviousValue) {
    SemaphoreHandle semaphore = MakeSemaphore(2);
    EXPECT_TRUE(semaphore->IsSignaled());
    long previous = -1;
    ASSERT_EQ(LinuxReleaseSemaphore(semaphore.get(), 1, &previous), 0);
    EXPECT_EQ(previous, 2);
    EXPECT_EQ(LinuxCreateSemaphore(-1), nullptr);
    EXPECT_EQ(LinuxReleaseSemaphore(nullptr, 1, nullptr), -1);
}

TEST(SyncNamedMutex, FindReturnsTheFirstCreatedUnderAName) {
    MutexHandle first = MakeMutex("platform-test-shared-name");
    MutexHandle second = MakeMutex("platform-test-shared-name");
    EXPECT_EQ(LinuxFindMutex(nullptr, 0, "platform-test-shared-name"), first.get());
    EXPECT_EQ(LinuxFindMutex(nullptr, 0, "platform-test-other-name"), nullptr);
    EXPECT_EQ(LinuxFindMutex(nullptr, 0, "PLATFORM-TEST-SHARED-NAME"), nullptr);
    EXPECT_EQ(LinuxFindMutex(nullptr, 0, nullptr), nullptr);
}

TEST(SyncHandles, ZeroAndAllOnesAreInvalid) {
    EXPECT_FALSE(IsValidHandle(nullptr));
    EXPECT_FALSE(IsValidHandle(reinterpret_cast<void*>(~uintptr_t{0})));
    int object = 0;
    EXPECT_TRUE(IsValidHandle(&object));
}

// An object whose acquisition always fails after a successful wait.
class FailingObject final : public CLinuxSyncObject {
  public:
    const char* GetName() const override { return ""; }
    int Acquire() override { return 5; }
};

TEST(SyncWait, FailedAcquisitionIsLoggedAndFails) {
    auto record = std::make_unique<PerfRecord>();
    std::memset(record.get(), 0, sizeof(PerfRecord));
    PerfMeterAttach(record.get());
    FailingObject object;
    object.SetSignaled(true, true);
    EXPECT_EQ(object.Wait(0), kWaitFailed);
    PerfMeterAttach(nullptr);
    PerfMeterDestroy();
    char expected[64];
    std::snprintf(expected, sizeof(expected), "life sucks! [%p:5]\n", static_cast<void*>(&object));
    EXPECT_STREQ(record->logRing, expected);
}

}  // namespace
