// The CLE266 renderer's Open with its lines, the command orders of the frame
// path, double buffering, the overlay record, property 5, the extra
// operations and Close, checked through the stand-in's journal, the overlay
// buffers and the simulated monitor.
#include <cstring>

#include "sim/display/sim_display.h"
#include "tests/sim/display/display_fixture.h"
#include "tests/video/render/via/cle266_fixture.h"

namespace {

using cle266test::Cle266RendererTest;
using cle266test::kHide;
using cle266test::kKey;
using cle266test::kShowKeyed;
using cle266test::kStart;
using cle266test::kStop;
using cle266test::kWindow;
using cle266test::OverlayLine;
using cle266test::SurfaceLine;
using rendertest::PackedFrame;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Cle266Open : public Cle266RendererTest {};

TEST_F(Cle266Open, OpensWithItsLineAndSpansTheScreen) {
    sim_display_journal_clear();
    renderer_ = std::make_unique<CVRLNCLE266>();
    EXPECT_EQ(OpenPrinting(), "CVRLNCLE266::Open return success\n");
    EXPECT_EQ(opened_, 0);
    EXPECT_THAT(Journal(), ElementsAre("load libddmpeg.so")) << "no command yet";
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.left, 0);
    EXPECT_EQ(d.right, 1023);
    EXPECT_EQ(d.bottom, 767);
    EXPECT_EQ(renderer_->GetKind(), 20);
    EXPECT_EQ(renderer_->ClearPicture(), 0);
    EXPECT_EQ(renderer_->CapturePicture(nullptr, 24, nullptr), kVrlnCaptureUnsupported);
    EXPECT_EQ(renderer_->ColourKey(), kKey);
}

TEST_F(Cle266Open, TheDestinationFollowsTheScreenTheSeamGives) {
    const std::string screen = root_ + "/screen";
    setenv("MIROVA_FBDEV", screen.c_str(), 1);
    setenv("MIROVA_FBGEOMETRY", "800x600x32", 1);
    renderer_ = std::make_unique<CVRLNCLE266>();
    OpenPrinting();
    ASSERT_EQ(opened_, 0);
    EXPECT_EQ(renderer_->Destination().right, 799);
    EXPECT_EQ(renderer_->Destination().bottom, 599);
}

TEST_F(Cle266Open, AMissingLibraryPrintsItsErrorLine) {
    ASSERT_EQ(unlink((root_ + "/usr/lib/libddmpeg.so").c_str()), 0);
    Install("libddmpeg.so", "/usr/local/lib");
    renderer_ = std::make_unique<CVRLNCLE266>();
    EXPECT_EQ(OpenPrinting(), "Error: Dynamic load library libddmpeg.so error.\n")
        << "only /usr/lib is tried";
    EXPECT_EQ(opened_, -1);
    EXPECT_EQ(renderer_->Close(), 0);
}

TEST_F(Cle266Open, AMissingEntryPointPrintsItsLineAndCloseGivesTheLibraryBack) {
    Install("libddmpeg.so", "/usr/lib", "VIADriverProc");
    renderer_ = std::make_unique<CVRLNCLE266>();
    EXPECT_EQ(OpenPrinting(), "Error: Can't load symbol in libddmpeg.so.\n");
    EXPECT_EQ(opened_, -1);
    EXPECT_EQ(sim_display_library_loaded("libddmpeg.so"), 1);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre("unload libddmpeg.so"));
}

TEST_F(Cle266Open, WithoutAFrameBufferOpenFailsAndCloseStillGivesTheLibraryBack) {
    setenv("MIROVA_FBDEV", (root_ + "/no/such/folder/fb").c_str(), 1);
    renderer_ = std::make_unique<CVRLNCLE266>();
    EXPECT_EQ(OpenPrinting(), "");
    EXPECT_EQ(opened_, -1);
    EXPECT_EQ(sim_display_library_loaded("libddmpeg.so"), 1);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre("unload libddmpeg.so"))
        << "no command for a driver never used";
}

class Cle266FramePath : public Cle266RendererTest {
  protected:
    void SetUp() override {
        Cle266RendererTest::SetUp();
        OpenRenderer();
    }
};

