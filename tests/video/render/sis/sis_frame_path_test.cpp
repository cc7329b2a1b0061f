// The SiS frame path through the stand-in's journal and the simulated
// monitor: flips through the four buffers, the window placed by Refresh, the
// window re-made on a size change (and what happens when that fails), the
// source window, and clearing.
#include "tests/video/render/fb_test_support.h"
#include "tests/video/render/sis/sis_fixture.h"

namespace {

using displaytest::Grey;
using displaytest::PixelAt;
using sistest::kKey;
using sistest::PackedPicture;
using sistest::Reports;
using sistest::SisRendererTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SisFramePath : public SisRendererTest {
  protected:
    void SetUp() override {
        SisRendererTest::SetUp();
        OpenRenderer();
    }
};

TEST_F(SisFramePath, FlipsCycleThroughTheBuffersOneTwoThreeZero) {
    PackedPicture picture(720, 576, 120);
    ASSERT_EQ(Frame(&picture), 0);
    // The first flip, then the pending window change: placed, index back to 0.
    EXPECT_THAT(Journal(),
                ElementsAre("Linux_VideoFlip 1 1", "Linux_SetVideoWindow 100 50 819 529 2081"));
    EXPECT_EQ(renderer_->BufferIndex(), 0);
    sim_display_journal_clear();
    for (int i = 0; i < 4; ++i) ASSERT_EQ(Frame(&picture), 0);
    EXPECT_THAT(Journal(), ElementsAre("Linux_VideoFlip 1 1", "Linux_VideoFlip 2 1",
                                       "Linux_VideoFlip 3 1", "Linux_VideoFlip 0 1"));
}

TEST_F(SisFramePath, TheViewerSeesThePictureJustConvertedInTheWindow) {
    PackedPicture dark(720, 576, 40), light(720, 576, 210);
    ASSERT_EQ(Frame(&dark), 0);
    SimScanOut out = SimDisplayScanOut();
    EXPECT_TRUE(Grey(PixelAt(out, 400, 300), 40, 1));
    ASSERT_EQ(Frame(&light), 0);
    out = SimDisplayScanOut();
    EXPECT_TRUE(Grey(PixelAt(out, 400, 300), 210, 1));
    EXPECT_TRUE(Grey(PixelAt(out, 100, 50), 210, 1));
    EXPECT_TRUE(Grey(PixelAt(out, 819, 529), 210, 1));
    EXPECT_FALSE(Grey(PixelAt(out, 99, 50), 210, 20)) << "outside the window";
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayPlanar, 1);
    EXPECT_EQ(s.colourKey, kKey);
}

TEST_F(SisFramePath, PresentPictureFlipsAndReturnsItsResult) {
    PackedPicture picture(720, 576, 100);
    EXPECT_EQ(renderer_->PresentPicture(picture.Get()), 0);
    EXPECT_EQ(Count("Linux_VideoFlip 1 1"), 1);
    EXPECT_EQ(renderer_->PresentPicture(nullptr), -1);
    EXPECT_EQ(renderer_->CapturePicture(picture.Get(), 24, nullptr), -2) << "no capture";
}

TEST_F(SisFramePath, ASizeChangeLogsOnceAndRemakesTheWindowWithTheStoredKey) {
    ASSERT_EQ(Set(kPropColourKey, 0x1234), 0);
    EXPECT_THAT(Journal(), IsEmpty()) << "the key waits for the next window call";
    PackedPicture picture(640, 480, 100);
    fbtest::LogCapture log;
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_EQ(log.Text(), "Reinitializing overlay\n");
    EXPECT_THAT(Journal(),
                ElementsAre("Linux_VideoEnable 0", "ReleaseSiSVideo", "SiSUninit", "SiSInit",
                            "CreateSiSVideo 640 480", "Linux_SetVideoWindow 0 0 639 479 4660",
                            "Linux_VideoEnable 1", "Linux_VideoFlip 1 1",
                            "Linux_SetVideoWindow 100 50 819 529 4660"));
    EXPECT_EQ(CurrentFrameWidth(), 640);
    EXPECT_EQ(LastChangedFrameHeight(), 480);
    EXPECT_EQ(renderer_->WindowWidth(), 640);
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_EQ(log.Text(), "Reinitializing overlay\n") << "logged once";
    EXPECT_THAT(Journal(), ElementsAre("Linux_VideoFlip 1 1"));
    sim_display_fill_screen(100, 50, 720, 480, 0x1234);  // the host paints the new key
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 400, 300), 100, 1));
}

TEST_F(SisFramePath, RefreshPlacesAPendingWindowOnce) {
    const VRLNRect moved{10, 20, 209, 119};
    ASSERT_EQ(renderer_->SetOutputRect(0, &moved, nullptr), 0);
    EXPECT_THAT(Journal(), IsEmpty()) << "only noted";
    EXPECT_EQ(renderer_->Refresh(3, 4), 0);
    EXPECT_THAT(Journal(), ElementsAre("Linux_SetVideoWindow 10 20 209 119 2081"));
    EXPECT_EQ(renderer_->Refresh(0, 0), 0);
    EXPECT_EQ(Count("Linux_SetVideoWindow"), 1) << "nothing pending any more";
    EXPECT_EQ(renderer_->Destination().right, 209);
}

TEST_F(SisFramePath, RefreshWithAnAllZeroDestinationFailsAndSendsNothing) {
    const VRLNRect none{0, 0, 0, 0};
    ASSERT_EQ(renderer_->SetOutputRect(0, &none, nullptr), 0);
    EXPECT_EQ(renderer_->Refresh(0, 0), -1);
    EXPECT_THAT(Journal(), IsEmpty());
    EXPECT_EQ(renderer_->Refresh(0, 0), 0) << "the change was consumed";
}

