// The engine table's handles and edge cases, with the player library's disc
// engine (types 12 and 13) as the wrapper under test.
#include <gtest/gtest.h>

#include <vector>

#include "plugins/common/engine_table.h"

namespace {

class EngineTable : public ::testing::Test {
  protected:
    void TearDown() override {
        for (unsigned handle = 1; handle <= kEngineTableSize; ++handle) {
            unsigned h = handle;
            DestroyMediaWrapper(&h);
        }
    }
};

TEST_F(EngineTable, CreatesInTheLowestFreeSlot) {
    unsigned first = 0, second = 0;
    EXPECT_EQ(CreateMediaWrapper(kMediaDiscPlayer, &first), 0);
    EXPECT_EQ(CreateMediaWrapper(kMediaDiscPlayerAlt, &second), 0);
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(second, 2u);
    EXPECT_EQ(DestroyMediaWrapper(&first), 0);
    EXPECT_EQ(first, 0u);
    unsigned again = 0;
    EXPECT_EQ(CreateMediaWrapper(kMediaDiscPlayer, &again), 0);
    EXPECT_EQ(again, 1u);
}

TEST_F(EngineTable, AnEleventhWrapperIsRefusedAndLeavesTheHandle) {
    std::vector<unsigned> handles(kEngineTableSize);
    for (unsigned& handle : handles) ASSERT_EQ(CreateMediaWrapper(kMediaDiscPlayer, &handle), 0);
    unsigned eleventh = 77;
    EXPECT_EQ(CreateMediaWrapper(kMediaDiscPlayer, &eleventh), 1);
    EXPECT_EQ(eleventh, 77u);
}

TEST_F(EngineTable, AnUnknownTypeCreatesNothing) {
    unsigned handle = 55;
    EXPECT_EQ(CreateMediaWrapper(15, &handle), 0);
    EXPECT_EQ(handle, 55u);
    unsigned next = 0;
    ASSERT_EQ(CreateMediaWrapper(kMediaDiscPlayer, &next), 0);
    EXPECT_EQ(next, 1u);
}

TEST_F(EngineTable, HandlesZeroAndAboveTenAreRefused) {
    unsigned zero = 0, eleven = 11;
    EXPECT_EQ(DestroyMediaWrapper(&zero), 1);
    EXPECT_EQ(DestroyMediaWrapper(&eleven), 1);
    EXPECT_EQ(eleven, 11u);
    EXPECT_EQ(MediaWrapperCommand(0, 7, nullptr, 0, nullptr, 0), 1);
    EXPECT_EQ(MediaWrapperCommand(11, 7, nullptr, 0, nullptr, 0), 1);
    EXPECT_EQ(SetMediaWrapperCallback(0, nullptr), 1);
    EXPECT_EQ(SetMediaWrapperCallback(11, nullptr), 1);
    EXPECT_EQ(DestroyMediaWrapper(nullptr), 1);
}

TEST_F(EngineTable, AnEmptyHandleAnswersOneAndDestroysToZero) {
    EXPECT_EQ(MediaWrapperCommand(3, 7, nullptr, 0, nullptr, 0), 1);
    EXPECT_EQ(SetMediaWrapperCallback(3, nullptr), 1);
    unsigned empty = 3;
    EXPECT_EQ(DestroyMediaWrapper(&empty), 0);
    EXPECT_EQ(empty, 0u);
}

TEST_F(EngineTable, CommandsAndCallbacksReachTheWrapper) {
    unsigned handle = 0;
    ASSERT_EQ(CreateMediaWrapper(kMediaDiscPlayer, &handle), 0);
    // The disc engine answers 0 to everything.
    EXPECT_EQ(MediaWrapperCommand(handle, 7, nullptr, 0, nullptr, 0), 0);
    EXPECT_EQ(SetMediaWrapperCallback(handle, nullptr), 0);
}

}  // namespace
