// The colour-key paint of the S3 Twister renderer happens once per process,
// at the first Flip, not once per Open.
#include "tests/video/render/s3/s3_fixture.h"

namespace {

using s3test::PackedPicture;
using s3test::S3RendererTest;

class S3KeyPaint : public S3RendererTest {};

TEST_F(S3KeyPaint, OnlyTheFirstFlipInTheProcessPaints) {
    ASSERT_TRUE(CVRLNS3Twister::KeyPaintPending());
    PackedPicture picture(720, 576, 100);
    OpenRenderer();
    ASSERT_EQ(Frame(&picture), 0);
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_EQ(Count("FillRectangleAreaWithSolidColor__FUiUiUiUiUiUi"), 1);
    EXPECT_EQ(Count("SetVideoOverlayColorKey__FUi"), 1);
    EXPECT_FALSE(CVRLNS3Twister::KeyPaintPending());
    ASSERT_EQ(renderer_->Close(), 0);
    OpenRenderer();
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_EQ(Count("FillRectangleAreaWithSolidColor__FUiUiUiUiUiUi"), 0) << "not per Open";
    EXPECT_EQ(Count("SetVideoOverlayColorKey__FUi"), 0);
}

TEST_F(S3KeyPaint, ThePaintPutsTheKeyWhereTheWindowIs) {
    OpenRenderer();
    sim_display_fill_screen(0, 0, 1024, 768, sim_display_pixel_of(0, 0, 160));
    PackedPicture picture(720, 576, 100);
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_EQ(sim_display_screen_pixel(100, 50), s3test::kKey);
    EXPECT_EQ(sim_display_screen_pixel(819, 529), s3test::kKey);
    EXPECT_NE(sim_display_screen_pixel(820, 529), s3test::kKey);
    EXPECT_TRUE(displaytest::Grey(displaytest::PixelAt(SimDisplayScanOut(), 460, 290), 100));
}

TEST_F(S3KeyPaint, AFlipWithoutTheLibraryLeavesThePaintDue) {
    renderer_ = std::make_unique<CVRLNS3Twister>();
    PackedPicture picture(720, 576, 100);
    EXPECT_EQ(renderer_->Flip(picture.Get()), 0);
    EXPECT_TRUE(CVRLNS3Twister::KeyPaintPending());
    EXPECT_EQ(Count(""), 0);
}

}  // namespace
