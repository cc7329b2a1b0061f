// Waiting for any or all of several objects, and the 20-slot table of
// wait-for-any calls.
#include "platform/multi_wait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

#include "wait_helpers.h"

namespace {

TEST(WaitForAny, ReturnsTheFirstSignalledAndConsumesOnlyIt) {
    SemaphoreHandle s0 = MakeSemaphore(0), s1 = MakeSemaphore(1), s2 = MakeSemaphore(1);
    CLinuxSyncObject* handles[] = {s0.get(), s1.get(), s2.get()};
    EXPECT_EQ(LinuxWaitForObjects(3, handles, false, 0), 1);
    EXPECT_EQ(s1->Wait(0), kWaitTimeout);
    EXPECT_EQ(s2->Wait(0), kWaitObject0);
}

TEST(WaitForAny, TimesOutWhenNothingIsSignalled) {
    SemaphoreHandle s0 = MakeSemaphore(0), s1 = MakeSemaphore(0);
    CLinuxSyncObject* handles[] = {s0.get(), s1.get()};
    EXPECT_EQ(LinuxWaitForObjects(2, handles, false, 0), kWaitTimeout);
    EXPECT_EQ(LinuxWaitForObjects(2, handles, false, 20), kWaitTimeout);
}

TEST(WaitForAny, WakesWhenAnObjectIsSignalledLater) {
    SemaphoreHandle s0 = MakeSemaphore(0), s1 = MakeSemaphore(0);
    MutexHandle mutex = MakeMutex();
    ASSERT_EQ(mutex->Wait(0), kWaitObject0);
    CLinuxSyncObject* handles[] = {s0.get(), mutex.get(), s1.get()};
    auto waiter = std::async(std::launch::async, [&] {
        const int index = LinuxWaitForObjects(3, handles, false, kInfinite);
        if (index == 1) mutex->Release();
        return index;
    });
    mutex->Release();
    EXPECT_EQ(waiter.get(), 1);
    CLinuxSyncObject* semaphores[] = {s0.get(), s1.get()};
    auto second = std::async(std::launch::async,
                             [&] { return LinuxWaitForObjects(2, semaphores, false, 10000); });
    s1->Release();
    EXPECT_EQ(second.get(), 1);
}

TEST(WaitForAny, ManyWaitersShareSignalsWithoutLosingAny) {
    SemaphoreHandle s0 = MakeSemaphore(0), s1 = MakeSemaphore(0);
    CLinuxSyncObject* handles[] = {s0.get(), s1.get()};
    constexpr int kWaiters = 8;
    std::vector<std::thread> waiters;
    std::atomic<int> woken{0};
    for (int i = 0; i < kWaiters; ++i) {
        waiters.emplace_back([&] {
            if (LinuxWaitForObjects(2, handles, false, kInfinite) >= 0) ++woken;
        });
    }
    for (int i = 0; i < kWaiters; ++i) (i % 2 ? s0 : s1)->Release();
    for (std::thread& waiter : waiters) waiter.join();
    EXPECT_EQ(woken.load(), kWaiters);
    EXPECT_EQ(LinuxWaitForObjects(2, handles, false, 0), kWaitTimeout);
}

// Releases signal (object lock, table, waiter) while other waiters poll the
// same objects; arranged any other way round these threads would deadlock.
TEST(WaitForAny, SignallingWhileOthersPollNeverDeadlocks) {
    MutexHandle a = MakeMutex(), b = MakeMutex();
    CLinuxSyncObject* handles[] = {a.get(), b.get()};
    std::vector<std::thread> threads;
    std::atomic<int> rounds{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 300; ++i) {
                const int index = LinuxWaitForObjects(2, handles, false, kInfinite);
                if (index < 0 || index > 1) return;
                handles[index]->Release();
                ++rounds;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(rounds.load(), 4 * 300);
}

TEST(WaitForAny, TheTwentyFirstSimultaneousWaitFails) {
    SemaphoreHandle gate = MakeSemaphore(0), never = MakeSemaphore(0);
    CLinuxSyncObject* handles[] = {gate.get(), never.get()};
    std::vector<std::future<int>> waiters;
    for (int i = 0; i < kMultiWaitSlots; ++i) {
        waiters.push_back(std::async(
            std::launch::async, [&] { return LinuxWaitForObjects(2, handles, false, kInfinite); }));
    }
    ASSERT_TRUE(Eventually([] { return MultiWaitsInUse() == kMultiWaitSlots; }));
    EXPECT_EQ(LinuxWaitForObjects(2, handles, false, 0), kWaitFailed);
    EXPECT_EQ(LinuxWaitForObjects(2, handles, false, kInfinite), kWaitFailed);
    LinuxReleaseSemaphore(gate.get(), kMultiWaitSlots, nullptr);
    for (auto& waiter : waiters) EXPECT_EQ(waiter.get(), 0);
    EXPECT_EQ(LinuxWaitForObjects(2, handles, false, 0), kWaitTimeout);
}

TEST(WaitForAll, AcquiresEveryObject) {
    SemaphoreHandle s0 = MakeSemaphore(1), s1 = MakeSemaphore(1);
    MutexHandle mutex = MakeMutex();
    CLinuxSyncObject* handles[] = {s0.get(), mutex.get(), s1.get()};
    EXPECT_EQ(LinuxWaitForObjects(3, handles, true, 0), kWaitObject0);
    EXPECT_EQ(s0->Wait(0), kWaitTimeout);
    EXPECT_EQ(s1->Wait(0), kWaitTimeout);
    EXPECT_EQ(std::async(std::launch::async, [&] { return mutex->Wait(0); }).get(), kWaitTimeout);
    mutex->Release();
}

TEST(WaitForAll, TimeOutLeavesEveryObjectAsItWas) {
    SemaphoreHandle s0 = MakeSemaphore(1), never = MakeSemaphore(0);
    MutexHandle mutex = MakeMutex();
    CLinuxSyncObject* handles[] = {s0.get(), mutex.get(), never.get()};
    EXPECT_EQ(LinuxWaitForObjects(3, handles, true, 30), kWaitTimeout);
    EXPECT_EQ(s0->Wait(0), kWaitObject0);
    EXPECT_EQ(s0->Wait(0), kWaitTimeout);
    EXPECT_EQ(std::async(std::launch::async,
                         [&] {
                             const int rc = mutex->Wait(0);
                             if (rc == kWaitObject0) mutex->Release();
                             return rc;
                         })
                  .get(),
              kWaitObject0);
}

TEST(WaitForAll, WaitsUntilTheLastObjectArrives) {
    SemaphoreHandle s0 = MakeSemaphore(1), later = MakeSemaphore(0);
    CLinuxSyncObject* handles[] = {s0.get(), later.get()};
    auto waiter = std::async(std::launch::async,
                             [&] { return LinuxWaitForObjects(2, handles, true, kInfinite); });
    later->Release();
    EXPECT_EQ(waiter.get(), kWaitObject0);
    EXPECT_EQ(s0->Wait(0), kWaitTimeout);
}

TEST(WaitForAll, NoObjectsIsAFailure) {
    EXPECT_EQ(LinuxWaitForObjects(0, nullptr, true, 0), kWaitFailed);
}

}  // namespace
