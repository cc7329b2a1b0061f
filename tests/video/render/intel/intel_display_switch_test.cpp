// Suspend, resume and display-output switching of the Intel renderers,
// checked through the journal (order and arguments of the calls) with every
// failure's result, and the frames dropped while surfaces are missing.
#include "sim/display/sim_display.h"
#include "tests/video/render/intel/intel_fixture.h"

namespace {

using inteltest::IntelRendererTest;
using inteltest::PackedPicture;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kCreate = "MCCreateVideoMemorySurface__FUiUiUi 720 480 16";
constexpr const char* kDestroy = "MCDestroyVideoMemorySurface__FPUi";
constexpr const char* kHide = "MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi";

class IntelSwitching : public IntelRendererTest {
  protected:
    void SetUp() override {
        IntelRendererTest::SetUp();
        OpenRenderer();
        ASSERT_EQ(Frame(&picture_), 0);
        sim_display_journal_clear();
    }
    // A frame after a failure: nothing is locked, converted or flipped.
    void ExpectFramesDropped() {
        sim_display_journal_clear();
        EXPECT_EQ(Frame(&picture_), 0);
        EXPECT_EQ(Count("MCLockSurface"), 0);
        EXPECT_EQ(Count("MCFlipOverlay"), 0);
        EXPECT_EQ(Count("MCUpdateOverlay"), 0);
    }
    // The lines after the surfaces were released, one per element.
    static std::vector<::testing::Matcher<std::string>> Released() {
        return {AllOf(StartsWith(kHide), HasSubstr(" 1 0")), StartsWith(kDestroy),
                StartsWith(kDestroy), StartsWith(kDestroy)};
    }
    static std::vector<::testing::Matcher<std::string>> Restarted() {
        return {::testing::Eq("MCInitVideoOverlay__Fv"),
                ::testing::Eq("MCGetOnScreenLinearStartingAddress__Fv"),
                ::testing::Eq(kCreate),
                ::testing::Eq(kCreate),
                ::testing::Eq(kCreate),
                ::testing::Eq("MCSetVideoOverlayColorKey__FUi 2081")};
    }
    static std::vector<::testing::Matcher<std::string>> Join(
        std::initializer_list<std::vector<::testing::Matcher<std::string>>> parts) {
        std::vector<::testing::Matcher<std::string>> all;
        for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    }
    using M = std::vector<::testing::Matcher<std::string>>;

    PackedPicture picture_{720, 480, 120};
};

TEST_F(IntelSwitching, SuspendHidesTheOverlayBeforeReleasingTheSurfaces) {
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    EXPECT_THAT(Journal(), ::testing::ElementsAreArray(Released()));
    EXPECT_TRUE(renderer_->Suspended());
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.overlayEnabled, 0);
    EXPECT_EQ(s.surfaces, 0);
}

TEST_F(IntelSwitching, WhileSuspendedFramesRefreshAndGeometryDoNothing) {
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    sim_display_journal_clear();
    EXPECT_EQ(Frame(&picture_), 0);
    EXPECT_EQ(renderer_->PresentPicture(picture_.Get()), 0);
    EXPECT_EQ(renderer_->Refresh(0, 0), 0);
    const VRLNRect moved{0, 0, 99, 99};
    EXPECT_EQ(renderer_->SetOutputRect(0, &moved, nullptr), 0);
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(renderer_->Destination().right, 819);
}

TEST_F(IntelSwitching, ResumeRemakesTheSurfacesAndShowsTheNextFrame) {
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    sim_display_journal_clear();
    ASSERT_EQ(SetNoValue(kPropResumeVideo), 0);
    EXPECT_THAT(Journal(), ::testing::ElementsAreArray(Restarted()));
    EXPECT_FALSE(renderer_->Suspended());
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&picture_), 0);
    EXPECT_EQ(Count("MCUpdateOverlay__FUiUiUiUiUiUiUiUiUi 100 50 480 720"), 1);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 1);
}