TEST_F(Cle266FramePath, TheFirstPictureSendsOnly0And2ThenShowsBuffer1) {
    PackedFrame frame(720, 480, 21u, true);
    ASSERT_EQ(renderer_->DrawPicture(frame.Get()), 0);
    EXPECT_THAT(Journal(), ElementsAre(kStart, SurfaceLine(2, 720, 480)));
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->Flip(frame.Get()), 0);
    EXPECT_THAT(Journal(),
                ElementsAre(SurfaceLine(4, 720, 480), OverlayLine(kWindow, 720, 480, kShowKeyed),
                            "VIADriverProc 7 1"));
    EXPECT_TRUE(renderer_->HasSurfaces());
    CVRLNPicture* p = frame.Get();
    EXPECT_EQ(p->outputPitch, 720 * 2);
    SimDisplaySurface surfaces[4];
    ASSERT_EQ(sim_display_surfaces(surfaces, 4), 2);
    EXPECT_EQ(p->output, sim_display_memory() + surfaces[1].offset) << "the buffer of index 1";
    EXPECT_EQ(std::memcmp(p->output, frame.Bytes().data(), frame.Bytes().size()), 0)
        << "the packed picture as it is";
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 1);
    EXPECT_EQ(s.overlayPlanar, 0);
    EXPECT_EQ(s.overlayOffset, surfaces[1].offset);
    EXPECT_EQ(s.keying, 1);
}

TEST_F(Cle266FramePath, ConsecutiveFlipsAlternateBetweenIndexes1And0) {
    PackedFrame frame(720, 480, 90);
    for (int i = 0; i < 4; ++i) ASSERT_EQ(renderer_->PresentPicture(frame.Get()), 0);
    EXPECT_THAT(Commands(7), ElementsAre("VIADriverProc 7 1", "VIADriverProc 7 0",
                                         "VIADriverProc 7 1", "VIADriverProc 7 0"));
    EXPECT_EQ(Count("VIADriverProc 2"), 1) << "surfaces made once";
}

TEST_F(Cle266FramePath, ASizeChangeHidesDestroysStopsStartsAndCreatesInThatOrder) {
    PackedFrame large(720, 480, 100), small(352, 288, 22u, true);
    ASSERT_EQ(Frame(large.Get()), 0);
    sim_display_journal_clear();
    ASSERT_EQ(Frame(small.Get()), 0);
    EXPECT_THAT(Journal(),
                ElementsAre(OverlayLine(kWindow, 720, 480, kHide), SurfaceLine(3, 720, 480), kStop,
                            kStart, SurfaceLine(2, 352, 288), SurfaceLine(4, 352, 288),
                            OverlayLine(kWindow, 352, 288, kShowKeyed), "VIADriverProc 7 0"));
    EXPECT_EQ(SimDisplayStateNow().surfaces, 2);
    EXPECT_EQ(SimDisplayStateNow().overlaySourceWidth, 352);
}

TEST_F(Cle266FramePath, AFailedDriverStartLeavesNoSurfacesAndFramesAreDroppedUnwritten) {
    sim_display_fail("VIADriverProc:0", 1, 0, 1);
    PackedFrame frame(720, 480, 23u, true);
    const std::vector<uint8_t> before(frame.Bytes());
    ASSERT_EQ(Frame(frame.Get()), 0);
    EXPECT_THAT(Journal(), ElementsAre("VIADriverProc 0 -> fault"));
    EXPECT_FALSE(renderer_->HasSurfaces());
    EXPECT_EQ(frame.Get()->output, nullptr) << "nothing written";
    ASSERT_EQ(Frame(frame.Get()), 0);
    EXPECT_EQ(Count("VIADriverProc"), 1) << "still dropped: no command at all";
    PackedFrame other(352, 288, 24u, true);
    ASSERT_EQ(Frame(other.Get()), 0);
    EXPECT_EQ(Count(SurfaceLine(2, 352, 288).c_str()), 1) << "the next size change makes them";
    EXPECT_TRUE(renderer_->HasSurfaces());
    EXPECT_EQ(Count("VIADriverProc 7"), 1);
}

