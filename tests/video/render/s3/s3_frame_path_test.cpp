// The S3 Twister frame path through the stand-in's journal and the simulated
// monitor: surfaces one line short, the first Flip's colour-key paint, the
// overlay position, rectangles, clearing and capture within the surfaces.
#include <cstring>

#include "tests/video/render/s3/s3_fixture.h"
#include "video/render/capture_bitmap.h"

namespace {

using displaytest::Grey;
using displaytest::PixelAt;
using s3test::kKey;
using s3test::PackedPicture;
using s3test::S3RendererTest;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class S3FramePath : public S3RendererTest {
  protected:
    void SetUp() override {
        S3RendererTest::SetUp();
        OpenRenderer();
    }
};

TEST_F(S3FramePath, A720By576PictureGivesSurfacesAndASourceOf575Lines) {
    PackedPicture picture(720, 576, 150);
    ASSERT_EQ(renderer_->DrawPicture(picture.Get()), 0);
    EXPECT_EQ(Count("CreateVideoMemorySurface__FUiUiUi 720 575 16"), 2);
    EXPECT_EQ(Surface(0).height, 575);
    EXPECT_EQ(CurrentFrameHeight(), 575);
    EXPECT_EQ(LastChangedFrameHeight(), 576) << "the full height";
    const std::string s0 = Offset(0);
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->Flip(picture.Get()), 0);
    EXPECT_THAT(
        Journal(),
        ElementsAre("SetVideoOverlayColorKey__FUi 2081",
                    "FillRectangleAreaWithSolidColor__FUiUiUiUiUiUi 0 3276900 480 720 2081 16",
                    "LockSurface__FPUiN20 " + s0,
                    "UpdateOverlay__FUiUiUiUiUiUiUiUiUi 100 50 480 720 " + s0 + " 575 720 1 1",
                    "FlipOverlay__FUiUiUiUiUiUi " + s0 + " " + s0 + " 720 575 16 1",
                    "UnLockSurface__FPUi " + s0));
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlaySourceHeight, 575);
    EXPECT_EQ(s.overlaySourceWidth, 720);
    EXPECT_EQ(s.lockedSurfaces, 0);
    EXPECT_EQ(picture.Get()->displayHeight, 575);
}

TEST_F(S3FramePath, OnlyTheFirstSurfaceIsEverWrittenAndShown) {
    PackedPicture picture(720, 576, 150);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(Frame(&picture), 0);
    const std::string s0 = Offset(0), s1 = Offset(1);
    EXPECT_EQ(Count(("LockSurface__FPUiN20 " + s0).c_str()), 3);
    EXPECT_EQ(Count(("LockSurface__FPUiN20 " + s1).c_str()), 0);
    EXPECT_EQ(Count(("FlipOverlay__FUiUiUiUiUiUi " + s0 + " " + s0).c_str()), 3);
}

TEST_F(S3FramePath, TheViewerSeesThePictureInTheWindow) {
    PackedPicture dark(720, 576, 40), light(720, 576, 210);
    ASSERT_EQ(Frame(&dark), 0);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 400, 300), 40));
    ASSERT_EQ(Frame(&light), 0);
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_TRUE(Grey(PixelAt(out, 400, 300), 210));
    EXPECT_TRUE(Grey(PixelAt(out, 100, 50), 210));
    EXPECT_TRUE(Grey(PixelAt(out, 819, 529), 210));
    EXPECT_FALSE(Grey(PixelAt(out, 99, 50), 210, 20)) << "outside the keyed window";
}

TEST_F(S3FramePath, ASizeChangeRemakesBothSurfacesOnce) {
    PackedPicture picture(720, 576, 100);
    ASSERT_EQ(Frame(&picture), 0);
    picture.Resize(640, 480, 100);
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_THAT(Journal()[0], HasSubstr(" 575 720 1 0")) << "hidden before the surfaces go";
    EXPECT_EQ(Count("DestroyVideoMemorySurface__FPUi"), 2);
    EXPECT_EQ(Count("CreateVideoMemorySurface__FUiUiUi 640 479 16"), 2);
    EXPECT_EQ(Count("UpdateOverlay__FUiUiUiUiUiUiUiUiUi 100 50 480 720"), 2);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 2);
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_EQ(Count("CreateVideoMemorySurface__FUiUiUi"), 0);
}

TEST_F(S3FramePath, APictureOneLineHighMakesNoSurfacesAndShowsNothing) {
    PackedPicture line(720, 1, 100);
    EXPECT_EQ(Frame(&line), 0);
    EXPECT_EQ(Count("CreateVideoMemorySurface__FUiUiUi"), 0);
    EXPECT_EQ(Count("LockSurface"), 0);
    EXPECT_EQ(Count("UpdateOverlay"), 0);
    EXPECT_FALSE(renderer_->HasSurfaces());
    EXPECT_EQ(renderer_->Refresh(0, 0), 0);
    EXPECT_EQ(renderer_->ClearPicture(), 0);
    EXPECT_EQ(Count("UpdateOverlay"), 0);
    EXPECT_EQ(renderer_->CapturePicture(line.Get(), 24, nullptr), -1);
    PackedPicture picture(720, 576, 100);
    EXPECT_EQ(Frame(&picture), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 1) << "shown again for a real picture";
}

