// The ATI renderer's Open, frame path, overlay position, suspend and Close,
// checked through the stand-in's journal, the video buffers and the
// simulated monitor.
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "sim/display/sim_display.h"
#include "tests/platform/fake_cpu_probe.h"
#include "tests/sim/display/display_fixture.h"
#include "tests/video/render/ati/radeon_fixture.h"

namespace {

using radeontest::BufferBytes;
using radeontest::kKey;
using radeontest::kOffset;
using radeontest::kWindow;
using radeontest::RadeonRendererTest;
using rendertest::PackedFrame;
using rendertest::PlanarFrame;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RadeonOpen : public RadeonRendererTest {};

TEST_F(RadeonOpen, PrintsThePidQueriesTheModeAndBlanksTheScreen) {
    sim_display_fill_screen(0, 0, 1024, 768, sim_display_pixel_of(200, 10, 10));
    sim_display_journal_clear();
    renderer_ = std::make_unique<CVRLNRadeon>();
    testing::internal::CaptureStdout();
    ASSERT_EQ(renderer_->Open(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\nVrln pid: " + std::to_string(getpid()) + "\n");
    EXPECT_THAT(Journal(),
                ElementsAre("load libradeonov.so", "RadeonGetFBAddr", "RadeonGetMode",
                            "RadeonSetMode 0 1024 768 16", "RadeonSolidFill 0 0 1023 767 0"));
    EXPECT_EQ(sim_display_screen_pixel(512, 400), 0u) << "the screen filled with colour 0";
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.left, 0);
    EXPECT_EQ(d.right, 1023);
    EXPECT_EQ(d.bottom, 767);
    EXPECT_EQ(renderer_->VideoBufferOffset(), kOffset) << "right below the visible screen";
    EXPECT_EQ(renderer_->GetKind(), 1);
    EXPECT_EQ(renderer_->CapturePicture(nullptr, 24, nullptr), kVrlnCaptureUnsupported);
}

TEST_F(RadeonOpen, FindsTheLibraryUnderTheSecondPath) {
    ASSERT_EQ(unlink((root_ + "/usr/lib/libradeonov.so").c_str()), 0);
    Install("libradeonov.so", "/usr/local/lib");
    OpenRenderer();
    EXPECT_EQ(sim_display_library_loaded("libradeonov.so"), 1);
}

TEST_F(RadeonOpen, FailsWithoutTheLibraryBeforePrintingAnything) {
    ASSERT_EQ(unlink((root_ + "/usr/lib/libradeonov.so").c_str()), 0);
    renderer_ = std::make_unique<CVRLNRadeon>();
    testing::internal::CaptureStdout();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(renderer_->Close(), 0);
}

TEST_F(RadeonOpen, ALibraryLackingOneNameFailsAndCloseGivesItBack) {
    Install("libradeonov.so", "/usr/lib", "RadeonQueryCardInfo");
    renderer_ = std::make_unique<CVRLNRadeon>();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(sim_display_library_loaded("libradeonov.so"), 1) << "kept for Close";
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre("unload libradeonov.so")) << "no call through unbound names";
}

TEST_F(RadeonOpen, AFailingModeQueryFailsAfterThePidLine) {
    sim_display_fail("RadeonGetMode", 0, 0, 1);
    renderer_ = std::make_unique<CVRLNRadeon>();
    testing::internal::CaptureStdout();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\nVrln pid: " + std::to_string(getpid()) + "\n");
    EXPECT_EQ(Count("RadeonSolidFill"), 0);
    renderer_->Close();
    EXPECT_EQ(sim_display_library_loaded("libradeonov.so"), 0);
}

TEST_F(RadeonOpen, AFailingModeSetKeepsTheInitialDestination) {
    renderer_ = std::make_unique<CVRLNRadeon>();
    sim_display_fail("RadeonSetMode", 0, 0, 1);
    testing::internal::CaptureStdout();
    ASSERT_EQ(renderer_->Open(), 0);
    testing::internal::GetCapturedStdout();
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.right, 1279);
    EXPECT_EQ(d.bottom, 799);
    EXPECT_EQ(Count("RadeonSolidFill 0 0 1023 767 0"), 1) << "the mode from the query";
}

