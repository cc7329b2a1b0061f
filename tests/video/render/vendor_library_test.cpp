// The one binder of vendor libraries: the path seam, the order of paths, a
// missing library or name (the handle kept for Close), the CLE266 lines, the
// loader's error state, and the NVIDIA start.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "tests/video/render/vendor_test_support.h"
#include "video/render/vendor/intel_calls.h"
#include "video/render/vendor/nvidia_calls.h"
#include "video/render/vendor/sis_calls.h"
#include "video/render/vendor/via_calls.h"

namespace {

using vendortest::VendorRoot;

TEST(VendorLibraryPath, TheSeamNamesAFolderThatStandsForTheRoot) {
    unsetenv("MIROVA_VENDOR_ROOT");
    EXPECT_EQ(VendorLibraryPath("/usr/lib/libdv.so"), "/usr/lib/libdv.so");
    setenv("MIROVA_VENDOR_ROOT", "", 1);
    EXPECT_EQ(VendorLibraryPath("/usr/lib/libdv.so"), "/usr/lib/libdv.so");
    setenv("MIROVA_VENDOR_ROOT", "/opt/machine/", 1);
    EXPECT_EQ(VendorLibraryPath("/usr/local/lib/libdv.so"), "/opt/machine/usr/local/lib/libdv.so");
    unsetenv("MIROVA_VENDOR_ROOT");
}

class VendorBinding : public VendorRoot {
  protected:
    void TearDown() override {
        library_.Close();
        VendorRoot::TearDown();
    }
    CVendorLibrary library_;
};

TEST_F(VendorBinding, ThePathsAreTriedInOrder) {
    Install("libI915G.so", "/usr/local/lib");
    IntelOverlayCalls calls;
    ASSERT_EQ(BindVendorCalls(&library_, IntelOverlayLibrary(true), &calls), VendorBind::kBound);
    EXPECT_EQ(library_.Path(), root_ + "/usr/local/lib/libI915G.so");
    EXPECT_NE(calls.tvColourBarTest, nullptr);
    Install("libI915G.so", "/usr/lib");
    ASSERT_EQ(BindVendorCalls(&library_, IntelOverlayLibrary(true), &calls), VendorBind::kBound);
    EXPECT_EQ(library_.Path(), root_ + "/usr/lib/libI915G.so");
}

TEST_F(VendorBinding, EachFamilyLoadsItsOwnFile) {
    Install("libI865G.so");
    Install("libI915G.so");
    IntelOverlayCalls calls;
    ASSERT_EQ(BindVendorCalls(&library_, IntelOverlayLibrary(false), &calls), VendorBind::kBound);
    EXPECT_EQ(sim_display_library_loaded("libI865G.so"), 1);
    EXPECT_EQ(sim_display_library_loaded("libI915G.so"), 0);
}

TEST_F(VendorBinding, AMissingLibraryLeavesNothingHeld) {
    SisVideoCalls calls;
    EXPECT_EQ(BindVendorCalls(&library_, SisVideoLibrary(), &calls), VendorBind::kNoLibrary);
    EXPECT_FALSE(library_.Loaded());
    EXPECT_EQ(calls.sisInit, nullptr);
}

TEST_F(VendorBinding, AMissingNameFailsButTheHandleStaysForClose) {
    Install("libI915G.so", "/usr/lib", "MCTVColorBarTest__Fi");
    IntelOverlayCalls calls;
    EXPECT_EQ(BindVendorCalls(&library_, IntelOverlayLibrary(true), &calls), VendorBind::kNoName);
    EXPECT_TRUE(library_.Loaded());
    EXPECT_FALSE(library_.Bound());
    EXPECT_EQ(library_.MissingName(), "MCTVColorBarTest__Fi");
    EXPECT_EQ(calls.getCurrentModeInfo, nullptr) << "nothing of a half-bound table is callable";
    EXPECT_EQ(sim_display_library_loaded("libI915G.so"), 1);
    library_.Close();
    EXPECT_EQ(sim_display_library_loaded("libI915G.so"), 0);
}

TEST_F(VendorBinding, ALeftOverLoaderErrorDoesNotFailALookup) {
    Install("libdv.so");
    EXPECT_EQ(dlopen("/no/such/library.so", RTLD_NOW), nullptr);  // leaves an error pending
    SisVideoCalls calls;
    EXPECT_EQ(BindVendorCalls(&library_, SisVideoLibrary(), &calls), VendorBind::kBound);
    EXPECT_EQ(calls.sisInit(), 0);
}

TEST_F(VendorBinding, TheCle266LibraryIsOnlyLookedForInUsrLibAndSaysWhatFailed) {
    Install("libddmpeg.so", "/usr/local/lib");
    ViaDriverCalls calls;
    testing::internal::CaptureStdout();
    EXPECT_EQ(BindVendorCalls(&library_, ViaDriverLibrary(), &calls), VendorBind::kNoLibrary);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error: Dynamic load library libddmpeg.so error.\n");
    Install("libddmpeg.so", "/usr/lib", "VIADriverProc");
    testing::internal::CaptureStdout();
    EXPECT_EQ(BindVendorCalls(&library_, ViaDriverLibrary(), &calls), VendorBind::kNoName);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error: Can't load symbol in libddmpeg.so.\n");
    Install("libddmpeg.so");
    testing::internal::CaptureStdout();
    EXPECT_EQ(BindVendorCalls(&library_, ViaDriverLibrary(), &calls), VendorBind::kBound);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(VendorBinding, OtherFamiliesFailQuietly) {
    Install("libI915G.so", "/usr/lib", "MCInitLib__Fv");
    IntelOverlayCalls calls;
    testing::internal::CaptureStdout();
    EXPECT_EQ(BindVendorCalls(&library_, IntelOverlayLibrary(true), &calls), VendorBind::kNoName);
    EXPECT_EQ(BindVendorCalls(&library_, IntelOverlayLibrary(false), &calls),
              VendorBind::kNoLibrary);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST_F(VendorBinding, TheNvidiaLibraryMustStart) {
    Install("libNVDLL.so", "/usr/local/lib");
    NvidiaVideoCalls calls;
    EXPECT_EQ(BindNvidiaCalls(&library_, &calls), VendorBind::kNoLibrary) << "/usr/lib only";
    Install("libNVDLL.so");
    sim_display_fail_next("_Z9NvInitDllv", -1);
    EXPECT_EQ(BindNvidiaCalls(&library_, &calls), VendorBind::kInitFailed);
    EXPECT_FALSE(library_.Loaded());
    sim_display_fail_next("_Z9NvInitDllv", 3);
    EXPECT_EQ(BindNvidiaCalls(&library_, &calls), VendorBind::kBound) << "only negative fails";
    EXPECT_EQ(sim_display_journal_count("_Z9NvInitDllv"), 2);
}

}  // namespace
