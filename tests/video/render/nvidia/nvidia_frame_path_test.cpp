// The NVIDIA renderer's frame path: what a new picture size sends and in
// which order, source classes, the 720 x 480 zoom of unusual widths with its
// factors, letterbox modes from the destination, the picture on the
// simulated monitor, and the refusals.
#include "tests/video/render/nvidia/nvidia_fixture.h"
#include "video/kernels/library_state.h"

namespace {

using nvidiatest::kConfColorCall;
using nvidiatest::kConfVideoCall;
using nvidiatest::kFrameCall;
using nvidiatest::kSourceCall;
using nvidiatest::kZoomCall;
using nvidiatest::Level;
using nvidiatest::NvidiaRendererTest;
using nvidiatest::PackedPicture;
using ::testing::ElementsAre;

std::string Line(const char* call, const std::string& arguments) {
    return std::string(call) + " " + arguments;
}

class NvidiaFramePath : public NvidiaRendererTest {};

TEST_F(NvidiaFramePath, ANewSizeSendsSourceConfigurationsOffsetAndZoomThenTheFrame) {
    OpenRenderer();
    PackedPicture p(720, 480);
    ASSERT_EQ(Frame(&p), 0);
    const std::string video = "0 0 0 5 0 0 0 0 1 1 1";
    EXPECT_THAT(Journal(),
                ElementsAre(Line(kConfVideoCall, video), Line(kSourceCall, "0 0 720 480"),
                            Line(kConfVideoCall, video), Line(kConfColorCall, "0 1 1 0 1 1 1 1"),
                            "_Z17NvIVideoSetOffsetii 0 0", Line(kZoomCall, "1 1"),
                            Line(kFrameCall, "frame 2")));
    EXPECT_EQ(CurrentFrameWidth(), 720);
    EXPECT_EQ(LastChangedFrameHeight(), 480);
}

TEST_F(NvidiaFramePath, TheSameSizeAgainSendsOnlyTheFrame) {
    OpenRenderer();
    PackedPicture p(720, 576), q(704, 576);
    ASSERT_EQ(Frame(&p), 0);
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&p), 0);
    EXPECT_THAT(Journal(), ElementsAre(Line(kFrameCall, "frame 2")));
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&q), 0);
    EXPECT_EQ(Count(kSourceCall), 1) << "one setup per change";
    EXPECT_EQ(Lines(kConfVideoCall).back(), Line(kConfVideoCall, "0 0 1 5 0 0 0 0 1 1 1"))
        << "704 wide is source class 1";
}

TEST_F(NvidiaFramePath, A352By240PictureIsSentUnzoomedWithSourceClassThree) {
    OpenRenderer();
    PackedPicture p(352, 240);
    ASSERT_EQ(Frame(&p), 0);
    EXPECT_EQ(renderer_->ZoomWidth(), 0);
    EXPECT_EQ(renderer_->VideoConfiguration().sourceClass, 3);
    EXPECT_THAT(Lines(kSourceCall), ElementsAre(Line(kSourceCall, "0 0 352 240")));
    EXPECT_THAT(Lines(kZoomCall), ElementsAre(Line(kZoomCall, "1 1")));
    EXPECT_EQ(SimDisplayStateNow().overlaySourceWidth, 352);
}

TEST_F(NvidiaFramePath, SourceClassesOfSmallPictures) {
    OpenRenderer();
    PackedPicture tall(352, 480), wide(640, 240);
    ASSERT_EQ(Frame(&tall), 0);
    EXPECT_EQ(renderer_->VideoConfiguration().sourceClass, 2);
    ASSERT_EQ(Frame(&wide), 0);
    EXPECT_EQ(renderer_->VideoConfiguration().sourceClass, 1) << "0 for the width, 1 for the lines";
}

