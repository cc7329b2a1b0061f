// The repack of packed frames into a Y plane and half-height chroma: the line
// mapping (chroma of source lines 4k and 4k + 1) and writes that stay inside
// the planar buffer for every size.
#include <gtest/gtest.h>

#include <vector>

#include "video/render/yuv_repack.h"

namespace {

// Source pixel pairs carry their line number in U and V.
std::vector<uint8_t> NumberedFrame(int width, int height) {
    std::vector<uint8_t> frame(size_t(width) * height * 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = frame.data() + (size_t(y) * width + x) * 2;
            p[0] = uint8_t(x);
            p[1] = uint8_t(x % 2 ? 200 + y : 100 + y);
        }
    return frame;
}

TEST(Repack, FourByEightTakesChromaFromLines0145) {
    const auto frame = NumberedFrame(4, 8);
    std::vector<uint8_t> out(PlanarFrameBytes(4, 8));
    EXPECT_EQ(RepackPackedToPlanar(frame.data(), 4, 8, out.data(), out.size()), 4);
    const uint8_t* chroma = out.data() + 32;
    const int expected[4] = {0, 1, 4, 5};
    for (int m = 0; m < 4; ++m) {
        EXPECT_EQ(chroma[m * 4], 100 + expected[m]) << m;
        EXPECT_EQ(chroma[m * 4 + 1], 200 + expected[m]) << m;
    }
    for (int i = 0; i < 4; ++i) EXPECT_EQ(out[i], i);  // luma line 0
}

TEST(Repack, HeightsNotAMultipleOfFourStayInsideTheBuffer) {
    for (auto size : {std::pair<int, int>{720, 578}, {6, 6}, {5, 3}, {7, 1}, {720, 576}}) {
        const auto frame = NumberedFrame(size.first, size.second);
        // Exactly the planar size: AddressSanitizer reports any write past it.
        std::vector<uint8_t> out(PlanarFrameBytes(size.first, size.second));
        const int lines =
            RepackPackedToPlanar(frame.data(), size.first, size.second, out.data(), out.size());
        EXPECT_LE(size_t(lines) * size.first + size_t(size.first) * size.second, out.size());
        EXPECT_EQ(lines,
                  std::min(size.second / 2,
                           int((out.size() - size_t(size.first) * size.second) / size.first)));
    }
}

TEST(Repack, KeepsTheMappingForTheLinesThatFit) {
    const auto frame = NumberedFrame(6, 6);
    std::vector<uint8_t> out(PlanarFrameBytes(6, 6));
    ASSERT_EQ(RepackPackedToPlanar(frame.data(), 6, 6, out.data(), out.size()), 3);
    EXPECT_EQ(out[36 + 2 * 6], 100 + ChromaSourceLine(2));
    EXPECT_EQ(ChromaSourceLine(2), 4);
}

TEST(Repack, RefusesWhatCannotHoldTheLuma) {
    const auto frame = NumberedFrame(4, 4);
    std::vector<uint8_t> out(8);
    EXPECT_EQ(RepackPackedToPlanar(frame.data(), 4, 4, out.data(), out.size()), 0);
    EXPECT_EQ(RepackPackedToPlanar(nullptr, 4, 4, out.data(), out.size()), 0);
}

}  // namespace
