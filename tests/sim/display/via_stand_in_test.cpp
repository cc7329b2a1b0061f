// The VIA stand-in: VIADriverProc's commands in and out of order, its
// records, the packed and planar overlay it shows, and faults per command.
#include <gmock/gmock.h>

#include <cstring>

#include "interfaces/vendor/video_memory.h"
#include "tests/sim/display/display_fixture.h"
#include "video/render/vendor/via_calls.h"

namespace {

using displaytest::Grey;
using displaytest::PackedPicture;
using displaytest::PixelAt;
using displaytest::StandInTest;
using ::testing::ElementsAre;

constexpr uint32_t kYuy2 = 0x32595559;
constexpr uint32_t kYv12 = 0x32315659;
constexpr uint32_t kKey = 0x0821;

class ViaStandIn : public StandInTest {
  protected:
    void SetUp() override {
        StandInTest::SetUp();
        Bind(ViaDriverLibrary(), &via_);
    }
    int Run(uint32_t command, void* data = nullptr) {
        return via_.driverProc0(command, data, nullptr);
    }
    ViaSurfaceRecord Surfaces(uint32_t width, uint32_t height, uint32_t format) {
        ViaSurfaceRecord r{};
        r.width = width;
        r.height = height;
        r.kind = 1;
        r.colourKey = kKey;
        r.format = format;
        return r;
    }
    ViaOverlayRecord Show(int left, int top, int right, int bottom, uint32_t w, uint32_t h) {
        return ViaOverlayRecord{
            left,   top, right,
            bottom, 0,   0,
            w,      h,   kViaOverlayAtBlank | kViaOverlayShow | kViaOverlayKeying,
            kKey,   0,   kYuy2};
    }
    ViaDriverCalls via_{};
};

TEST_F(ViaStandIn, AllNineSlotsAreTheOneEntryPoint) {
    EXPECT_EQ(via_.driverProc0, via_.driverProc8);
    EXPECT_EQ(via_.driverProc3, via_.driverProc5);
}

TEST_F(ViaStandIn, SurfacesNeedAStartedDriverAndComeInPairs) {
    ViaSurfaceRecord r = Surfaces(720, 480, kYuy2);
    EXPECT_EQ(Run(kViaCreateSurfaces, &r), 1);
    ASSERT_EQ(Run(kViaStart), 0);
    ASSERT_EQ(Run(kViaCreateSurfaces, &r), 0);
    EXPECT_EQ(r.pitch, 1440u);
    EXPECT_NE(r.buffer[0], 0u);
    EXPECT_GE(r.buffer[1] - r.buffer[0], 1440u * 480u);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 2);
    EXPECT_EQ(Run(kViaCreateSurfaces, &r), 1) << "they exist already";
    ViaSurfaceRecord asked = Surfaces(720, 480, kYuy2);
    ASSERT_EQ(Run(kViaLockSurfaces, &asked), 0);
    EXPECT_EQ(asked.buffer[1], r.buffer[1]);
    EXPECT_EQ(Run(kViaDestroySurfaces, &r), 0);
    EXPECT_EQ(Run(kViaDestroySurfaces, &r), 1);
    EXPECT_EQ(Run(kViaLockSurfaces, &r), 1);
    EXPECT_EQ(Run(5), 1) << "an unknown command";
    EXPECT_THAT(SimDisplayJournal(),
                ElementsAre("VIADriverProc 2 720 480 1 2081 844715353", "VIADriverProc 0",
                            "VIADriverProc 2 720 480 1 2081 844715353",
                            "VIADriverProc 2 720 480 1 2081 844715353",
                            "VIADriverProc 4 720 480 1 2081 844715353",
                            "VIADriverProc 3 720 480 1 2081 844715353",
                            "VIADriverProc 3 720 480 1 2081 844715353",
                            "VIADriverProc 4 720 480 1 2081 844715353", "VIADriverProc 5"));
}

