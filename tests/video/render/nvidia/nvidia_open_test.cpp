// Open and Close of the NVIDIA renderer: the binding from /usr/lib only with
// the library's start, the output chosen by SolvaneON_RESOLUTION, the
// failures that make Open fail, and what Close sends.
#include "tests/video/render/nvidia/nvidia_fixture.h"

namespace {

using nvidiatest::kEndCall;
using nvidiatest::kExitCall;
using nvidiatest::kFrameCall;
using nvidiatest::kInitCall;
using nvidiatest::NvidiaRendererTest;
using nvidiatest::PackedPicture;
using ::testing::ElementsAre;

class NvidiaOpen : public NvidiaRendererTest {};

TEST_F(NvidiaOpen, StartsTheLibraryAsksItsVersionAndSetsTheDefaultOutput) {
    sim_display_journal_clear();
    renderer_ = std::make_unique<CVRLNNvidia>();
    ASSERT_EQ(renderer_->Open(), 0);
    EXPECT_THAT(Journal(),
                ElementsAre("load libNVDLL.so", "_Z9NvInitDllv", "_Z14NvMMGetVersionPPKcS1_",
                            std::string(kInitCall) + " 1 3 1024 768 60 0"));
    EXPECT_TRUE(renderer_->Loaded());
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.right, 1023) << "the last pixel of the output";
    EXPECT_EQ(d.bottom, 767);
    EXPECT_EQ(renderer_->GetKind(), 1);
    const NvConfVideo v = renderer_->VideoConfiguration();
    EXPECT_EQ(v.field3, 5);
    EXPECT_EQ(v.horizontalMode, 1);
    EXPECT_EQ(v.field10, 1);
}

TEST_F(NvidiaOpen, EachResolutionSettingGivesItsOutputOnTheMonitor) {
    const struct {
        int setting;
        int width, height, wide;
    } kOutputs[] = {{0, 1024, 768, 0},
                    {1, 1280, 1024, 0},
                    {2, 1280, 768, 1},
                    {3, 800, 600, 0},
                    {4, 1280, 800, 1}};
    for (const auto& o : kOutputs) {
        sim_display_reset();
        OpenRenderer(o.setting);
        const NvidiaOutput out = renderer_->Output();
        EXPECT_EQ(int(out.width), o.width) << o.setting;
        EXPECT_EQ(int(out.height), o.height) << o.setting;
        EXPECT_EQ(out.wide ? 1 : 0, o.wide) << o.setting;
        const SimDisplayState s = SimDisplayStateNow();
        EXPECT_EQ(s.width, o.width) << "the monitor runs at the output";
        EXPECT_EQ(s.height, o.height);
        renderer_->Close();
    }
}

TEST_F(NvidiaOpen, SettingTwoInitialisesAWide1280By768Output) {
    SettingSetInt("SolvaneON_RESOLUTION", 2);
    sim_display_journal_clear();
    renderer_ = std::make_unique<CVRLNNvidia>();
    ASSERT_EQ(renderer_->Open(), 0);
    EXPECT_EQ(Journal().back(), std::string(kInitCall) + " 1 3 1280 768 60 1");
}

TEST_F(NvidiaOpen, AResolutionOutsideTheTableIsRefusedByTheLibraryAndOpenFails) {
    SettingSetInt("SolvaneON_RESOLUTION", 7);
    renderer_ = std::make_unique<CVRLNNvidia>();
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(Journal().back(), std::string(kInitCall) + " 1 3 0 0 60 0");
    const VRLNRect d = renderer_->Destination();
    EXPECT_EQ(d.right, -1);
    EXPECT_EQ(d.bottom, -1);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre(kEndCall, kExitCall, "unload libNVDLL.so"))
        << "no black frame without a buffer, but video still ends";
}

TEST_F(NvidiaOpen, AFailingOutputStartFailsOpen) {
    sim_display_fail_kind(SIM_DISPLAY_FAULT_MODE, 0, 1);
    renderer_ = std::make_unique<CVRLNNvidia>();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_EQ(sim_display_library_loaded("libNVDLL.so"), 0);
    EXPECT_EQ(Count(kFrameCall), 0);
}

