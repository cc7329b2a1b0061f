// Timers on an injected clock: periods, the 15 ms minimum, skipped periods,
// same-moment order, restarts, destruction and the 32-bit millisecond wrap.
#include "platform/linux_timer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <vector>

#include "platform/thread_message.h"
#include "wait_helpers.h"

namespace {

class FakeClock final : public TimerClock {
  public:
    explicit FakeClock(uint64_t start) : now_(start) {}
    uint64_t NowMs() const override { return now_.load(); }
    void Set(uint64_t now) {
        now_.store(now);
        LinuxTimerWake();
    }

  private:
    std::atomic<uint64_t> now_;
};

class Timers : public ::testing::Test {
  protected:
    static constexpr uint64_t kStart = 1000000;

    void SetUp() override {
        previous_ = InstallTimerClock(&clock_);
        ASSERT_NE(LinuxCreateThread(&owner_, nullptr, 0), kLinuxThreadFailed);
    }
    void TearDown() override { InstallTimerClock(previous_); }

    // True once the timer thread has looked at the list and sleeps until due.
    static bool SleepsUntil(uint64_t due, uint64_t sleepsBefore) {
        return Eventually(
            [&] { return LinuxTimerSleepCount() > sleepsBefore && LinuxTimerAwaitedMs() == due; });
    }
    int Messages() { return owner_.Queue()->Count(); }
    ThreadMessage Next() {
        ThreadMessage message{};
        LinuxPeekThreadMessage(&owner_, &message.id, &message.param1, &message.param2, 0, 0, true);
        return message;
    }