TEST_F(IntelSwitching, AResumeWhileRunningChangesNothing) {
    ASSERT_EQ(SetNoValue(kPropResumeVideo), 0);
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(SimDisplayStateNow().surfaces, 3) << "no second set";
}

TEST_F(IntelSwitching, ResumeFailuresKeepTheRendererSuspendedWithoutSurfaces) {
    struct Case {
        const char* call;
        int32_t result;
    };
    const Case cases[] = {{"MCInitVideoOverlay__Fv", -1},
                          {"MCCreateVideoMemorySurface__FUiUiUi", kVrlnFailure},
                          {"MCSetVideoOverlayColorKey__FUi", kVrlnFailure}};
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    for (const Case& c : cases) {
        sim_display_fail_next(c.call, 0);
        EXPECT_EQ(SetNoValue(kPropResumeVideo), c.result) << c.call;
        sim_display_clear_faults();
        EXPECT_TRUE(renderer_->Suspended()) << c.call;
        EXPECT_EQ(SimDisplayStateNow().surfaces, 0) << c.call;
        ExpectFramesDropped();
    }
    ASSERT_EQ(SetNoValue(kPropResumeVideo), 0);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 3);
}

TEST_F(IntelSwitching, TelevisionOnRestartsTheLibraryIn800x600) {
    ASSERT_EQ(Set(kPropDisplayOutput, 0), 0);
    EXPECT_THAT(Journal(),
                ::testing::ElementsAreArray(
                    Join({Released(),
                          M{::testing::Eq("MCExitLib__Fv"), ::testing::Eq("MCInitLib__Fv"),
                            ::testing::Eq("MCTVConnector__Fv"), ::testing::Eq("MCTVOnOff__FUi 1"),
                            ::testing::Eq("MCGetVesaModeNumber__FUiUiUi 800 600 16"),
                            ::testing::Eq("MCSetMode__FUi 276")},
                          Restarted()})));
    EXPECT_TRUE(renderer_->TelevisionOn());
    const SimDisplayState s = SimDisplayStateNow();
    EXPECT_EQ(s.width, 800);
    EXPECT_EQ(s.tvOutput, 1);
    EXPECT_EQ(s.surfaces, 3);
    sim_display_journal_clear();
    ASSERT_EQ(Frame(&picture_), 0);
    EXPECT_EQ(Count("MCUpdateOverlay"), 1) << "the overlay is placed again";
}

TEST_F(IntelSwitching, RequestsForTheStateInPlaceOrForNeitherChangeNothing) {
    EXPECT_EQ(Set(kPropDisplayOutput, 64), 0) << "off while off";
    EXPECT_EQ(Set(kPropDisplayOutput, 7), 0);
    EXPECT_TRUE(Journal().empty());
    ASSERT_EQ(Set(kPropDisplayOutput, 0), 0);
    sim_display_journal_clear();
    EXPECT_EQ(Set(kPropDisplayOutput, 0), 0) << "on while on";
    EXPECT_EQ(Set(kPropDisplayOutput, 63), 0);
    EXPECT_TRUE(Journal().empty());
    EXPECT_TRUE(renderer_->TelevisionOn());
}

TEST_F(IntelSwitching, TelevisionOffReturnsToTheDesktopMode) {
    ASSERT_EQ(Set(kPropDisplayOutput, 0), 0);
    sim_display_journal_clear();
    ASSERT_EQ(Set(kPropDisplayOutput, 64), 0);
    EXPECT_THAT(Journal(), ::testing::ElementsAreArray(Join(
                               {Released(),
                                M{::testing::Eq("MCTVOnOff__FUi 0"), ::testing::Eq("MCExitLib__Fv"),
                                  ::testing::Eq("MCInitLib__Fv"),
                                  ::testing::Eq("MCGetVesaModeNumber__FUiUiUi 1024 768 16"),
                                  ::testing::Eq("MCSetMode__FUi 279")},
                                Restarted()})));
    EXPECT_FALSE(renderer_->TelevisionOn());
    EXPECT_EQ(SimDisplayStateNow().width, 1024);
    EXPECT_EQ(SimDisplayStateNow().tvOutput, 0);
}

