// The record queue: capacity, wake-ups, two-step put and get, draining and
// find-and-copy, and the 32-bit value queue.
#include "platform/record_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>
#include <vector>

#include "wait_helpers.h"

namespace {

struct Record {
    int32_t value;
    int32_t tag;
};

class RecordQueue : public ::testing::Test {
  protected:
    void Make(int capacity) { ASSERT_TRUE(queue_.Create(capacity, sizeof(Record))); }
    void PutValues(std::initializer_list<int32_t> values) {
        for (int32_t v : values) {
            const Record record{v, 0};
            ASSERT_EQ(queue_.Put(&record), 1);
        }
    }
    std::vector<int32_t> Contents() {
        std::vector<int32_t> values;
        for (int n = 0; const void* r = queue_.Peek(n); ++n)
            values.push_back(static_cast<const Record*>(r)->value);
        return values;
    }

    CLinuxRecordQueue queue_;
};

TEST_F(RecordQueue, RefusesEmptyShapes) {
    EXPECT_FALSE(queue_.Create(0, 4));
    EXPECT_FALSE(queue_.Create(4, 0));
}

TEST_F(RecordQueue, RecordsComeOutOldestFirst) {
    Make(4);
    PutValues({1, 2, 3});
    Record out{};
    for (int32_t expected : {1, 2, 3}) {
        ASSERT_EQ(queue_.Get(&out), 1);
        EXPECT_EQ(out.value, expected);
    }
    EXPECT_EQ(queue_.Count(), 0);
}

TEST_F(RecordQueue, AThirdPutIntoCapacityTwoBlocksUntilAGet) {
    Make(2);
    PutValues({1, 2});
    std::atomic<bool> putDone{false};
    std::thread producer([&] {
        const Record record{3, 0};
        queue_.Put(&record);
        putDone = true;
    });
    EXPECT_FALSE(putDone.load());
    Record out{};
    ASSERT_EQ(queue_.Get(&out), 1);
    EXPECT_EQ(out.value, 1);
    producer.join();
    EXPECT_EQ(Contents(), (std::vector<int32_t>{2, 3}));
}

TEST_F(RecordQueue, GetBlocksUntilAPut) {
    Make(2);
    auto consumer = std::async(std::launch::async, [&] {
        Record out{};
        return queue_.Get(&out) == 1 ? out.value : -1;
    });
    PutValues({9});
    EXPECT_EQ(consumer.get(), 9);
}

TEST_F(RecordQueue, WakeMakesGetsReturnZeroUntilTheNextPut) {
    Make(2);
    queue_.Wake();
    queue_.Wake();
    Record out{};
    EXPECT_EQ(queue_.Get(&out), 0);
    EXPECT_EQ(queue_.Get(nullptr), 0);
    PutValues({5});
    ASSERT_EQ(queue_.Get(&out), 1);
    EXPECT_EQ(out.value, 5);
    auto blocked = std::async(std::launch::async, [&] { return queue_.Get(&out); });
    PutValues({6});
    EXPECT_EQ(blocked.get(), 1);
    EXPECT_EQ(out.value, 6);
}

TEST_F(RecordQueue, WakeReleasesABlockedGet) {
    Make(2);
    auto blocked = std::async(std::launch::async, [&] { return queue_.Get(nullptr); });
    queue_.Wake();
    EXPECT_EQ(blocked.get(), 0);
}

TEST_F(RecordQueue, PeekSeesTheNthOldest) {
    Make(3);
    PutValues({1, 2});
    EXPECT_EQ(static_cast<Record*>(queue_.Peek(1))->value, 2);
    EXPECT_EQ(queue_.Peek(2), nullptr);
    EXPECT_EQ(queue_.Peek(-1), nullptr);
}

TEST_F(RecordQueue, ReserveAndCommitSlot) {
    Make(2);
    auto* slot = static_cast<Record*>(queue_.ReserveSlot());
    slot->value = 11;
    EXPECT_EQ(queue_.Count(), 0);
    queue_.CommitSlot();
    EXPECT_EQ(Contents(), (std::vector<int32_t>{11}));
    queue_.ReserveSlot();
    queue_.CancelSlot();
    PutValues({12});
    EXPECT_EQ(Contents(), (std::vector<int32_t>{11, 12}));
}

TEST_F(RecordQueue, AcquireAndReleaseHead) {
    Make(2);
    PutValues({21, 22});
    auto* head = static_cast<Record*>(queue_.AcquireHead());
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->value, 21);
    queue_.ReleaseHead();
    head = static_cast<Record*>(queue_.AcquireHead());
    EXPECT_EQ(head->value, 22);
    queue_.ReturnHead();
    EXPECT_EQ(Contents(), (std::vector<int32_t>{22}));
    queue_.Wake();
    Record out{};
    EXPECT_EQ(queue_.Get(&out), 1);
    EXPECT_EQ(queue_.AcquireHead(), nullptr);
}

