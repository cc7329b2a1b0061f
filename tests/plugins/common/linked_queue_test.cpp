// The plug-ins' FIFO template: order, the bound, clearing, and two threads.
#include "plugins/common/linked_queue.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

struct Node {
    int value = 0;
    std::unique_ptr<Node> next;
};

std::unique_ptr<Node> MakeNode(int value) {
    auto node = std::make_unique<Node>();
    node->value = value;
    return node;
}

TEST(LinkedQueue, NodesComeOutInTheOrderTheyWentIn) {
    LinkedQueue<Node> queue;
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(queue.Take(), nullptr);
    for (int i = 1; i <= 3; ++i) queue.Append(MakeNode(i));
    EXPECT_EQ(queue.Count(), 3u);
    for (int i = 1; i <= 3; ++i) {
        std::unique_ptr<Node> node = queue.Take();
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->value, i);
        EXPECT_EQ(node->next, nullptr);
    }
    EXPECT_TRUE(queue.Empty());
    // Appending after the queue ran dry links a new head.
    queue.Append(MakeNode(7));
    EXPECT_EQ(queue.Take()->value, 7);
}

TEST(LinkedQueue, ABoundedQueueDropsTheOldestAtItsLimit) {
    LinkedQueue<Node> queue(2);
    for (int i = 1; i <= 5; ++i) queue.Append(MakeNode(i));
    EXPECT_EQ(queue.Count(), 2u);
    EXPECT_EQ(queue.Take()->value, 4);
    EXPECT_EQ(queue.Take()->value, 5);
}

TEST(LinkedQueue, ClearingALongQueueLeavesItEmptyAndUsable) {
    LinkedQueue<Node> queue;
    for (int i = 0; i < 200000; ++i) queue.Append(MakeNode(i));
    queue.Clear();
    EXPECT_TRUE(queue.Empty());
    queue.Append(MakeNode(1));
    EXPECT_EQ(queue.Count(), 1u);
}

TEST(LinkedQueue, AConsumerThreadGetsEveryNodeOnceInOrder) {
    LinkedQueue<Node> queue;
    constexpr int kNodes = 20000;
    std::thread producer([&queue] {
        for (int i = 0; i < kNodes; ++i) queue.Append(MakeNode(i));
    });
    int expected = 0;
    while (expected < kNodes) {
        std::unique_ptr<Node> node = queue.Take();
        if (!node) {
            std::this_thread::yield();
            continue;
        }
        ASSERT_EQ(node->value, expected);
        ++expected;
    }
    producer.join();
    EXPECT_TRUE(queue.Empty());
}

}  // namespace