TEST_F(S3FramePath, ASurfaceThatCannotBeMadeDropsFramesWithoutWriting) {
    sim_display_fail_kind(SIM_DISPLAY_FAULT_SURFACE, 1, 1);  // the second surface fails
    PackedPicture picture(720, 576, 100);
    EXPECT_EQ(Frame(&picture), 0);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0) << "the half-made pair is given back";
    EXPECT_EQ(Count("LockSurface"), 0);
    EXPECT_EQ(Count("FlipOverlay"), 0);
}

TEST_F(S3FramePath, RefreshSendsTheDestinationHeightThenWidth) {
    PackedPicture picture(720, 576, 100);
    ASSERT_EQ(Frame(&picture), 0);
    const VRLNRect moved{10, 20, 209, 119};
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->SetOutputRect(0, &moved, nullptr), 0);
    EXPECT_THAT(Journal(), IsEmpty()) << "applied by the next Refresh";
    ASSERT_EQ(renderer_->Refresh(7, 9), 0);
    EXPECT_THAT(Journal(), ElementsAre("UpdateOverlay__FUiUiUiUiUiUiUiUiUi 10 20 100 200 " +
                                       Offset(0) + " 575 720 1 1"));
}

TEST_F(S3FramePath, ARectangleWithoutWidthOrHeightIsNotTaken) {
    const VRLNRect flat{10, 20, 10, 119}, upside{10, 119, 209, 20}, reversed{300, 20, 10, 119};
    for (const VRLNRect& r : {flat, upside, reversed})
        EXPECT_EQ(renderer_->SetOutputRect(0, &r, nullptr), 0);
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.left, 100);
    EXPECT_EQ(d.bottom, 529);
    PackedPicture picture(720, 576, 100);
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_EQ(Count("UpdateOverlay__FUiUiUiUiUiUiUiUiUi 100 50 480 720"), 1)
        << "never a window of billions of pixels";
}

TEST_F(S3FramePath, ConversionAndClearingStayWithinTheSurfaceLines) {
    PackedPicture picture(720, 576, 100);
    ASSERT_EQ(renderer_->DrawPicture(picture.Get()), 0);
    const SimDisplaySurface s0 = Surface(0), s1 = Surface(1);
    ASSERT_LT(s0.offset + s0.bytes + 720 * 2, s1.offset) << "room to see an overrun";
    uint8_t* after = sim_display_memory() + s0.offset + s0.bytes;
    std::memset(after, 0xAB, 720 * 2);
    ASSERT_EQ(renderer_->Flip(picture.Get()), 0);
    ASSERT_EQ(renderer_->ClearPicture(), 0);
    for (int i = 0; i < 720 * 2; ++i) ASSERT_EQ(after[i], 0xAB) << "byte " << i;
    const uint8_t* first = sim_display_memory() + s0.offset;
    const uint8_t* last = first + size_t(s0.pitch) * 574;
    EXPECT_EQ(first[0], 16);
    EXPECT_EQ(first[1], 128);
    EXPECT_EQ(last[1438], 16);
    EXPECT_EQ(last[1439], 128);
    EXPECT_EQ(sim_display_memory()[s1.offset + 2], 16) << "both surfaces are cleared";
    EXPECT_EQ(Count(("LockSurface__FPUiN20 " + std::to_string(s1.offset)).c_str()), 1)
        << "each surface is locked while it is cleared";
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 400, 300), 16));
    EXPECT_EQ(SimDisplayStateNow().lockedSurfaces, 0);
}

TEST_F(S3FramePath, PresentPictureFlipsAndReturnsItsResult) {
    PackedPicture picture(720, 576, 100);
    EXPECT_EQ(renderer_->PresentPicture(picture.Get()), 0);
    EXPECT_EQ(Count("FlipOverlay__FUiUiUiUiUiUi"), 1);
    EXPECT_EQ(renderer_->PresentPicture(nullptr), int(0x80000005u));
}

TEST_F(S3FramePath, CaptureHasTheFullHeightWithTheLastLineRepeated) {
    PackedPicture picture(722, 576, 60);
    EXPECT_EQ(renderer_->CapturePicture(picture.Get(), 24, nullptr), -1) << "nothing converted";
    ASSERT_EQ(Frame(&picture), 0);
    // Make the surface's last line light, as if the picture's were.
    CVRLNPicture* p = picture.Get();
    for (int x = 0; x < 722 * 2; x += 2) p->output[size_t(p->outputPitch) * 574 + x] = 220;
    const int bytes = renderer_->CapturePicture(p, 24, nullptr);
    EXPECT_EQ(bytes, 720 * 576 * 3 + 72) << "width rounded down to 4, full height";
    std::vector<uint8_t> bitmap(size_t(bytes), 0);
    ASSERT_EQ(renderer_->CapturePicture(p, 24, bitmap.data()), 0);
    int32_t height = 0;
    std::memcpy(&height, bitmap.data() + 8, 4);
    EXPECT_EQ(height, 576);
    // Rows run bottom-up: row 0 is picture line 575, a copy of line 574.
    const uint8_t* rows = bitmap.data() + kBitmapHeaderBytes;
    const size_t row = 720 * 3;
    EXPECT_GT(rows[0], 200);
    EXPECT_GT(rows[row], 200);
    EXPECT_LT(rows[2 * row], 80) << "line 573 keeps the picture";
    EXPECT_EQ(std::memcmp(rows, rows + row, row), 0);
}

}  // namespace