TEST_F(RecordQueue, DrainSeesRecordsOldestFirstAndEmptiesTheQueue) {
    Make(3);
    PutValues({1, 2, 3});
    Record out{};
    queue_.Get(&out);
    PutValues({4});
    std::vector<int32_t> seen;
    queue_.Drain([&](void* record) { seen.push_back(static_cast<Record*>(record)->value); });
    EXPECT_EQ(seen, (std::vector<int32_t>{2, 3, 4}));
    EXPECT_EQ(queue_.Count(), 0);
    PutValues({7, 8, 9});
    EXPECT_EQ(Contents(), (std::vector<int32_t>{7, 8, 9}));
    queue_.Drain(nullptr);
    EXPECT_EQ(queue_.Count(), 0);
}

TEST_F(RecordQueue, FindAndCopyRemovingTheThirdOfFiveKeepsTheOrder) {
    Make(5);
    PutValues({1, 2});
    Record out{};
    queue_.Get(&out);
    queue_.Get(&out);
    PutValues({10, 20, 30, 40, 50});  // wraps around the buffer's end
    Record found{};
    const auto thirty = [](const void* r) { return static_cast<const Record*>(r)->value == 30; };
    ASSERT_EQ(queue_.FindAndCopy(&found, thirty, true), 1);
    EXPECT_EQ(found.value, 30);
    EXPECT_EQ(Contents(), (std::vector<int32_t>{10, 20, 40, 50}));
    PutValues({60});
    EXPECT_EQ(Contents(), (std::vector<int32_t>{10, 20, 40, 50, 60}));
}

TEST_F(RecordQueue, FindAndCopyWithoutFilterOrRemoval) {
    Make(3);
    Record found{};
    EXPECT_EQ(queue_.FindAndCopy(&found, nullptr, true), 0);
    PutValues({3, 4});
    ASSERT_EQ(queue_.FindAndCopy(&found, nullptr, false), 1);
    EXPECT_EQ(found.value, 3);
    EXPECT_EQ(queue_.Count(), 2);
    const auto none = [](const void*) { return false; };
    EXPECT_EQ(queue_.FindAndCopy(&found, none, true), 0);
    ASSERT_EQ(queue_.FindAndCopy(nullptr, nullptr, true), 1);
    EXPECT_EQ(Contents(), (std::vector<int32_t>{4}));
}

TEST_F(RecordQueue, ManyProducersAndConsumersLoseNothing) {
    Make(4);
    constexpr int kPerProducer = 200;
    std::vector<std::thread> threads;
    std::atomic<long> sum{0};
    for (int p = 0; p < 3; ++p) {
        threads.emplace_back([&, p] {
            for (int i = 1; i <= kPerProducer; ++i) {
                const Record record{i, p};
                queue_.Put(&record);
            }
        });
        threads.emplace_back([&] {
            for (int i = 0; i < kPerProducer; ++i) {
                Record out{};
                if (queue_.Get(&out) == 1) sum += out.value;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(sum.load(), 3L * kPerProducer * (kPerProducer + 1) / 2);
    EXPECT_EQ(queue_.Count(), 0);
}

TEST(ValueQueue, PutGetPeekDrain) {
    CLinuxValueQueue queue;
    ASSERT_TRUE(queue.Create(3));
    queue.Put(7);
    queue.Put(8);
    uint32_t value = 0;
    ASSERT_TRUE(queue.Peek(1, &value));
    EXPECT_EQ(value, 8u);
    EXPECT_FALSE(queue.Peek(2, &value));
    ASSERT_EQ(queue.Get(&value), 1);
    EXPECT_EQ(value, 7u);
    queue.Put(9);
    std::vector<uint32_t> drained;
    queue.Drain([&](uint32_t v) { drained.push_back(v); });
    EXPECT_EQ(drained, (std::vector<uint32_t>{8, 9}));
    queue.Wake();
    EXPECT_EQ(queue.Get(&value), 0);
}

}  // namespace
