// Layer threads: creation with a message queue, joining by waiting, exit
// codes, the current-thread slot, suspension and resumption; clock texts.
#include "platform/linux_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <regex>

#include "platform/linux_time.h"
#include "platform/thread_message.h"
#include "wait_helpers.h"

namespace {

struct Context {
    std::atomic<CLinuxThread*> seen{nullptr};
    std::atomic<bool> stop{false};
    std::atomic<long> spins{0};
    SemaphoreHandle go = MakeSemaphore(0);
};

uintptr_t RecordSelf(uintptr_t argument) {
    auto* context = reinterpret_cast<Context*>(argument);
    context->seen = LinuxGetCurrentThread();
    context->go->Wait(kInfinite);
    return 42;
}

uintptr_t Spin(uintptr_t argument) {
    auto* context = reinterpret_cast<Context*>(argument);
    while (!context->stop.load()) context->spins.fetch_add(1);
    return 7;
}

TEST(LinuxThread, RunsTheEntryWithItsOwnObjectAndQueue) {
    Context context;
    CLinuxThread thread;
    EXPECT_EQ(thread.Id(), 0u);
    const LinuxThreadId id =
        LinuxCreateThread(&thread, RecordSelf, reinterpret_cast<uintptr_t>(&context));
    ASSERT_NE(id, kLinuxThreadFailed);
    EXPECT_EQ(thread.Id(), id);
    ASSERT_NE(thread.Queue(), nullptr);
    EXPECT_EQ(thread.Queue()->Capacity(), kThreadQueueRecords);
    EXPECT_EQ(thread.ExitCode(), kStillActive);
    ASSERT_TRUE(Eventually([&] { return context.seen.load() != nullptr; }));
    EXPECT_EQ(context.seen.load(), &thread);
    context.go->Release();
    EXPECT_EQ(thread.Wait(0), kWaitObject0);
    EXPECT_EQ(thread.ExitCode(), 42);
}

TEST(LinuxThread, SecondWaitOnAJoinedThreadFails) {
    Context context;
    context.stop = true;
    CLinuxThread thread;
    ASSERT_NE(LinuxCreateThread(&thread, Spin, reinterpret_cast<uintptr_t>(&context)),
              kLinuxThreadFailed);
    EXPECT_EQ(thread.Wait(5), kWaitObject0);
    EXPECT_EQ(thread.ExitCode(), 7);
    EXPECT_EQ(thread.Wait(0), kWaitFailed);
}

TEST(LinuxThread, NullEntryMakesAHandleForTheCaller) {
    CLinuxThread thread;
    EXPECT_EQ(LinuxCreateThread(&thread, nullptr, 0), static_cast<LinuxThreadId>(pthread_self()));
    EXPECT_NE(thread.Queue(), nullptr);
    EXPECT_EQ(thread.Wait(0), kWaitFailed);
    EXPECT_EQ(LinuxCreateThread(nullptr, nullptr, 0), kLinuxThreadFailed);
}

TEST(LinuxThread, TestThreadIsNotALayerThread) {
    EXPECT_EQ(LinuxGetCurrentThread(), nullptr);
}

TEST(LinuxThread, SuspendAndResumeAThread) {
    Context context;
    CLinuxThread thread;
    ASSERT_NE(LinuxCreateThread(&thread, Spin, reinterpret_cast<uintptr_t>(&context)),
              kLinuxThreadFailed);
    EXPECT_EQ(LinuxSuspendThread(&thread), 0);
    EXPECT_EQ(LinuxResumeThread(&thread), 0);
    const long before = context.spins.load();
    ASSERT_TRUE(Eventually([&] { return context.spins.load() > before; }));
    context.stop = true;
    EXPECT_EQ(thread.Wait(kInfinite), kWaitObject0);
}

TEST(LinuxThread, CreatedSuspendedRunsOnlyAfterResume) {
    Context context;
    context.stop = true;
    context.go->Release();
    CLinuxThread thread(true);
    ASSERT_NE(LinuxCreateThread(&thread, RecordSelf, reinterpret_cast<uintptr_t>(&context)),
              kLinuxThreadFailed);
    // A resume that arrives before the thread has parked itself is lost, so repeat it.
    ASSERT_TRUE(Eventually([&] {
        LinuxResumeThread(&thread);
        return context.seen.load() != nullptr;
    }));
    EXPECT_EQ(thread.Wait(kInfinite), kWaitObject0);
    EXPECT_EQ(thread.ExitCode(), 42);
}

TEST(LinuxThread, SignalsNeedAKnownThread) {
    CLinuxThread thread;
    EXPECT_EQ(LinuxSuspendThread(&thread), -1);
    EXPECT_EQ(LinuxResumeThread(&thread), -1);
    EXPECT_EQ(LinuxSuspendThread(nullptr), -1);
}

TEST(LinuxTime, TextsAndRecords) {
    char date[9];
    char time[9];
    EXPECT_TRUE(std::regex_match(LinuxStrDate(date), std::regex(R"(\d\d/\d\d/\d\d)")));
    EXPECT_TRUE(std::regex_match(LinuxStrTime(time), std::regex(R"(\d\d:\d\d:\d\d)")));
    LinuxSystemTime local{};
    LinuxGetLocalTime(&local);
    EXPECT_GE(local.month, 1);
    EXPECT_LE(local.month, 12);
    LinuxSystemTime universal{};
    LinuxGetSystemTime(&universal);
    EXPECT_GE(universal.year, 2000);
    EXPECT_NE(LinuxGetTickCount(), 0u);
}

}  // namespace