TEST_F(IntelSwitching, RestoringTheDisplaySets1024x768At16Bits) {
    ASSERT_EQ(Set(kPropDisplayOutput, 0), 0);
    sim_display_journal_clear();
    ASSERT_EQ(Set(kPropRestoreDisplay, 1), 0);
    EXPECT_THAT(Journal(), ::testing::ElementsAreArray(Join(
                               {Released(),
                                M{::testing::Eq("MCExitLib__Fv"), ::testing::Eq("MCInitLib__Fv"),
                                  ::testing::Eq("MCGetVesaModeNumber__FUiUiUi 1024 768 16"),
                                  ::testing::Eq("MCSetMode__FUi 279")},
                                Restarted()})));
    EXPECT_TRUE(renderer_->TelevisionOn()) << "the television output is not touched";
}

TEST_F(IntelSwitching, EachFailingStepOfASwitchGivesItsResultAndFramesAreDropped) {
    struct Case {
        int32_t property;
        int32_t value;
        const char* call;
        int32_t result;
    };
    const Case cases[] = {
        {kPropDisplayOutput, 0, "MCInitLib__Fv", kVrlnFailure},
        {kPropDisplayOutput, 0, "MCTVOnOff__FUi", kVrlnFailure},
        {kPropDisplayOutput, 0, "MCSetMode__FUi", kVrlnFailure},
        {kPropDisplayOutput, 0, "MCInitVideoOverlay__Fv", -1},
        {kPropDisplayOutput, 0, "MCCreateVideoMemorySurface__FUiUiUi", kVrlnFailure},
        {kPropDisplayOutput, 0, "MCSetVideoOverlayColorKey__FUi", kVrlnFailure},
        {kPropRestoreDisplay, 0, "MCInitLib__Fv", kVrlnFailure},
        {kPropRestoreDisplay, 0, "MCSetMode__FUi", kVrlnFailure},
        {kPropRestoreDisplay, 0, "MCInitVideoOverlay__Fv", -1},
    };
    for (const Case& c : cases) {
        sim_display_fail_next(c.call, 0);
        EXPECT_EQ(Set(uint32_t(c.property), c.value), c.result) << c.call;
        EXPECT_EQ(SimDisplayStateNow().surfaces, 0) << c.call;
        EXPECT_FALSE(renderer_->HasSurfaces());
        ExpectFramesDropped();
        // Recover with a switch that succeeds: back to the desktop.
        ASSERT_EQ(Set(kPropRestoreDisplay, 0), 0) << c.call;
        if (renderer_->TelevisionOn()) {
            ASSERT_EQ(Set(kPropDisplayOutput, 64), 0);
        }
        ASSERT_EQ(SimDisplayStateNow().surfaces, 3);
    }
}

TEST_F(IntelSwitching, TelevisionOffFailingToSwitchTheOutputOffReportsIt) {
    ASSERT_EQ(Set(kPropDisplayOutput, 0), 0);
    sim_display_fail_next("MCTVOnOff__FUi", 0);
    EXPECT_EQ(Set(kPropDisplayOutput, 64), kVrlnFailure);
    EXPECT_TRUE(renderer_->TelevisionOn());
    ExpectFramesDropped();
}

TEST_F(IntelSwitching, CloseWhileSuspendedStillGivesTheLibraryBack) {
    ASSERT_EQ(SetNoValue(kPropSuspendVideo), 0);
    ASSERT_EQ(renderer_->Close(), 0);
    EXPECT_EQ(sim_display_library_loaded("libI915G.so"), 0);
}

}  // namespace
