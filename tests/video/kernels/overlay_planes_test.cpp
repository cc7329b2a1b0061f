// Overlay composition: weights, complement alpha and the line-span table.
#include "video/kernels/overlay_planes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CVRLNSubpicture Sub(const std::vector<uint8_t>& pixels, int x, int y, int w, int h) {
    CVRLNSubpicture s{};
    s.pixels = pixels.data();
    s.pitch = w;
    s.x = x;
    s.y = y;
    s.width = w;
    s.height = h;
    s.palette[2][0] = 160;
    s.palette[2][1] = 64;
    s.palette[2][2] = 32;
    return s;
}

TEST(OverlayPlanes, AlphaFifteenCountsAsOpaque) {
    OverlayPlanes planes;
    const std::vector<uint8_t> px = {0xF2, 0x82, 0x02};
    planes.Compose(Sub(px, 0, 0, 3, 1), kOverlayPerLine, 720, 576);
    EXPECT_EQ(planes.KeepY(0)[0], 0);
    EXPECT_EQ(planes.OverlayY(0)[0], 160);
    EXPECT_EQ(planes.KeepY(0)[1], 8);
    EXPECT_EQ(planes.OverlayY(0)[1], 80);
    EXPECT_EQ(planes.KeepY(0)[2], 16);
    EXPECT_EQ(planes.OverlayY(0)[2], 0);
    EXPECT_EQ(planes.KeepUV(0)[0], 0);
    EXPECT_EQ(planes.KeepUV(0)[1], 0);
    EXPECT_EQ(planes.OverlayUV(0)[1], 32);
    EXPECT_TRUE(planes.Active());
}

TEST(OverlayPlanes, SpansCoverVisiblePixelsInWholeGroupsOfEight) {
    OverlayPlanes planes;
    std::vector<uint8_t> px(40 * 3, 0x02);
    px[0] = 0xF2;        // line 0: column 13
    px[40 + 30] = 0xF2;  // line 1: column 43
    planes.Compose(Sub(px, 13, 0, 40, 3), kOverlayPerLine, 720, 576);
    EXPECT_EQ(planes.SpanWord(0), 8u | (15u << 16));
    EXPECT_EQ(planes.SpanWord(1), 40u | (47u << 16));
    EXPECT_EQ(planes.SpanWord(2), 0u);
    EXPECT_EQ(planes.LumaSpan(1, 720).begin, 40);
    EXPECT_EQ(planes.LumaSpan(1, 720).end, 48);
    EXPECT_EQ(planes.LumaSpan(1, 45).end, 45);  // never beyond the line
    EXPECT_EQ(planes.ChromaSpan(0, 720).begin, 8);
    EXPECT_EQ(planes.ChromaSpan(0, 720).end, 48);
}

TEST(OverlayPlanes, PairedModeMergesAndWholeModeTakesTheRectangle) {
    OverlayPlanes planes;
    std::vector<uint8_t> px(40 * 2, 0x02);
    px[0] = 0xF2;
    px[40 + 39] = 0xF2;
    planes.Compose(Sub(px, 16, 0, 40, 2), kOverlayPairedLines, 720, 576);
    EXPECT_EQ(planes.SpanWord(0), 16u | (55u << 16));
    EXPECT_EQ(planes.SpanWord(1), planes.SpanWord(0));
    std::vector<uint8_t> clear(40 * 2, 0x02);
    planes.Compose(Sub(clear, 16, 0, 40, 2), kOverlayWholeRect, 720, 576);
    EXPECT_EQ(planes.SpanWord(1), 16u | (55u << 16));
}

TEST(OverlayPlanes, SubPicturesAreClippedToThePlanesAndArea) {
    OverlayPlanes planes;
    std::vector<uint8_t> px(100 * 4, 0xF2);
    planes.Compose(Sub(px, 700, 574, 100, 4), kOverlayPerLine, 1920, 1080);
    EXPECT_EQ(planes.SpanWord(575) >> 16, 719u);
    EXPECT_EQ(planes.SpanWord(576), 0u);
    planes.Compose(Sub(px, 0, 0, 100, 4), kOverlayPerLine, 50, 2);
    EXPECT_EQ(planes.SpanWord(0) >> 16, 55u);
    EXPECT_EQ(planes.LumaSpan(0, 50).end, 50);
    EXPECT_EQ(planes.SpanWord(2), 0u);
    planes.Compose(Sub(px, -1, 0, 100, 4), kOverlayPerLine, 720, 576);
    EXPECT_FALSE(planes.Active());
}

}  // namespace
