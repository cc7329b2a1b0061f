// The Intel renderers' Open, frame path, overlay position and capture,
// checked through the stand-in's journal and the simulated monitor.
#include <cstring>

#include "sim/display/sim_display.h"
#include "tests/video/render/intel/intel_fixture.h"
#include "video/render/capture_bitmap.h"

namespace {

using inteltest::IntelRendererTest;
using inteltest::kKey;
using inteltest::PackedPicture;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string N(uint32_t v) {
    return std::to_string(v);
}

class IntelOpen : public IntelRendererTest {};

TEST_F(IntelOpen, PreparesTheOverlayProbesVideoMemoryAndProgramsTheKey) {
    sim_display_journal_clear();
    renderer_ = std::make_unique<CVRLNI915G>();
    ASSERT_EQ(renderer_->Open(), 0);
    EXPECT_THAT(Journal(), ElementsAre("load libI915G.so", "MCInitVideoOverlay__Fv",
                                       "MCGetOnScreenLinearStartingAddress__Fv",
                                       "MCGetCurrentModeInfo__FPUiN20",
                                       "MCCreateVideoMemorySurface__FUiUiUi 1024 768 16",
                                       "MCDestroyVideoMemorySurface__FPUi 1572864",
                                       "MCSetVideoOverlayColorKey__FUi 2081"));
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.right, 1024) << "one past the last pixel, as written";
    EXPECT_EQ(d.bottom, 768);
    EXPECT_EQ(renderer_->GetKind(), 1);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
}

TEST_F(IntelOpen, The865GRendererLoadsItsOwnLibrary) {
    sim_display_journal_clear();
    renderer_ = std::make_unique<CVRLNI865G>();
    ASSERT_EQ(renderer_->Open(), 0);
    EXPECT_EQ(Journal().front(), "load libI865G.so");
}

TEST_F(IntelOpen, FindsThe915GLibraryUnderTheSecondPath) {
    ASSERT_EQ(unlink((root_ + "/usr/lib/libI915G.so").c_str()), 0);
    Install("libI915G.so", "/usr/local/lib");
    renderer_ = std::make_unique<CVRLNI915G>();
    EXPECT_EQ(renderer_->Open(), 0);
}

TEST_F(IntelOpen, FailsWithoutTheLibrary) {
    ASSERT_EQ(unlink((root_ + "/usr/lib/libI915G.so").c_str()), 0);
    renderer_ = std::make_unique<CVRLNI915G>();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(renderer_->Close(), 0);
}

TEST_F(IntelOpen, ALibraryLackingAnUnusedNameFailsAndCloseGivesItBack) {
    Install("libI915G.so", "/usr/lib", "MCTVColorBarTest__Fi");
    renderer_ = std::make_unique<CVRLNI915G>();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(sim_display_library_loaded("libI915G.so"), 1) << "kept for Close";
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre("unload libI915G.so")) << "no call through unbound names";
}

TEST_F(IntelOpen, FailsWhenTheOverlayCannotBePrepared) {
    sim_display_fail_kind(SIM_DISPLAY_FAULT_INIT, 0, 1);
    renderer_ = std::make_unique<CVRLNI915G>();
    EXPECT_EQ(renderer_->Open(), -1);
    renderer_->Close();
    EXPECT_EQ(sim_display_library_loaded("libI915G.so"), 0);
}

class IntelFramePath : public IntelRendererTest {
  protected:
    void SetUp() override {
        IntelRendererTest::SetUp();
        OpenRenderer();
    }
};

TEST_F(IntelFramePath, TheFirstPictureMakesThreeSurfacesAndShowsTheOverlay) {
    PackedPicture picture(720, 480, 180);
    ASSERT_EQ(renderer_->DrawPicture(picture.Get()), 0);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 3);
    EXPECT_EQ(Count("MCCreateVideoMemorySurface__FUiUiUi 720 480 16"), 3);
    const uint32_t s0 = SurfaceOffset(0), s1 = SurfaceOffset(1);
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->Flip(picture.Get()), 0);
    // Locked and converted: the surface after the current one; then the overlay is
    // placed (left, top, height, width), the new surface flipped in first, unlocked.
    EXPECT_THAT(
        Journal(),
        ElementsAre("MCLockSurface__FPUiN20 " + N(s1),
                    "MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi 100 50 480 720 " + N(s1) + " 480 720 1 1",
                    "MCFlipOverlay__FUiUiUiUiUiUi " + N(s1) + " " + N(s0) + " 720 480 16 1",
                    "MCUnLockSurface__FPUi " + N(s1)));
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_THAT(Journal(),
                ElementsAre("MCLockSurface__FPUiN20 " + N(s0),
                            "MCFlipOverlay__FUiUiUiUiUiUi " + N(s0) + " " + N(s1) + " 720 480 16 1",
                            "MCUnLockSurface__FPUi " + N(s0)));
    EXPECT_EQ(SimDisplayStateNow().lockedSurfaces, 0);
}

TEST_F(IntelFramePath, TheViewerSeesThePictureJustConverted) {
    PackedPicture dark(720, 480, 40), light(720, 480, 210);
    ASSERT_EQ(Frame(&dark), 0);
    SimScanOut out = SimDisplayScanOut();
    EXPECT_EQ(out.At(400, 300)[0], 40);
    ASSERT_EQ(Frame(&light), 0);
    out = SimDisplayScanOut();
    EXPECT_EQ(out.At(400, 300)[0], 210);
    EXPECT_EQ(out.At(100, 50)[1], 210);
    EXPECT_EQ(out.At(819, 529)[2], 210);
    EXPECT_NE(out.At(99, 50)[0], 210) << "outside the keyed window";
}

