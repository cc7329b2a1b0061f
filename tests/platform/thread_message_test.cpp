// Thread messages: posting with the queue limit, peeking, and the blocking read.
#include "platform/thread_message.h"
#include "platform/linux_timer.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>

#include "wait_helpers.h"

namespace {

class ThreadMessages : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(LinuxCreateThread(&thread_, nullptr, 0), kLinuxThreadFailed);
    }
    CLinuxThread thread_;
};

TEST_F(ThreadMessages, PostThenPeekAndRemove) {
    ASSERT_EQ(LinuxPostThreadMessage(&thread_, 1000, 1, 2), 1);
    ASSERT_EQ(LinuxPostThreadMessage(&thread_, 1001, 3, 4), 1);
    uint32_t id = 0;
    uintptr_t p1 = 0, p2 = 0;
    ASSERT_EQ(LinuxPeekThreadMessage(&thread_, &id, &p1, &p2, 0, 0, false), 1);
    EXPECT_EQ(id, 1000u);
    EXPECT_EQ(p1, 1u);
    EXPECT_EQ(p2, 2u);
    ASSERT_EQ(LinuxPeekThreadMessage(&thread_, &id, &p1, &p2, 0, 0, true), 1);
    EXPECT_EQ(id, 1000u);
    ASSERT_EQ(LinuxPeekThreadMessage(&thread_, &id, &p1, &p2, 0, 0, true), 1);
    EXPECT_EQ(id, 1001u);
    EXPECT_EQ(p2, 4u);
    EXPECT_EQ(LinuxPeekThreadMessage(&thread_, &id, &p1, &p2, 0, 0, true), 0);
}

TEST_F(ThreadMessages, PostingStopsAbove1004Messages) {
    for (int i = 0; i <= kThreadQueuePostLimit; ++i) {
        ASSERT_EQ(LinuxPostThreadMessage(&thread_, 1, static_cast<uintptr_t>(i), 0), 1) << i;
    }
    EXPECT_EQ(thread_.Queue()->Count(), 1005);
    EXPECT_EQ(LinuxPostThreadMessage(&thread_, 1, 0, 0), 0);
    EXPECT_EQ(thread_.Queue()->Count(), 1005);
}

TEST_F(ThreadMessages, ThreadsWithoutQueueRefuse) {
    CLinuxThread bare;
    EXPECT_EQ(LinuxPostThreadMessage(&bare, 1, 0, 0), 0);
    EXPECT_EQ(LinuxPostThreadMessage(nullptr, 1, 0, 0), 0);
    uint32_t id = 0;
    EXPECT_EQ(LinuxPeekThreadMessage(&bare, &id, nullptr, nullptr, 0, 0, true), 0);
    EXPECT_EQ(LinuxGetThreadMessage(&bare, &id, nullptr, nullptr), 0);
}

TEST_F(ThreadMessages, BlockingReadWaitsForAPost) {
    auto reader = std::async(std::launch::async, [&] {
        uint32_t id = 0;
        uintptr_t p1 = 0;
        return LinuxGetThreadMessage(&thread_, &id, &p1, nullptr) == 1 ? id + p1 : 0;
    });
    LinuxPostThreadMessage(&thread_, 1000, 5, 0);
    EXPECT_EQ(reader.get(), 1005u);
}

TEST_F(ThreadMessages, BlockingReadReturnsZeroWhenWoken) {
    thread_.Queue()->Wake();
    uint32_t id = 0;
    EXPECT_EQ(LinuxGetThreadMessage(&thread_, &id, nullptr, nullptr), 0);
}

TEST_F(ThreadMessages, BlockingReadDropsMessagesOfTimersThatAreGone) {
    auto timer = std::make_unique<CLinuxTimer>(&thread_);
    const uintptr_t gone = reinterpret_cast<uintptr_t>(timer.get());
    const uint32_t goneId = timer->Id();
    timer.reset();
    LinuxPostThreadMessage(&thread_, kTimerMessage, gone, goneId);
    LinuxPostThreadMessage(&thread_, 1000, 0, 0);
    uint32_t id = 0;
    ASSERT_EQ(LinuxGetThreadMessage(&thread_, &id, nullptr, nullptr), 1);
    EXPECT_EQ(id, 1000u);
    EXPECT_EQ(thread_.Queue()->Count(), 0);
}

}  // namespace