TEST_F(RadeonOpen, WithoutAFrameBufferAddressThereIsNowhereToDrawAndOpenFails) {
    sim_display_fail("RadeonGetFBAddr", 0, 0, 1);
    renderer_ = std::make_unique<CVRLNRadeon>();
    testing::internal::CaptureStdout();
    EXPECT_EQ(renderer_->Open(), -1);
    testing::internal::GetCapturedStdout();
}

class RadeonFramePath : public RadeonRendererTest {
  protected:
    void SetUp() override {
        RadeonRendererTest::SetUp();
        OpenRenderer();
        // Video memory below the screen as something else left it.
        std::memset(Memory(kOffset), 0x77, 2 * BufferBytes(720, 576));
    }
};

TEST_F(RadeonFramePath, TheFirstPictureProgramsTheOverlayAndPaintsBothBuffersBlack) {
    PackedFrame frame(720, 480, 7u, true);
    ASSERT_EQ(renderer_->DrawPicture(frame.Get()), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetSrc 1572864 720 480 32778",
                                       "RadeonOverlaySetDst 100 50 720 480",
                                       "RadeonOverlaySetColorKey 0 65793", "RadeonOverlayEnable"));
    EXPECT_TRUE(Black(Buffer(0, 720, 480)));
    EXPECT_TRUE(Black(Buffer(1, 720, 480)));
    EXPECT_EQ(Memory(kOffset)[2 * BufferBytes(720, 480)], 0x77) << "nothing past the two buffers";
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->DrawPicture(frame.Get()), 0);
    EXPECT_THAT(Journal(), IsEmpty()) << "the same size programs nothing";
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 1);
    EXPECT_EQ(s.overlayPlanar, 1);
    EXPECT_EQ(s.keying, 1);
    EXPECT_EQ(s.colourKey, kKey);
}

TEST_F(RadeonFramePath, FlipsConvertIntoTheBufferNotShownAlternately) {
    PackedFrame first(720, 480, 1u, true), second(720, 480, 2u, true);
    ASSERT_EQ(Frame(first.Get()), 0);
    EXPECT_EQ(renderer_->BufferIndex(), 1);
    EXPECT_EQ(Buffer(1, 720, 480), Converted(first, 720, 480)) << "into the second buffer";
    EXPECT_TRUE(Black(Buffer(0, 720, 480)));
    EXPECT_EQ(SimDisplayStateNow().overlayOffset, kOffset + BufferBytes(720, 480));
    EXPECT_EQ(first.Get()->outputPitch, 720) << "the source pitch the library returned";
    EXPECT_EQ(first.Get()->output, Memory(kOffset + BufferBytes(720, 480)));
    sim_display_journal_clear();
    ASSERT_EQ(Frame(second.Get()), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlayFlip"));
    EXPECT_EQ(renderer_->BufferIndex(), 0);
    EXPECT_EQ(Buffer(0, 720, 480), Converted(second, 720, 480));
    EXPECT_EQ(Buffer(1, 720, 480), Converted(first, 720, 480)) << "the shown buffer untouched";
    EXPECT_EQ(SimDisplayStateNow().overlayOffset, kOffset);
    ASSERT_EQ(renderer_->PresentPicture(first.Get()), 0);
    EXPECT_EQ(renderer_->BufferIndex(), 1);
    EXPECT_EQ(Count("RadeonOverlayFlip"), 2);
}

TEST_F(RadeonFramePath, ASizeChangeRepaintsBothBuffersBlackBeforeTheNextConversion) {
    PackedFrame large(720, 480, 3u, true), small(352, 288, 4u, true);
    ASSERT_EQ(Frame(large.Get()), 0);
    ASSERT_EQ(Frame(large.Get()), 0);
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->DrawPicture(small.Get()), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetSrc 1572864 352 288 32778",
                                       "RadeonOverlaySetDst 100 50 720 480",
                                       "RadeonOverlaySetColorKey 0 65793", "RadeonOverlayEnable"));
    EXPECT_TRUE(Black(Buffer(0, 352, 288)));
    EXPECT_TRUE(Black(Buffer(1, 352, 288)));
    EXPECT_EQ(renderer_->BufferIndex(), 0);
    ASSERT_EQ(renderer_->Flip(small.Get()), 0);
    EXPECT_EQ(Buffer(1, 352, 288), Converted(small, 352, 288));
    EXPECT_TRUE(Black(Buffer(0, 352, 288)));
    EXPECT_EQ(Count("RadeonOverlaySetSrc"), 1) << "once per change";
}