TEST_F(NvidiaFramePath, A640By480PictureIsZoomedTo720By480WithFactors1125And1) {
    OpenRenderer();
    PackedPicture p(640, 480);
    ASSERT_EQ(Frame(&p), 0);
    EXPECT_EQ(renderer_->ZoomWidth(), 720);
    EXPECT_EQ(renderer_->ZoomHeight(), 480);
    EXPECT_THAT(Lines(kSourceCall), ElementsAre(Line(kSourceCall, "0 0 720 480")));
    EXPECT_THAT(Lines(kZoomCall), ElementsAre(Line(kZoomCall, "1 1"), Line(kZoomCall, "1.125 1")));
    EXPECT_EQ(Journal().back(), Line(kFrameCall, "frame 2"));
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlaySourceWidth, 720) << "the zoom buffer";
    EXPECT_EQ(s.cropX, 40) << "the picture's part of it";
    EXPECT_EQ(s.cropWidth, 640);
}

TEST_F(NvidiaFramePath, TheMonitorShowsTheWholePictureAtTheOutputSize) {
    for (int width : {720, 640, 544}) {
        OpenRenderer();
        PackedPicture p(width, 480, 60, 200);
        ASSERT_EQ(Frame(&p), 0);
        const SimScanOut out = SimDisplayScanOut();
        ASSERT_EQ(out.width, 1024);
        EXPECT_NEAR(Level(out, 30, 384), 60, 3) << "the left half, width " << width;
        EXPECT_NEAR(Level(out, 990, 384), 200, 3) << "the right half, width " << width;
        EXPECT_NEAR(Level(out, 30, 2), 60, 3) << "no bars, width " << width;
        renderer_->Close();
    }
}

TEST_F(NvidiaFramePath, AnOddWidthIsZoomedFromTheEvenWidthBelow) {
    OpenRenderer();
    PackedPicture p(641, 480, 60, 200);
    ASSERT_EQ(Frame(&p), 0);
    EXPECT_EQ(Lines(kZoomCall).back(), Line(kZoomCall, "1.125 1"));
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_NEAR(Level(out, 30, 384), 60, 3) << "a picture, not the black zoom buffer";
    EXPECT_NEAR(Level(out, 990, 384), 200, 3);
}

TEST_F(NvidiaFramePath, AWidePictureIsFittedWithBarsAndLetterboxed) {
    OpenRenderer();
    PackedPicture p(640, 480, 200, 200);
    p.Get()->pictureFlags = kPictureAspectBits;
    ASSERT_EQ(Frame(&p), 0);
    const NvConfVideo v = renderer_->VideoConfiguration();
    EXPECT_EQ(v.letterboxState, 1);
    EXPECT_EQ(v.horizontalMode, 2);
    EXPECT_EQ(v.verticalMode, 1);
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayTop, 96) << "three quarters of the height, centred";
    EXPECT_EQ(s.overlayHeight, 576);
    const SimScanOut out = SimDisplayScanOut();
    EXPECT_LT(Level(out, 512, 50), 8) << "the bar";
    EXPECT_NEAR(Level(out, 512, 384), 200, 3);
    EXPECT_LT(Level(out, 512, 110), 8) << "the fitted picture's own bar in the zoom buffer";
}

TEST_F(NvidiaFramePath, FieldOrderFlagsChooseThePictureFormat) {
    OpenRenderer();
    PackedPicture p(720, 480);
    p.Get()->pictureFlags = kPictureFlagTopFieldFirst;
    ASSERT_EQ(Frame(&p), 0);
    EXPECT_EQ(Journal().back(), Line(kFrameCall, "frame 0"));
    p.Get()->pictureFlags = kPictureFlagBottomFieldFirst;
    ASSERT_EQ(Frame(&p), 0);
    EXPECT_EQ(Journal().back(), Line(kFrameCall, "frame 1"));
}

TEST_F(NvidiaFramePath, ARefusedFrameFailsFlipAndTheNextIsTriedAgain) {
    OpenRenderer();
    PackedPicture p(720, 480);
    sim_display_fail_next(kFrameCall, -1);
    EXPECT_EQ(Frame(&p), -1);
    EXPECT_EQ(Frame(&p), 0);
    EXPECT_EQ(Count(kFrameCall), 2);
}