    FakeClock clock_{kStart};
    const TimerClock* previous_ = nullptr;
    CLinuxThread owner_;
};

TEST_F(Timers, FiresIntoTheOwnersQueueEachPeriod) {
    CLinuxTimer timer(&owner_);
    uint64_t sleeps = LinuxTimerSleepCount();
    ASSERT_EQ(LinuxSetTimer(&timer, 40), 0);
    ASSERT_TRUE(SleepsUntil(kStart + 40, sleeps));
    EXPECT_EQ(Messages(), 0);
    sleeps = LinuxTimerSleepCount();
    clock_.Set(kStart + 40);
    ASSERT_TRUE(SleepsUntil(kStart + 80, sleeps));
    ASSERT_EQ(Messages(), 1);
    const ThreadMessage message = Next();
    EXPECT_EQ(message.id, kTimerMessage);
    EXPECT_EQ(message.param1, reinterpret_cast<uintptr_t>(&timer));
    EXPECT_EQ(message.param2, timer.Id());
}

TEST_F(Timers, PeriodZeroMeansFifteenMilliseconds) {
    CLinuxTimer timer(&owner_);
    const uint64_t sleeps = LinuxTimerSleepCount();
    ASSERT_EQ(LinuxSetTimer(&timer, 0), 0);
    ASSERT_TRUE(SleepsUntil(kStart + 15, sleeps));
    clock_.Set(kStart + 15);
    EXPECT_TRUE(Eventually([&] { return Messages() == 1; }));
    EXPECT_TRUE(SleepsUntil(kStart + 30, 0));
}

TEST_F(Timers, BusyOwnerGetsNoBurstForMissedPeriods) {
    CLinuxTimer timer(&owner_);
    ASSERT_EQ(LinuxSetTimer(&timer, 10), 0);
    const uint64_t sleeps = LinuxTimerSleepCount();
    clock_.Set(kStart + 55);
    ASSERT_TRUE(SleepsUntil(kStart + 60, sleeps));
    EXPECT_EQ(Messages(), 1);
}

TEST_F(Timers, SameMomentFiresTheMostRecentlyStartedFirst) {
    CLinuxTimer first(&owner_), second(&owner_);
    ASSERT_EQ(LinuxSetTimer(&first, 100), 0);
    ASSERT_EQ(LinuxSetTimer(&second, 100), 0);
    clock_.Set(kStart + 100);
    ASSERT_TRUE(Eventually([&] { return Messages() == 2; }));
    EXPECT_EQ(Next().param2, second.Id());
    EXPECT_EQ(Next().param2, first.Id());
}

TEST_F(Timers, SettingAnActiveTimerRestartsItsPeriod) {
    CLinuxTimer timer(&owner_);
    ASSERT_EQ(LinuxSetTimer(&timer, 50), 0);
    clock_.Set(kStart + 30);
    const uint64_t sleeps = LinuxTimerSleepCount();
    ASSERT_EQ(LinuxSetTimer(&timer, 50), 0);
    ASSERT_TRUE(SleepsUntil(kStart + 80, sleeps));
    EXPECT_EQ(Messages(), 0);
}

TEST_F(Timers, DestroyedTimerIsNoLongerActive) {
    auto timer = std::make_unique<CLinuxTimer>(&owner_);
    const CLinuxTimer* address = timer.get();
    const uint32_t id = timer->Id();
    EXPECT_EQ(LinuxIsTimerActive(address, id), 0);
    ASSERT_EQ(LinuxSetTimer(timer.get(), 20), 0);
    EXPECT_EQ(LinuxIsTimerActive(address, id), 1);
    EXPECT_EQ(LinuxIsTimerActive(address, id + 1), 0);
    timer.reset();
    EXPECT_EQ(LinuxIsTimerActive(address, id), 0);
    EXPECT_TRUE(Eventually([] { return LinuxTimerAwaitedMs() == 0; }));
}

TEST_F(Timers, TimerIdsCountUp) {
    CLinuxTimer a(&owner_), b(&owner_);
    EXPECT_EQ(b.Id(), a.Id() + 1);
}

TEST_F(Timers, TimerWithoutOwnerRunsWithoutPosting) {
    CLinuxTimer timer;
    EXPECT_EQ(timer.Owner(), nullptr);
    ASSERT_EQ(LinuxSetTimer(&timer, 10), 0);
    const uint64_t sleeps = LinuxTimerSleepCount();
    clock_.Set(kStart + 10);
    ASSERT_TRUE(SleepsUntil(kStart + 20, sleeps));
    EXPECT_EQ(LinuxIsTimerActive(&timer, timer.Id()), 1);
    EXPECT_EQ(Messages(), 0);
}

TEST_F(Timers, FiresOnTimeAcrossThe32BitMillisecondWrap) {
    const uint64_t beforeWrap = (uint64_t{1} << 32) - 10;
    clock_.Set(beforeWrap);
    CLinuxTimer timer(&owner_);
    uint64_t sleeps = LinuxTimerSleepCount();
    ASSERT_EQ(LinuxSetTimer(&timer, 20), 0);
    ASSERT_TRUE(SleepsUntil(beforeWrap + 20, sleeps));
    EXPECT_EQ(Messages(), 0);
    sleeps = LinuxTimerSleepCount();
    clock_.Set(beforeWrap + 20);
    ASSERT_TRUE(SleepsUntil(beforeWrap + 40, sleeps));
    EXPECT_EQ(Messages(), 1);
    EXPECT_EQ(LinuxSetTimer(&timer, 20), 0);
}

uintptr_t MakeTimerOnLayerThread(uintptr_t) {
    CLinuxTimer timer;
    return timer.Owner() == LinuxGetCurrentThread() && timer.Owner() != nullptr ? 1 : 0;
}

TEST_F(Timers, TimerMadeOnALayerThreadBelongsToIt) {
    CLinuxThread thread;
    ASSERT_NE(LinuxCreateThread(&thread, MakeTimerOnLayerThread, 0), kLinuxThreadFailed);
    ASSERT_EQ(thread.Wait(kInfinite), kWaitObject0);
    EXPECT_EQ(thread.ExitCode(), 1);
}

TEST(TimersOnTheRealClock, PeriodZeroTimerDelivers) {
    CLinuxThread owner;
    ASSERT_NE(LinuxCreateThread(&owner, nullptr, 0), kLinuxThreadFailed);
    CLinuxTimer timer(&owner);
    ASSERT_EQ(LinuxSetTimer(&timer, 0), 0);
    uint32_t id = 0;
    uintptr_t param = 0;
    ASSERT_EQ(LinuxGetThreadMessage(&owner, &id, &param, nullptr), 1);
    EXPECT_EQ(id, kTimerMessage);
    EXPECT_EQ(param, reinterpret_cast<uintptr_t>(&timer));
}

}  // namespace
