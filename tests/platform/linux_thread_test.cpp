// Layer threads: creation with a message queue, joining by waiting, exit
// codes, the current-thread slot, suspension and resumption; clock texts.
#include "platform/linux_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <string>

#include "platform/linux_time.h"
#include "platform/thread_message.h"
#include "wait_helpers.h"

namespace {

// ThreadSanitizer runs signal handlers deferred, at points of its choosing,
// which defeats parking a thread inside its SIGUSR1 handler.
#if defined(__SANITIZE_THREAD__)
#define SKIP_SIGNAL_SUSPENSION() GTEST_SKIP() << "signal suspension is not testable under TSan"
#else
#define SKIP_SIGNAL_SUSPENSION() (void)0
#endif

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
    SKIP_SIGNAL_SUSPENSION();
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
    SKIP_SIGNAL_SUSPENSION();
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

// '9' in the pattern stands for any digit.
bool MatchesPattern(const std::string& text, const std::string& pattern) {
    if (text.size() != pattern.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if (pattern[i] == '9' ? !digit : text[i] != pattern[i]) return false;
    }
    return true;
}

TEST(LinuxTime, TextsAndRecords) {
    char date[9];
    char time[9];
    EXPECT_TRUE(MatchesPattern(LinuxStrDate(date), "99/99/99")) << date;
    EXPECT_TRUE(MatchesPattern(LinuxStrTime(time), "99:99:99")) << time;
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