TEST_F(Cle266FramePath, FailedSurfaceCreationDropsFramesToo) {
    sim_display_fail_kind(SIM_DISPLAY_FAULT_SURFACE, 0, 1);
    PackedFrame frame(720, 480, 25u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    EXPECT_THAT(Journal(), ElementsAre(kStart, SurfaceLine(2, 720, 480) + " -> fault"));
    EXPECT_EQ(frame.Get()->output, nullptr);
    EXPECT_EQ(Count("VIADriverProc 4"), 0);
}

TEST_F(Cle266FramePath, AFailedLockOfTheBuffersDropsTheFrame) {
    PackedFrame frame(720, 480, 26u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    sim_display_fail("VIADriverProc:4", 1, 0, 1);
    sim_display_journal_clear();
    PackedFrame next(720, 480, 27u, true);
    ASSERT_EQ(Frame(next.Get()), 0);
    EXPECT_THAT(Journal(), ElementsAre(SurfaceLine(4, 720, 480) + " -> fault"));
    EXPECT_EQ(next.Get()->output, nullptr);
}

TEST_F(Cle266FramePath, ADestinationOnePixelWideIsTakenAndSentWithTheNextRefresh) {
    PackedFrame frame(720, 480, 28u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    const VRLNRect line{300, 200, 300, 400}, backwards{300, 200, 299, 400};
    ASSERT_EQ(renderer_->SetOutputRect(0, &line, nullptr), 0);
    ASSERT_EQ(renderer_->SetOutputRect(0, &backwards, nullptr), 0);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Destination().right, 300) << "right below left is not taken";
    EXPECT_THAT(Journal(), IsEmpty()) << "no command until Refresh";
    EXPECT_EQ(renderer_->Refresh(0, 0), 0);
    EXPECT_THAT(Journal(), ElementsAre(OverlayLine(line, 720, 480, kShowKeyed)));
    EXPECT_EQ(SimDisplayStateNow().overlayWidth, 1);
}

TEST_F(Cle266FramePath, RefreshBeforeAnySurfaceReturnsTheLibrarysRefusal) {
    EXPECT_EQ(renderer_->Refresh(0, 0), 1);
    EXPECT_THAT(Journal(), ElementsAre(OverlayLine(kWindow, 0, 0, kShowKeyed)));
}

TEST_F(Cle266FramePath, TheColourKeyGoesIntoTheOverlayRecordAtOnce) {
    PackedFrame frame(720, 480, 29u, true), small(352, 288, 30u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    ASSERT_EQ(Set(kPropColourKey, 0x0821), 0);
    int32_t key = 0;
    ASSERT_EQ(Get(kPropColourKey, &key), 0);
    EXPECT_EQ(key, 0x0821);
    sim_display_journal_clear();
    // The hide at the size change sends the record as it stands.
    ASSERT_EQ(renderer_->DrawPicture(small.Get()), 0);
    EXPECT_EQ(Journal().front(), OverlayLine(kWindow, 720, 480, kHide, 0x0821));
    EXPECT_EQ(Journal().back(), SurfaceLine(2, 352, 288, 0x0821));
    ASSERT_EQ(renderer_->Flip(small.Get()), 0);
    EXPECT_EQ(Count(OverlayLine(kWindow, 352, 288, kShowKeyed, 0x0821).c_str()), 1);
    EXPECT_EQ(SimDisplayStateNow().colourKey, 0x0821u);
}

TEST_F(Cle266FramePath, EveryOtherPropertyIsAnswered0x80070492) {
    int32_t value = 3;
    for (uint32_t id : {4u, 257u, 258u, 263u, 3855u, 3857u, 3858u, 3867u}) {
        EXPECT_EQ(Set(id, 1), kVrlnPropertySetNotFound) << id;
        EXPECT_EQ(Get(id, &value), kVrlnPropertySetNotFound) << id;
    }
    const VRLNPropertySetId other = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(renderer_->SetProperty(&other, kPropColourKey, nullptr, 0, &value, 4),
              kVrlnPropertySetNotFound);
    EXPECT_EQ(
        renderer_->SetProperty(&VideoRendererPropertySet, kPropColourKey, nullptr, 0, nullptr, 4),
        kVrlnNullPointer);
    EXPECT_EQ(
        renderer_->SetProperty(&VideoRendererPropertySet, kPropColourKey, nullptr, 0, &value, 3),
        kVrlnBadArgument);
    uint32_t length = 0;
    EXPECT_EQ(renderer_->GetProperty(&VideoRendererPropertySet, kPropColourKey, nullptr, 0, nullptr,
                                     0, &length),
              0);
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(renderer_->ColourKey(), kKey) << "unchanged";
    EXPECT_THAT(Journal(), IsEmpty());
}

TEST_F(Cle266FramePath, TheFourExtraOperations) {
    EXPECT_EQ(renderer_->InitVideoOverlay(), 0);
    EXPECT_EQ(renderer_->SetColourKeying(0x1234), 0);
    EXPECT_EQ(renderer_->ColourKey(), 0x1234u);
    PackedFrame frame(720, 480, 31u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    EXPECT_EQ(Count(OverlayLine(kWindow, 720, 480, kShowKeyed, 0x1234).c_str()), 1);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->ReleaseSurfaces(), 0);
    EXPECT_THAT(Journal(), ElementsAre(OverlayLine(kWindow, 720, 480, kHide, 0x1234),
                                       SurfaceLine(3, 720, 480, 0x1234), kStop));
    EXPECT_FALSE(renderer_->HasSurfaces());
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->CreateSurfaces(), 0);
    EXPECT_THAT(Journal(), ElementsAre(kStart, SurfaceLine(2, 720, 480, 0x1234)));
    EXPECT_TRUE(renderer_->HasSurfaces());
    sim_display_fail("VIADriverProc:0", 1, 0, 1);
    EXPECT_EQ(renderer_->ReleaseSurfaces(), 0);
    EXPECT_EQ(renderer_->CreateSurfaces(), 1) << "a failed start is returned";
    sim_display_fail("VIADriverProc:1", 1, 0, 1);
    EXPECT_EQ(renderer_->ReleaseSurfaces(), 1) << "a failed stop is reported";
}

TEST_F(Cle266FramePath, CloseHidesDestroysStopsAndUnloads) {
    PackedFrame frame(720, 480, 32u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre(OverlayLine(kWindow, 720, 480, kHide),
                                       SurfaceLine(3, 720, 480), kStop, "unload libddmpeg.so"));
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 0);
    EXPECT_EQ(s.surfaces, 0);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_EQ(renderer_->Flip(frame.Get()), 0);
    EXPECT_THAT(Journal(), IsEmpty()) << "a closed renderer sends nothing";
}

TEST_F(Cle266FramePath, CloseReportsAFailedRelease) {
    PackedFrame frame(720, 480, 33u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    sim_display_fail("VIADriverProc:3", 1, 0, 1);
    EXPECT_EQ(renderer_->Close(), 1);
    EXPECT_EQ(sim_display_library_loaded("libddmpeg.so"), 0) << "released all the same";
}

TEST_F(Cle266FramePath, CloseBeforeAnyPictureOnlyStopsTheDriver) {
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre(kStop, "unload libddmpeg.so"));
}

TEST_F(Cle266FramePath, TheMonitorShowsThePictureInTheDestinationWhereTheKeyIs) {
    const uint32_t desktop = sim_display_pixel_of(0, 0, 160);
    sim_display_fill_screen(0, 0, 1024, 768, desktop);
    sim_display_fill_screen(kWindow.left, kWindow.top, 720, 480, kKey);
    PackedFrame frame(720, 480, 0);
    frame.Halves(40, 200);
    ASSERT_EQ(Frame(frame.Get()), 0);
    const SimScanOut out = SimDisplayScanOut();
    using displaytest::Grey;
    using displaytest::PixelAt;
    EXPECT_TRUE(Grey(PixelAt(out, kWindow.left + 100, kWindow.top + 100), 40, 1));
    EXPECT_TRUE(Grey(PixelAt(out, kWindow.left + 600, kWindow.top + 400), 200, 1));
    EXPECT_EQ(PixelAt(out, kWindow.left - 1, kWindow.top + 10).b, 165) << "the desktop beside it";
    EXPECT_EQ(PixelAt(out, kWindow.right + 1, kWindow.bottom).b, 165);
}

}  // namespace