// Widths off the vector steps (the library takes even sizes only): whatever
// path the processor record gives the converter, the buffer not shown holds
// the reference's bytes and nothing else changes.
TEST_F(RadeonFramePath, WidthsOffTheVectorStepsConvertTheSameOnEveryProcessorPath) {
    constexpr uint32_t kMmx = 1u << 23, kSse = 1u << 25;
    FakeCpuProbe pentium3;
    pentium3.SetVendor("GenuineIntel");
    pentium3.SetLeaf1(0x673, 0, 0, kMmx | kSse);
    struct Case {
        const CpuProbe* probe;  // null: this machine
        int width, height;
    };
    for (const Case& c : {Case{&pentium3, 354, 290}, Case{nullptr, 354, 292},
                          Case{&pentium3, 70, 6}, Case{nullptr, 70, 8}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        PackedFrame frame(c.width, c.height, uint32_t(c.width), true);
        const CpuProbe* previous = c.probe != nullptr ? InstallCpuProbe(c.probe) : nullptr;
        const int flipped = Frame(frame.Get());
        if (c.probe != nullptr) InstallCpuProbe(previous);
        ASSERT_EQ(flipped, 0);
        std::vector<uint8_t> expected(BufferBytes(c.width, c.height), 128);
        std::fill(expected.begin(), expected.begin() + expected.size() / 3 * 2, 16);
        const CVRLNPackedToPlanar reference(c.width, c.height, KernelCpu{});
        reference.Convert(frame.Bytes().data(), expected.data());
        EXPECT_EQ(Buffer(1, c.width, c.height), expected);
        EXPECT_TRUE(Black(Buffer(0, c.width, c.height))) << "the shown buffer untouched";
    }
}

TEST_F(RadeonFramePath, PlanarPicturesGoThroughTheProcessorIntoTheSamePlanes) {
    PlanarFrame planar(720, 480, 9u);
    ASSERT_EQ(Frame(planar.Get()), 0);
    const std::vector<uint8_t> buffer = Buffer(1, 720, 480);
    const size_t luma = 720u * 480u;
    EXPECT_EQ(std::memcmp(buffer.data(), planar.Luma(), luma - 720), 0) << "Y as it is";
    bool chromaSplit = true;
    for (int line = 0; line < 239; ++line)
        for (int j = 0; j < 360; ++j) {
            const uint8_t* uv = planar.Chroma() + size_t(line) * 720 + 2 * j;
            const uint8_t v = buffer[luma + size_t(line) * 360 + j];
            const uint8_t u = buffer[luma + luma / 4 + size_t(line) * 360 + j];
            chromaSplit = chromaSplit && u == uv[0] && v == uv[1];
        }
    EXPECT_TRUE(chromaSplit) << "V plane, then U plane, from the interleaved chroma";
    EXPECT_EQ(Count("RadeonOverlayFlip"), 1);
}

TEST_F(RadeonFramePath, APackedPictureAfterPlanarOnesOfTheSameSizeIsConvertedToo) {
    PlanarFrame planar(352, 288, 5u);
    PackedFrame packed(352, 288, 6u, true);
    ASSERT_EQ(Frame(planar.Get()), 0);
    ASSERT_EQ(Frame(packed.Get()), 0);
    EXPECT_EQ(Buffer(0, 352, 288), Converted(packed, 352, 288));
}

TEST_F(RadeonFramePath, APictureTheLibraryRefusesAsSourceIsDroppedWithoutWriting) {
    PackedFrame odd(721, 480, 11u, true);
    ASSERT_EQ(renderer_->DrawPicture(odd.Get()), 0);
    EXPECT_EQ(Count("RadeonOverlaySetSrc 1572864 721 480 32778"), 1);
    ASSERT_EQ(renderer_->Flip(odd.Get()), 0);
    EXPECT_EQ(Count("RadeonOverlayFlip"), 0);
    EXPECT_EQ(Memory(kOffset)[0], 0x77);
    EXPECT_EQ(Memory(kOffset)[BufferBytes(721, 480) + 5], 0x77);
    PackedFrame even(720, 480, 12u, true);
    ASSERT_EQ(Frame(even.Get()), 0);
    EXPECT_EQ(Buffer(1, 720, 480), Converted(even, 720, 480)) << "the next size works again";
}

TEST_F(RadeonFramePath, TheFirstOutputRectangleAfterOpenIsOnlyRecordedTheSecondMovesTheOverlay) {
    renderer_->Close();
    renderer_ = std::make_unique<CVRLNRadeon>();
    testing::internal::CaptureStdout();
    ASSERT_EQ(renderer_->Open(), 0);
    testing::internal::GetCapturedStdout();
    sim_display_journal_clear();
    const VRLNRect first{10, 20, 369, 259}, second{30, 40, 749, 519};
    ASSERT_EQ(renderer_->SetOutputRect(0, &first, nullptr), 0);
    EXPECT_THAT(Journal(), IsEmpty());
    EXPECT_EQ(renderer_->Destination().right, 369);
    ASSERT_EQ(renderer_->SetOutputRect(0, &second, nullptr), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetDst 30 40 720 480", "RadeonOverlayEnable"));
    sim_display_journal_clear();
    const VRLNRect empty{50, 40, 50, 519};
    ASSERT_EQ(renderer_->SetOutputRect(0, &empty, nullptr), 0);
    EXPECT_EQ(renderer_->Destination().left, 30) << "a rectangle without width is not taken";
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetDst 30 40 720 480", "RadeonOverlayEnable"));
}

TEST_F(RadeonFramePath, RefreshPlacesTheOverlayAgainAndClearPicturePaintsBlack) {
    PackedFrame frame(720, 480, 13u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    sim_display_journal_clear();
    ASSERT_EQ(renderer_->Refresh(0, 0), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetDst 100 50 720 480"));
    ASSERT_EQ(renderer_->ClearPicture(), 0);
    EXPECT_TRUE(Black(Buffer(0, 720, 480)));
    EXPECT_TRUE(Black(Buffer(1, 720, 480)));
}

TEST_F(RadeonFramePath, WhileSuspendedFramesAndGeometryAreIgnoredAndResumeSpansTheMode) {
    PackedFrame frame(720, 480, 14u, true), other(352, 288, 15u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    const std::vector<uint8_t> shown = Buffer(1, 720, 480);
    sim_display_journal_clear();
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    EXPECT_TRUE(renderer_->Suspended());
    EXPECT_THAT(Journal(), ElementsAre("RadeonQueryCardInfo"));
    sim_display_journal_clear();
    const VRLNRect moved{0, 0, 351, 287};
    EXPECT_EQ(renderer_->SetOutputRect(0, &moved, nullptr), 0);
    EXPECT_EQ(renderer_->DrawPicture(other.Get()), 0);
    EXPECT_EQ(renderer_->Flip(other.Get()), 0);
    EXPECT_EQ(renderer_->PresentPicture(other.Get()), 0);
    EXPECT_EQ(renderer_->Refresh(0, 0), 0);
    EXPECT_EQ(renderer_->ClearPicture(), 0);
    EXPECT_THAT(Journal(), IsEmpty());
    EXPECT_EQ(Buffer(1, 720, 480), shown);
    EXPECT_EQ(renderer_->Destination().left, kWindow.left);
    ASSERT_EQ(SetNoValue(kPropResumeVideo), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonGetMode"));
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.right, 1023);
    EXPECT_EQ(d.bottom, 767);
    EXPECT_FALSE(renderer_->Suspended());
    ASSERT_EQ(Frame(other.Get()), 0);
    EXPECT_EQ(Count("RadeonOverlaySetSrc 1572864 352 288 32778"), 1) << "frames again";
}

// A mode change while suspended must not leave the buffers inside the new,
// larger screen: the offset follows the mode and the source is set again.
TEST_F(RadeonFramePath, ALargerModeAtResumeMovesTheBuffersBelowTheNewScreen) {
    PackedFrame frame(720, 480, 16u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    ASSERT_EQ(sim_display_set_boot_mode(1280, 1024, 16), 0);
    const uint32_t screenBytes = 1280u * 1024u * 2u;
    const uint32_t desktop = sim_display_pixel_of(0, 0, 160);
    sim_display_fill_screen(0, 0, 1280, 1024, desktop);
    ASSERT_EQ(SetNoValue(kPropResumeVideo), 0);
    EXPECT_EQ(renderer_->VideoBufferOffset(), screenBytes);
    EXPECT_EQ(renderer_->Destination().right, 1279);
    sim_display_journal_clear();
    ASSERT_EQ(Frame(frame.Get()), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlaySetSrc 2621440 720 480 32778",
                                       "RadeonOverlaySetDst 100 50 1180 974",
                                       "RadeonOverlaySetColorKey 0 65793", "RadeonOverlayEnable",
                                       "RadeonOverlayFlip"));
    EXPECT_EQ(Buffer(1, 720, 480, screenBytes), Converted(frame, 720, 480));
    EXPECT_EQ(sim_display_screen_pixel(0, 768), desktop) << "the desktop where the buffers were";
    EXPECT_EQ(sim_display_screen_pixel(1279, 1023), desktop);
    ASSERT_EQ(Frame(frame.Get()), 0);
    EXPECT_EQ(Count("RadeonOverlaySetSrc"), 1) << "programmed once";
}

TEST_F(RadeonFramePath, AModeSwitchThatKeepsTheModeProgramsNothingAgain) {
    PackedFrame frame(720, 480, 17u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    ASSERT_EQ(Set(kPropRestoreDisplay, 0), 0);
    ASSERT_EQ(Set(kPropDisplayOutput, 64), 0);
    sim_display_journal_clear();
    ASSERT_EQ(Frame(frame.Get()), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlayFlip"));
}

TEST_F(RadeonFramePath, CloseHidesTheOverlayAndGivesTheLibraryBack) {
    PackedFrame frame(720, 480, 18u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre("RadeonOverlayDisable", "unload libradeonov.so"));
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.right, 0);
    EXPECT_EQ(d.bottom, 0);
    EXPECT_EQ(renderer_->Flip(frame.Get()), 0) << "nothing to draw with";
    EXPECT_EQ(renderer_->Close(), 0);
}

TEST_F(RadeonFramePath, CloseWhileSuspendedStillHidesTheOverlayAndUnloads) {
    PackedFrame frame(720, 480, 19u, true);
    ASSERT_EQ(Frame(frame.Get()), 0);
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
    EXPECT_EQ(sim_display_library_loaded("libradeonov.so"), 0);
}

TEST_F(RadeonFramePath, TheMonitorShowsThePictureInTheDestinationWhereTheKeyIs) {
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
    EXPECT_EQ(PixelAt(out, kWindow.left + 10, kWindow.bottom + 1).b, 165) << "and below it";
}

}  // namespace