TEST_F(ViaStandIn, ShowsTheChosenBufferKeyedAndHidesOnRequest) {
    ASSERT_EQ(Run(kViaStart), 0);
    ViaSurfaceRecord r = Surfaces(16, 8, kYuy2);
    ASSERT_EQ(Run(kViaCreateSurfaces, &r), 0);
    const std::vector<uint8_t> dark = PackedPicture(16, 8, 30, 128, 128);
    const std::vector<uint8_t> light = PackedPicture(16, 8, 230, 128, 128);
    std::memcpy(VideoMemoryPointer(r.buffer[0]), dark.data(), dark.size());
    std::memcpy(VideoMemoryPointer(r.buffer[1]), light.data(), light.size());
    sim_display_fill_screen(0, 0, 16, 8, kKey);
    ViaOverlayRecord show = Show(0, 0, 15, 7, 16, 8);
    ASSERT_EQ(Run(kViaUpdateOverlay, &show), 0);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 4, 4), 30));
    uint32_t index = 1;
    ASSERT_EQ(Run(kViaShowBuffer, &index), 0);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 4, 4), 230));
    EXPECT_EQ(SimDisplayJournal().back(), "VIADriverProc 7 1");
    index = 2;
    EXPECT_EQ(Run(kViaShowBuffer, &index), 1);
    ViaOverlayRecord hide{};
    hide.flags = 0x200001;
    ASSERT_EQ(Run(kViaUpdateOverlay, &hide), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
}

TEST_F(ViaStandIn, ARightEdgeEqualToTheLeftIsOneColumn) {
    ASSERT_EQ(Run(kViaStart), 0);
    ViaSurfaceRecord r = Surfaces(16, 8, kYuy2);
    ASSERT_EQ(Run(kViaCreateSurfaces, &r), 0);
    ViaOverlayRecord show = Show(10, 0, 10, 7, 16, 8);
    ASSERT_EQ(Run(kViaUpdateOverlay, &show), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayWidth, 1);
    show.right = 9;
    EXPECT_EQ(Run(kViaUpdateOverlay, &show), 1);
}

TEST_F(ViaStandIn, PlanarSurfacesShowTheirThreePlanes) {
    ASSERT_EQ(Run(kViaStart), 0);
    ViaSurfaceRecord r = Surfaces(16, 8, kYv12);
    ASSERT_EQ(Run(kViaCreateSurfaces, &r), 0);
    EXPECT_EQ(r.pitch, 16u);
    uint8_t* p = VideoMemoryPointer(r.buffer[0]);
    std::memset(p, 81, 16 * 8);                // luma
    std::memset(p + 16 * 8, 128, 16 * 8 / 2);  // V, then U
    sim_display_fill_screen(0, 0, 16, 8, kKey);
    ViaOverlayRecord show = Show(0, 0, 15, 7, 16, 8);
    ASSERT_EQ(Run(kViaUpdateOverlay, &show), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayPlanar, 1);
    EXPECT_TRUE(Grey(PixelAt(SimDisplayScanOut(), 7, 7), 81));
}

TEST_F(ViaStandIn, StopHidesTheOverlayAndGivesTheBuffersBack) {
    ASSERT_EQ(Run(kViaStart), 0);
    ViaSurfaceRecord r = Surfaces(16, 8, kYuy2);
    ASSERT_EQ(Run(kViaCreateSurfaces, &r), 0);
    ViaOverlayRecord show = Show(0, 0, 15, 7, 16, 8);
    ASSERT_EQ(Run(kViaUpdateOverlay, &show), 0);
    ASSERT_EQ(Run(kViaStop), 0);
    EXPECT_EQ(SimDisplayStateNow().overlayEnabled, 0);
    EXPECT_EQ(SimDisplayStateNow().surfaces, 0);
    EXPECT_EQ(Run(kViaCreateSurfaces, &r), 1) << "stopped";
}

TEST_F(ViaStandIn, FaultsHitOneCommandOrAKind) {
    sim_display_fail_next("VIADriverProc:0", 5);
    EXPECT_EQ(Run(kViaStart), 5);
    EXPECT_EQ(Run(kViaStart), 0);
    sim_display_fail_kind(SIM_DISPLAY_FAULT_SURFACE, 0, 1);
    ViaSurfaceRecord r = Surfaces(16, 8, kYuy2);
    EXPECT_EQ(Run(kViaCreateSurfaces, &r), 1);
    EXPECT_EQ(r.buffer[0], 0u) << "a fault leaves the record untouched";
    EXPECT_EQ(Run(kViaCreateSurfaces, &r), 0);
    EXPECT_EQ(SimDisplayJournal()[0], "VIADriverProc 0 -> fault");
}

}  // namespace
