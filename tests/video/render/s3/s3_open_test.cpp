// Opening and closing the S3 Twister renderer, including Close after every
// way Open can fail: nothing is called through names that were not bound.
#include <unistd.h>

#include "tests/video/render/s3/s3_fixture.h"

namespace {

using s3test::S3RendererTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class S3Open : public S3RendererTest {};

TEST_F(S3Open, ReadsTheModePreparesTheOverlayAndNotesTheScreenStart) {
    renderer_ = std::make_unique<CVRLNS3Twister>();
    ASSERT_EQ(renderer_->Open(), 0);
    EXPECT_THAT(Journal(),
                ElementsAre("load libs3g.so", "GetCurrentModeInfo__FPUiN20", "InitVideoOverlay__Fv",
                            "GetOnScreenLinearStartingAddress__Fv"))
        << "no colour key yet: the first Flip programs it";
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.left, 0);
    EXPECT_EQ(d.right, 1024) << "the screen width, as written";
    EXPECT_EQ(d.bottom, 768);
    EXPECT_EQ(renderer_->GetKind(), 1);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
}

TEST_F(S3Open, KeepsTheInitialDestinationWithoutAMode) {
    sim_display_fail_kind(SIM_DISPLAY_FAULT_MODE, 0, 1);
    renderer_ = std::make_unique<CVRLNS3Twister>();
    ASSERT_EQ(renderer_->Open(), 0);
    EXPECT_EQ(renderer_->Destination().right, 1023);
    EXPECT_EQ(renderer_->Destination().bottom, 767);
}

TEST_F(S3Open, FindsTheLibraryUnderTheSecondPath) {
    ASSERT_EQ(unlink((root_ + "/usr/lib/libs3g.so").c_str()), 0);
    Install("libs3g.so", "/usr/local/lib");
    renderer_ = std::make_unique<CVRLNS3Twister>();
    EXPECT_EQ(renderer_->Open(), 0);
}

TEST_F(S3Open, WithoutTheLibraryCloseCallsNothing) {
    ASSERT_EQ(unlink((root_ + "/usr/lib/libs3g.so").c_str()), 0);
    renderer_ = std::make_unique<CVRLNS3Twister>();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), IsEmpty());
}

TEST_F(S3Open, WithANameMissingCloseOnlyGivesTheLibraryBack) {
    Install("libs3g.so", "/usr/lib", "Bitblt__FUiUiUiUiUiUiUiUi");
    renderer_ = std::make_unique<CVRLNS3Twister>();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(sim_display_library_loaded("libs3g.so"), 1) << "kept for Close";
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre("unload libs3g.so"))
        << "no unlock, overlay update or surface release through unbound names";
}

TEST_F(S3Open, FailsWhenTheOverlayCannotBePrepared) {
    sim_display_fail_kind(SIM_DISPLAY_FAULT_INIT, 0, 1);
    renderer_ = std::make_unique<CVRLNS3Twister>();
    EXPECT_EQ(renderer_->Open(), -1);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre("unload libs3g.so"));
}

TEST_F(S3Open, CloseHidesTheOverlayAndGivesEverythingBack) {
    OpenRenderer();
    s3test::PackedPicture picture(720, 576, 100);
    ASSERT_EQ(Frame(&picture), 0);
    const std::string s0 = Offset(0), s1 = Offset(1);
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(
        Journal(),
        ElementsAre("UpdateOverlay__FUiUiUiUiUiUiUiUiUi 100 50 480 720 " + s0 + " 575 720 1 0",
                    "DestroyVideoMemorySurface__FPUi " + s0,
                    "DestroyVideoMemorySurface__FPUi " + s1, "unload libs3g.so"));
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.surfaces, 0);
    EXPECT_EQ(s.overlayEnabled, 0);
    EXPECT_EQ(renderer_->Destination().right, 0) << "cleared";
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0) << "twice is harmless";
    EXPECT_THAT(Journal(), IsEmpty());
}

}  // namespace