TEST_F(NvidiaFramePath, PicturesWithoutSizeOrTooLargeAreRefused) {
    OpenRenderer();
    PackedPicture p(720, 480);
    ASSERT_EQ(Frame(&p), 0);
    sim_display_journal_clear();
    CVRLNPicture empty;
    EXPECT_EQ(renderer_->DrawPicture(&empty), kVrlnBadArgument);
    EXPECT_EQ(renderer_->Flip(&empty), kVrlnBadArgument);
    empty.width = 5000;
    empty.height = 10;
    EXPECT_EQ(renderer_->Flip(&empty), kVrlnBadArgument);
    EXPECT_EQ(renderer_->Flip(nullptr), kVrlnNullPointer);
    EXPECT_EQ(renderer_->DrawPicture(nullptr), kVrlnNullPointer);
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(Frame(&p), 0) << "the renderer keeps its size";
    EXPECT_EQ(Count(kSourceCall), 0);
}

TEST_F(NvidiaFramePath, ARendererThatNeverOpenedTakesPicturesAndCallsNothing) {
    renderer_ = std::make_unique<CVRLNNvidia>();
    sim_display_journal_clear();
    PackedPicture p(640, 480);
    EXPECT_EQ(Frame(&p), 0);
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_TRUE(Journal().empty());
}

class NvidiaLetterbox : public NvidiaRendererTest {};

TEST_F(NvidiaLetterbox, An800By600DestinationIsNarrowerThanThreeToTwo) {
    OpenRenderer();
    ASSERT_EQ(SetDestination(0, 0, 799, 599), 0);
    EXPECT_THAT(Journal(), ElementsAre(Line(kConfVideoCall, "0 0 0 5 0 0 0 0 1 1 1")));
}

TEST_F(NvidiaLetterbox, A1280By720DestinationIsNot) {
    OpenRenderer();
    ASSERT_EQ(SetDestination(0, 0, 1279, 719), 0);
    EXPECT_THAT(Journal(), ElementsAre(Line(kConfVideoCall, "0 1 0 5 0 0 0 1 0 1 1")));
}

TEST_F(NvidiaLetterbox, AWidePictureOnAWideOutputIsItsOwnShape) {
    OpenRenderer(2);
    PackedPicture p(720, 480);
    p.Get()->pictureFlags = kPictureAspectBits;
    ASSERT_EQ(Frame(&p), 0);
    NvConfVideo v = renderer_->VideoConfiguration();
    EXPECT_EQ(v.horizontalMode, 1) << "1280 x 768 is 3:2 or wider";
    EXPECT_EQ(v.verticalMode, 0);
    EXPECT_EQ(v.letterboxState, 1);
    ASSERT_EQ(SetDestination(0, 0, 799, 599), 0);
    v = renderer_->VideoConfiguration();
    EXPECT_EQ(v.horizontalMode, 0);
    EXPECT_EQ(v.verticalMode, 1);
    EXPECT_EQ(v.letterboxState, 0);
}

TEST_F(NvidiaLetterbox, ANarrowPictureOnAWideOutputTakesTheOtherModes) {
    OpenRenderer(4);
    PackedPicture p(720, 480);
    ASSERT_EQ(Frame(&p), 0);
    const NvConfVideo v = renderer_->VideoConfiguration();
    EXPECT_EQ(v.horizontalMode, 1);
    EXPECT_EQ(v.verticalMode, 2);
    EXPECT_EQ(v.letterboxState, 0) << "only the aspect bits set the state here";
    ASSERT_EQ(SetDestination(0, 0, 799, 599), 0);
    EXPECT_EQ(renderer_->VideoConfiguration().horizontalMode, 2);
}

TEST_F(NvidiaLetterbox, ADestinationWithoutHeightOrWidthIsRefusedAndTheOldOneKept) {
    OpenRenderer();
    ASSERT_EQ(SetDestination(100, 50, 819, 529), 0);
    sim_display_journal_clear();
    EXPECT_EQ(SetDestination(0, 0, -1, -1), -1) << "what an unknown resolution leaves";
    EXPECT_EQ(SetDestination(0, 10, 799, 8), -1);
    EXPECT_EQ(SetDestination(10, 0, 8, 599), -1);
    EXPECT_EQ(SetDestination(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), 0)
        << "large, but a size: no overflow";
    EXPECT_EQ(renderer_->SetOutputRect(0, nullptr, nullptr), -1);
    ASSERT_EQ(SetDestination(100, 50, 819, 529), 0);
    EXPECT_EQ(Count(kConfVideoCall), 2);
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.left, 100);
    EXPECT_EQ(d.bottom, 529);
}

}  // namespace
