// Opening and closing the SiS renderer: the window made for the configured
// output size, the library-wide words it sets, and each failure of the
// window's creation, after which Close gives back only what was made.
#include <unistd.h>

#include "tests/video/render/sis/sis_fixture.h"

namespace {

using sistest::Reports;
using sistest::SisRendererTest;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SisOpen : public SisRendererTest {};

TEST_F(SisOpen, MakesTheWindowForTheConfiguredSizeAndEnablesIt) {
    SetConversionMode(kConversionCopyPacked);
    SetRendererFlags(0x10007);
    Create();
    ASSERT_EQ(renderer_->Open(), 0);
    EXPECT_THAT(Journal(),
                ElementsAre("load libdv.so", "SiSInit", "CreateSiSVideo 720 576",
                            "Linux_SetVideoWindow 0 0 719 575 2081", "Linux_VideoEnable 1"));
    EXPECT_TRUE(renderer_->HasWindow());
    EXPECT_EQ(renderer_->WindowWidth(), 720);
    EXPECT_EQ(renderer_->GetKind(), 1);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 4);
    EXPECT_EQ(ConversionMode(), kConversionRepackPacked);
    EXPECT_EQ(RendererFlags(), 0x3u) << "bits 0x10004 cleared, the others kept";
    EXPECT_EQ(LastChangedFrameWidth(), 720);
    EXPECT_EQ(LastChangedFrameHeight(), 576);
    EXPECT_THAT(Reports(), IsEmpty());
}

TEST_F(SisOpen, EveryBufferStartsBlack) {
    Create();
    ASSERT_EQ(renderer_->Open(), 0);
    const int pitch = 720, luma = 720 * 576, chroma = 360 * 288;
    for (int n = 0; n < CVRLNSiS::kBufferCount; ++n) {
        const uint8_t* b = Buffer(n);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b[0], 0) << n;
        EXPECT_EQ(b[luma - 1], 0) << n;
        EXPECT_EQ(b[luma], 128) << "V plane of " << n;
        EXPECT_EQ(b[luma + 2 * chroma - 1], 128) << "U plane of " << n;
        EXPECT_EQ(b[pitch * 300 + 7], 0);
    }
}

TEST_F(SisOpen, TakesTheConfiguredOutputSize) {
    SetConfiguredOutputSize(640, 480);
    Create();
    ASSERT_EQ(renderer_->Open(), 0);
    EXPECT_EQ(Count("CreateSiSVideo 640 480"), 1);
    EXPECT_EQ(Count("Linux_SetVideoWindow 0 0 639 479 2081"), 1);
}

TEST_F(SisOpen, FindsTheLibraryUnderTheSecondPath) {
    ASSERT_EQ(unlink((root_ + "/usr/lib/libdv.so").c_str()), 0);
    Install("libdv.so", "/usr/local/lib");
    Create();
    EXPECT_EQ(renderer_->Open(), 0);
}

TEST_F(SisOpen, FailsWithoutTheLibraryAndCloseCallsNothing) {
    ASSERT_EQ(unlink((root_ + "/usr/lib/libdv.so").c_str()), 0);
    Create();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), IsEmpty());
}

TEST_F(SisOpen, ALibraryLackingOneNameFailsAndCloseOnlyGivesItBack) {
    Install("libdv.so", "/usr/lib", "Linux_SetVideoSource");
    Create();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(sim_display_library_loaded("libdv.so"), 1);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre("unload libdv.so"));
}

class SisWindowFailure : public SisRendererTest {
  protected:
    // Opens with a fault armed (Open closes the renderer itself), then closes
    // again as the renderer choice does. The journal of the opening shows
    // that nothing was released twice for a window that was never made.
    std::vector<std::string> OpenAndCloseAfterFailure() {
        Create();
        EXPECT_EQ(renderer_->Open(), -1);
        EXPECT_FALSE(renderer_->HasWindow());
        std::vector<std::string> opening = Journal();
        sim_display_journal_clear();
        EXPECT_EQ(renderer_->Close(), 0);
        EXPECT_THAT(Journal(), IsEmpty()) << "Open closed it already";
        EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
        return opening;
    }
};

TEST_F(SisWindowFailure, InitialisationRefused) {
    sim_display_fail_kind(SIM_DISPLAY_FAULT_INIT, 0, 1);
    EXPECT_THAT(OpenAndCloseAfterFailure(),
                ElementsAre("load libdv.so", "SiSInit -> fault", "unload libdv.so"));
    EXPECT_THAT(Reports(), IsEmpty());
}

TEST_F(SisWindowFailure, VideoResourcesRefused) {
    sim_display_fail_kind(SIM_DISPLAY_FAULT_SURFACE, 0, 1);
    EXPECT_THAT(OpenAndCloseAfterFailure(),
                ElementsAre("load libdv.so", "SiSInit", "CreateSiSVideo 720 576 -> fault",
                            "SiSUninit", "unload libdv.so"));
    EXPECT_THAT(Reports(), ElementsAre("Error: SiS video resource initialization failed!"));
}

TEST_F(SisWindowFailure, WindowRefused) {
    sim_display_fail("Linux_SetVideoWindow", 1, 0, 1);
    EXPECT_THAT(OpenAndCloseAfterFailure(),
                ElementsAre("load libdv.so", "SiSInit", "CreateSiSVideo 720 576",
                            "Linux_SetVideoWindow 0 0 719 575 2081 -> fault", "ReleaseSiSVideo",
                            "SiSUninit", "unload libdv.so"));
    EXPECT_THAT(Reports(), ElementsAre("Error: SiS video window create failed!"));
}

TEST_F(SisOpen, CloseReleasesTheWindowOnceAndTheLibrary) {
    Create();
    ASSERT_EQ(renderer_->Open(), 0);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre("Linux_VideoEnable 0", "ReleaseSiSVideo", "SiSUninit",
                                       "unload libdv.so"));
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0) << "twice is harmless";
    EXPECT_THAT(Journal(), IsEmpty());
}

}  // namespace