TEST_F(IntelFramePath, ASizeChangeRemakesTheSurfacesOnceAndShowsTheOverlayAgain) {
    PackedPicture picture(720, 480, 100);
    ASSERT_EQ(Frame(&picture), 0);
    ASSERT_EQ(Frame(&picture), 0);
    picture.Resize(640, 480, 100);
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_EQ(Count("MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi 100 50 480 720"), 2)
        << "hidden before the surfaces go, shown again after";
    EXPECT_THAT(Journal()[0], HasSubstr(" 1 0"));
    EXPECT_EQ(Count("MCDestroyVideoMemorySurface__FPUi"), 3);
    EXPECT_EQ(Count("MCCreateVideoMemorySurface__FUiUiUi 640 480 16"), 3);
    EXPECT_THAT(Journal(), ::testing::Contains(HasSubstr(" 480 640 1 1")));
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&picture), 0);
    EXPECT_EQ(Count("MCCreateVideoMemorySurface__FUiUiUi"), 0);
    EXPECT_EQ(Count("MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi"), 0);
}

TEST_F(IntelFramePath, RefreshSendsTheDestinationHeightThenWidth) {
    PackedPicture picture(720, 480, 100);
    ASSERT_EQ(Frame(&picture), 0);
    const VRLNRect moved{10, 20, 209, 119};
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->SetOutputRect(0, &moved, nullptr), 0);
    EXPECT_THAT(Journal(), ElementsAre("MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi 10 20 100 200 " +
                                       N(SurfaceOffset(1)) + " 480 720 1 1"));
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->Refresh(7, 9), 0);
    EXPECT_EQ(Count("MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi 10 20 100 200"), 1);
    ASSERT_EQ(renderer_->ClearPicture(), 0);
    EXPECT_THAT(Journal().back(), HasSubstr(" 480 720 1 0"));
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

TEST_F(IntelFramePath, ARectangleWithoutWidthOrHeightIsIgnored) {
    const VRLNRect flat{10, 20, 10, 119}, upside{10, 119, 209, 20};
    ASSERT_EQ(renderer_->SetOutputRect(0, &flat, nullptr), 0);
    ASSERT_EQ(renderer_->SetOutputRect(0, &upside, nullptr), 0);
    EXPECT_EQ(renderer_->Destination().left, 100);
    EXPECT_EQ(renderer_->Destination().bottom, 529);
    EXPECT_TRUE(Journal().empty()) << "the overlay is not shown yet: nothing is sent";
}

TEST_F(IntelFramePath, ASurfaceThatCannotBeMadeDropsFramesWithoutWriting) {
    sim_display_fail_kind(SIM_DISPLAY_FAULT_SURFACE, 1, 1);  // the second surface fails
    PackedPicture picture(720, 480, 100);
    sim_display_journal_clear();
    EXPECT_EQ(Frame(&picture), 0);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0) << "the half-made set is given back";
    EXPECT_FALSE(renderer_->HasSurfaces());
    EXPECT_EQ(Count("MCLockSurface"), 0);
    EXPECT_EQ(Count("MCFlipOverlay"), 0);
    EXPECT_EQ(Count("MCUpdateOverlay"), 0);
    EXPECT_EQ(Frame(&picture), 0);
    EXPECT_EQ(Count("MCLockSurface"), 0);
    EXPECT_EQ(renderer_->Refresh(0, 0), 0);
    EXPECT_EQ(Count("MCUpdateOverlay"), 0);
}

TEST_F(IntelFramePath, PresentPictureFlips) {
    PackedPicture picture(720, 480, 100);
    ASSERT_EQ(renderer_->PresentPicture(picture.Get()), 0);
    EXPECT_EQ(Count("MCFlipOverlay__FUiUiUiUiUiUi"), 1);
}

TEST_F(IntelFramePath, CaptureReadsTheLastConvertedSurface) {
    PackedPicture picture(722, 480, 235);
    EXPECT_EQ(renderer_->CapturePicture(picture.Get(), 24, nullptr), -1) << "nothing converted";
    ASSERT_EQ(Frame(&picture), 0);
    const int bytes = renderer_->CapturePicture(picture.Get(), 24, nullptr);
    EXPECT_EQ(bytes, 720 * 480 * 3 + 72) << "the width rounded down to a multiple of 4";
    std::vector<uint8_t> bitmap(size_t(bytes), 0);
    ASSERT_EQ(renderer_->CapturePicture(picture.Get(), 24, bitmap.data()), 0);
    int32_t width = 0, height = 0;
    std::memcpy(&width, bitmap.data() + 4, 4);
    std::memcpy(&height, bitmap.data() + 8, 4);
    EXPECT_EQ(width, 720);
    EXPECT_EQ(height, 480);
    EXPECT_GT(bitmap[kBitmapHeaderBytes + 1000], 200) << "the light picture";
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    EXPECT_EQ(renderer_->CapturePicture(picture.Get(), 24, bitmap.data()), -1)
        << "its surface was released";
}

TEST_F(IntelFramePath, CloseHidesTheOverlayAndGivesEverythingBack) {
    PackedPicture picture(720, 480, 100);
    ASSERT_EQ(Frame(&picture), 0);
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal()[0], HasSubstr("MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi"));
    EXPECT_THAT(Journal()[0], HasSubstr(" 1 0"));
    EXPECT_EQ(Count("MCDestroyVideoMemorySurface__FPUi"), 3);
    EXPECT_EQ(Journal().back(), "unload libI915G.so");
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.surfaces, 0);
    EXPECT_EQ(s.overlayEnabled, 0);
    EXPECT_EQ(renderer_->Close(), 0) << "twice is harmless";
}

}  // namespace
