// The block copy: every length and alignment arrives intact, forwards and
// backwards over overlapping ranges.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "video/render/block_copy.h"

namespace {

std::vector<uint8_t> Pattern(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(i * 7 + i / 251);
    return v;
}

class BlockCopy : public ::testing::TestWithParam<bool> {
  protected:
    CVRLNBlockCopy copier_{GetParam(), true};
};

TEST_P(BlockCopy, CopiesEveryLengthAndAlignment) {
    for (size_t length :
         {size_t(0), size_t(1), size_t(63999), size_t(64000), size_t(64001), size_t(200003)}) {
        for (size_t shift : {0, 1, 8, 15}) {
            const auto source = Pattern(length + 32);
            std::vector<uint8_t> target(length + 32, 0xEE);
            copier_.Copy(target.data() + shift, source.data() + 3, length);
            EXPECT_TRUE(
                std::equal(source.begin() + 3, source.begin() + 3 + length, target.begin() + shift))
                << length << " " << shift;
            EXPECT_EQ(target[shift + length], 0xEE);
        }
    }
}

TEST_P(BlockCopy, OverlapWithTheDestinationInsideTheSourceCopiesBackwards) {
    for (size_t distance : {1, 17, 64, 100}) {
        const size_t length = 150000;
        auto buffer = Pattern(length + distance);
        const auto expected = std::vector<uint8_t>(buffer.begin(), buffer.begin() + length);
        copier_.Copy(buffer.data() + distance, buffer.data(), length);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), buffer.begin() + distance))
            << distance;
    }
}

TEST_P(BlockCopy, OverlapWithTheSourceAheadCopiesForwards) {
    const size_t length = 150000;
    auto buffer = Pattern(length + 40);
    const auto expected = std::vector<uint8_t>(buffer.begin() + 40, buffer.end());
    copier_.Copy(buffer.data(), buffer.data() + 40, length);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), buffer.begin()));
}

INSTANTIATE_TEST_SUITE_P(Paths, BlockCopy, ::testing::Bool());

TEST(BlockCopyFlags, ComeFromTheProcessor) {
    CVRLNBlockCopy copier;
    EXPECT_TRUE(copier.MmxClass() || !copier.SseClass());
}

}  // namespace

namespace {

// A streamed line arrives whole at every alignment of either end and every
// length around the 16- and 64-byte steps, and nothing beside it is touched.
TEST(StreamingLine, CopiesEveryLengthAndAlignmentAndNothingElse) {
    const std::vector<uint8_t> source = Pattern(4096 + 64);
    for (size_t length : {size_t(0), size_t(1), size_t(15), size_t(16), size_t(63), size_t(64),
                          size_t(65), size_t(200), size_t(4096)}) {
        for (size_t from = 0; from < 17; from += 3) {
            for (size_t to = 0; to < 17; to += 5) {
                std::vector<uint8_t> out(length + 48, 0xCC);
                StreamingCopyLine(out.data() + to, source.data() + from, length);
                StreamingFence();
                for (size_t i = 0; i < out.size(); ++i) {
                    const bool inside = i >= to && i < to + length;
                    ASSERT_EQ(out[i], inside ? source[from + i - to] : 0xCC)
                        << length << " from " << from << " to " << to << " at " << i;
                }
            }
        }
    }
}

}  // namespace