TEST_F(NvidiaOpen, ALibraryThatRefusesToStartFailsOpenAndIsDropped) {
    sim_display_fail("_Z9NvInitDllv", -1, 0, 1);
    renderer_ = std::make_unique<CVRLNNvidia>();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_FALSE(renderer_->Loaded());
    EXPECT_EQ(sim_display_library_loaded("libNVDLL.so"), 0);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_TRUE(Journal().empty()) << "nothing to end or exit";
}

TEST_F(NvidiaOpen, OnlyUsrLibCounts) {
    ASSERT_EQ(unlink((root_ + "/usr/lib/libNVDLL.so").c_str()), 0);
    Install("libNVDLL.so", "/usr/local/lib");
    renderer_ = std::make_unique<CVRLNNvidia>();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(renderer_->Close(), 0);
}

TEST_F(NvidiaOpen, ALibraryLackingAnUnusedNameFailsAndIsDroppedAtOnce) {
    Install("libNVDLL.so", "/usr/lib", "_Z14NvIRegionClearPvS_iijjj");
    renderer_ = std::make_unique<CVRLNNvidia>();
    EXPECT_EQ(renderer_->Open(), -1);
    EXPECT_EQ(sim_display_library_loaded("libNVDLL.so"), 0) << "the binding is dropped";
    EXPECT_EQ(renderer_->Close(), 0);
}

TEST_F(NvidiaOpen, OperationsWithoutEffectReturnZeroAndTouchNothing) {
    OpenRenderer();
    uint8_t bitmap[16] = {7, 7, 7, 7};
    PackedPicture p(64, 48);
    EXPECT_EQ(renderer_->CapturePicture(p.Get(), 24, bitmap), 0);
    EXPECT_EQ(bitmap[0], 7);
    EXPECT_EQ(renderer_->Refresh(0, 0), 0);
    EXPECT_EQ(renderer_->ClearPicture(), 0);
    EXPECT_EQ(renderer_->PresentPicture(p.Get()), 0);
    EXPECT_TRUE(Journal().empty());
}

class NvidiaClose : public NvidiaRendererTest {};

TEST_F(NvidiaClose, SendsOneBlackFrameThenEndsVideoAndExits) {
    OpenRenderer();
    PackedPicture p(720, 480);
    ASSERT_EQ(Frame(&p), 0);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre(std::string(kFrameCall) + " frame 0", kEndCall, kExitCall,
                                       "unload libNVDLL.so"));
    EXPECT_FALSE(renderer_->Loaded());
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

// The library is kept loaded by a binding of the test's own, and ending
// video and exiting do nothing, so the last frame stays on the monitor.
TEST_F(NvidiaClose, TheMonitorShowsTheBlackFrameLast) {
    for (int width : {720, 640}) {
        OpenRenderer();
        CVendorLibrary keep;
        NvidiaVideoCalls calls{};
        ASSERT_EQ(BindNvidiaCalls(&keep, &calls), VendorBind::kBound);
        PackedPicture p(width, 480, 200, 200);
        ASSERT_EQ(Frame(&p), 0);
        EXPECT_GT(nvidiatest::Level(SimDisplayScanOut(), 512, 384), 150) << width;
        sim_display_fail(kEndCall, 0, 0, -1);
        sim_display_fail(kExitCall, 0, 0, -1);
        ASSERT_EQ(renderer_->Close(), 0);
        const SimScanOut out = SimDisplayScanOut();
        EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 1) << width;
        for (int x : {0, 100, 512, 1023})
            EXPECT_LT(nvidiatest::Level(out, x, 384), 8) << "black at " << x << ", width " << width;
        sim_display_clear_faults();
        keep.Close();
        sim_display_reset();
    }
}

TEST_F(NvidiaClose, BeforeAnyPictureOnlyEndsVideo) {
    OpenRenderer();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_THAT(Journal(), ElementsAre(kEndCall, kExitCall, "unload libNVDLL.so"));
}

TEST_F(NvidiaClose, TwiceIsHarmlessAndTheRendererOpensAgain) {
    OpenRenderer();
    PackedPicture p(720, 480);
    ASSERT_EQ(Frame(&p), 0);
    EXPECT_EQ(renderer_->Close(), 0);
    sim_display_journal_clear();
    EXPECT_EQ(renderer_->Close(), 0);
    EXPECT_TRUE(Journal().empty());
    ASSERT_EQ(renderer_->Open(), 0);
    ASSERT_EQ(Frame(&p), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 1) << "the same size is set up again";
}

}  // namespace