TEST_F(SisFramePath, ARefusedWindowMakesRefreshFail) {
    const VRLNRect reversed{300, 20, 10, 119};
    ASSERT_EQ(renderer_->SetOutputRect(0, &reversed, nullptr), 0);
    EXPECT_EQ(renderer_->Refresh(0, 0), -1);
    EXPECT_EQ(Count("Linux_SetVideoWindow 300 20 10 119 2081"), 1);
}

TEST_F(SisFramePath, ClearPictureBlackensEveryBuffer) {
    PackedPicture picture(720, 576, 200);
    ASSERT_EQ(Frame(&picture), 0);
    ASSERT_EQ(renderer_->ClearPicture(), 0);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 400, 300), 0, 1));
    for (int n = 0; n < CVRLNSiS::kBufferCount; ++n) {
        EXPECT_EQ(Buffer(n)[720 * 100 + 5], 0);
        EXPECT_EQ(Buffer(n)[720 * 576 + 17], 128);
    }
}

class SisFailedRecreation : public SisFramePath {};

TEST_F(SisFailedRecreation, LeavesNoWindowAndTheFramePathFailsWithoutWriting) {
    PackedPicture small(640, 480, 100);
    sim_display_fail("CreateSiSVideo", 1, 0, 1);
    EXPECT_EQ(renderer_->DrawPicture(small.Get()), -1);
    EXPECT_EQ(renderer_->Flip(small.Get()), -1);
    EXPECT_FALSE(renderer_->HasWindow());
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
    EXPECT_EQ(Count("Linux_VideoFlip"), 0);
    EXPECT_EQ(small.Get()->output, nullptr) << "no output pointer into released buffers";
    EXPECT_THAT(Reports(), ElementsAre("Error: SiS video resource initialization failed!"));
    sim_display_journal_clear();
    EXPECT_EQ(Frame(&small), -1);
    EXPECT_EQ(renderer_->Refresh(0, 0), -1);
    EXPECT_EQ(renderer_->ClearPicture(), 0);
    EXPECT_THAT(Journal(), IsEmpty()) << "no library call while there is no window";
}

TEST_F(SisFailedRecreation, TheNextSizeChangeMakesTheWindowAgain) {
    PackedPicture small(640, 480, 100), full(720, 576, 180);
    sim_display_fail("Linux_SetVideoWindow", 1, 0, 1);
    EXPECT_EQ(Frame(&small), -1);
    ASSERT_EQ(Count("ReleaseSiSVideo"), 2) << "the old window, then the half-made one";
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&full), 0);
    EXPECT_THAT(Journal(),
                ElementsAre("SiSInit", "CreateSiSVideo 720 576",
                            "Linux_SetVideoWindow 0 0 719 575 2081", "Linux_VideoEnable 1",
                            "Linux_VideoFlip 1 1", "Linux_SetVideoWindow 100 50 819 529 2081"))
        << "no release of the window that failed";
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 400, 300), 180, 1));
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre("Linux_VideoEnable 0", "ReleaseSiSVideo", "SiSUninit",
                                       "unload libdv.so"));
}

class SisSourceWindow : public SisFramePath {
  protected:
    void SetUp() override {
        SisFramePath::SetUp();
        ASSERT_EQ(Frame(&picture_), 0);
        sim_display_journal_clear();
    }
    PackedPicture picture_{720, 576, 100};
};

TEST_F(SisSourceWindow, DirectPlayPicturesSendNone) {
    ASSERT_EQ(Frame(&picture_), 0);
    EXPECT_EQ(Count("Linux_SetVideoSource"), 0);
}

TEST_F(SisSourceWindow, PanAndScanShows540PixelsAroundTheFrameCentre) {
    CVRLNPicture* p = picture_.Get();
    p->decodedDisplayWidth = 720;
    p->decodedDisplayHeight = 576;
    p->panScanFlags = 0x1D07;  // only the 0xF00 bits count
    p->frameCentreX = 160;     // 10 pixels
    fbtest::LogCapture log;
    ASSERT_EQ(Frame(&picture_), 0);
    EXPECT_EQ(log.Text(), "LNSIS: offset=80, display_width=540, vertical_size=576\n");
    EXPECT_THAT(Journal(), ElementsAre("Linux_VideoFlip 1 1", "Linux_SetVideoSource 80 0 540 576"));
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.cropX, 80);
    EXPECT_EQ(s.cropWidth, 540);
    ASSERT_EQ(Frame(&picture_), 0);
    EXPECT_EQ(Count("Linux_SetVideoSource"), 1) << "sent only when it changes";
    p->panScanFlags = 0;
    p->decodedDisplayWidth = 704;
    ASSERT_EQ(renderer_->UpdateSourceWindow(p), 0);
    EXPECT_EQ(Count("Linux_SetVideoSource 0 0 704 576"), 1);
    EXPECT_EQ(renderer_->UpdateSourceWindow(nullptr), int(0x80000005u));
}

TEST_F(SisSourceWindow, UpdatingTheSourceWindowAlsoRefreshes) {
    const VRLNRect moved{10, 20, 209, 119};
    ASSERT_EQ(renderer_->SetOutputRect(0, &moved, nullptr), 0);
    ASSERT_EQ(renderer_->UpdateSourceWindow(picture_.Get()), 0);
    EXPECT_THAT(Journal(), ElementsAre("Linux_SetVideoWindow 10 20 209 119 2081"));
}

}  // namespace
