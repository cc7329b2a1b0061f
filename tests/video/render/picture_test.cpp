// The picture record's plane memory: the resize rule and release on destroy.
#include "video/render/picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(PictureResize, SmallPicturesGetAtLeastAFullFrameOfLuma) {
    CVRLNPicture p;
    ASSERT_TRUE(p.Resize(320, 240, true));
    EXPECT_EQ(p.width, 320);
    EXPECT_EQ(p.height, 240);
    EXPECT_EQ(p.planeSize, 414720u);
    EXPECT_EQ(p.plane[1], p.plane[0] + 414720);
    EXPECT_EQ(p.plane[2], p.plane[1] + 414720 / 4);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p.plane[0]) % 4096, 0u);
    // The whole block, slack included, is ours to write.
    p.plane[0][414720 * 3 / 2 + 8191] = 1;
}

TEST(PictureResize, LargePicturesKeepASpareLine) {
    CVRLNPicture p;
    ASSERT_TRUE(p.Resize(1920, 1080, true));
    EXPECT_EQ(p.planeSize, 1920u * 1081);
    EXPECT_EQ(p.plane[1], p.plane[0] + 1920 * 1081);
}

TEST(PictureResize, ShrinkingKeepsTheBlockAndMovesThePlanes) {
    CVRLNPicture p;
    ASSERT_TRUE(p.Resize(720, 576, true));
    uint8_t* block = p.plane[0];
    const uint32_t size = p.planeSize;
    ASSERT_TRUE(p.Resize(352, 288, true));
    EXPECT_EQ(p.plane[0], block);
    EXPECT_EQ(p.planeSize, size);
    EXPECT_EQ(p.plane[1], block + 352 * 289);
    EXPECT_EQ(p.plane[2], p.plane[1] + 352 * 289 / 4);
}

TEST(PictureResize, WithoutAllocateOnlyTheSizeChanges) {
    CVRLNPicture p;
    ASSERT_TRUE(p.Resize(64, 64, false));
    EXPECT_EQ(p.width, 64);
    EXPECT_EQ(p.plane[0], nullptr);
    EXPECT_EQ(p.planeSize, 0u);
}

TEST(PictureResize, AbsurdSizesAreRefusedWithEmptyPlanes) {
    CVRLNPicture p;
    EXPECT_FALSE(p.Resize(-5, 10, true));
    EXPECT_EQ(p.plane[0], nullptr);
    EXPECT_FALSE(p.Resize(1 << 30, 1 << 30, true));
    EXPECT_EQ(p.plane[0], nullptr);
    EXPECT_EQ(p.width, 0);
}

TEST(PictureDestroy, FreesOnceAndClearsEverything) {
    CVRLNPicture p;
    ASSERT_TRUE(p.Resize(720, 576, true));
    EXPECT_TRUE(p.OwnsPlanes());
    p.Destroy();
    EXPECT_FALSE(p.OwnsPlanes());
    EXPECT_EQ(p.plane[0], nullptr);
    EXPECT_EQ(p.plane[1], nullptr);
    EXPECT_EQ(p.plane[2], nullptr);
    EXPECT_EQ(p.planeSize, 0u);
    EXPECT_EQ(p.width, 0);
    EXPECT_EQ(p.height, 0);
    p.Destroy();  // a second destroy finds nothing to free
    EXPECT_EQ(p.plane[0], nullptr);
}

TEST(PictureDestroy, BorrowedFramesAreForgottenNotFreed) {
    std::vector<uint8_t> frame(720 * 576 * 2);
    CVRLNPicture p;
    p.width = 720;
    p.height = 576;
    p.planeSize = 720 * 576;
    p.plane[0] = frame.data();
    p.Destroy();
    EXPECT_EQ(p.plane[0], nullptr);
    EXPECT_EQ(p.planeSize, 0u);
}

}  // namespace
