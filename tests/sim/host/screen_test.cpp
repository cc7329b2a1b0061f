// The display driver answers from the configured screen and fails when told to.
#include "tests/sim/host/host_test_support.h"

namespace {

using Screen = HostTest;

TEST_F(Screen, DefaultScreenIsTheFullVideoWindowOnAKnownDevice) {
    CUIDRV* driver = CUIDRV::GetOrCreateObject();
    ZaqRect rect{0, 0, 0, 0};
    ZaqPoint point{0, 0};
    EXPECT_NE(driver->GetClientRect(ZAQ_VIDEO_WINDOW, &rect), 0);
    EXPECT_NE(driver->ClientToScreen(ZAQ_VIDEO_WINDOW, &point), 0);
    EXPECT_EQ(rect.right, 719);
    EXPECT_EQ(rect.bottom, 479);
    EXPECT_NE(CUIDRV::m_dwDeviceID, 65535u);
    EXPECT_NE(driver->m_dwDisplayHandle, 0u);
    EXPECT_TRUE(hostsim::JournalContains("drv client-rect 0xdeadbeef -> 1 0 0 719 479"));
    EXPECT_TRUE(hostsim::JournalContains("drv client-to-screen 0xdeadbeef -> 1 0 0"));
}

TEST_F(Screen, ConfiguredRectAndOriginAreReported) {
    hostsim::Screen screen;
    screen.client = ZaqRect{0, 0, 639, 359};
    screen.origin = ZaqPoint{80, 60};
    screen.deviceId = 65535;
    screen.displayHandle = 0;
    hostsim::SetScreen(screen);

    CUIDRV* driver = CUIDRV::GetOrCreateObject();
    ZaqRect rect{};
    ZaqPoint point{5, 5};
    ASSERT_NE(driver->GetClientRect(ZAQ_VIDEO_WINDOW, &rect), 0);
    ASSERT_NE(driver->ClientToScreen(ZAQ_VIDEO_WINDOW, &point), 0);
    EXPECT_EQ(rect.right, 639);
    EXPECT_EQ(rect.bottom, 359);
    EXPECT_EQ(point.x, 85) << "client points move by the window's origin";
    EXPECT_EQ(point.y, 65);
    EXPECT_EQ(CUIDRV::m_dwDeviceID, 65535u);
    EXPECT_EQ(driver->m_dwDisplayHandle, 0u);
}

TEST_F(Screen, GeometryFailuresLeaveTheCallersValuesAlone) {
    hostsim::Screen screen;
    screen.clientRectFails = true;
    screen.clientToScreenFails = true;
    hostsim::SetScreen(screen);

    CUIDRV* driver = CUIDRV::GetOrCreateObject();
    ZaqRect rect{1, 2, 3, 4};
    ZaqPoint point{7, 8};
    EXPECT_EQ(driver->GetClientRect(ZAQ_VIDEO_WINDOW, &rect), 0);
    EXPECT_EQ(driver->ClientToScreen(ZAQ_VIDEO_WINDOW, &point), 0);
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(point.x, 7);
    EXPECT_TRUE(hostsim::JournalContains("drv client-rect 0xdeadbeef -> 0 0 0 0 0"));
}

TEST_F(Screen, NullOutputsAreRefusedNotWritten) {
    CUIDRV* driver = CUIDRV::GetOrCreateObject();
    EXPECT_EQ(driver->GetClientRect(ZAQ_VIDEO_WINDOW, nullptr), 0);
    EXPECT_EQ(driver->ClientToScreen(ZAQ_VIDEO_WINDOW, nullptr), 0);
}

TEST_F(Screen, ResetRestoresTheDefaultScreen) {
    hostsim::Screen screen;
    screen.deviceId = 65535;
    hostsim::SetScreen(screen);
    hostsim::ResetAll();
    EXPECT_EQ(CUIDRV::m_dwDeviceID, hostsim::Screen{}.deviceId);
    EXPECT_EQ(CUIDRV::GetOrCreateObject()->SetTVOut(1), 1);
    EXPECT_TRUE(hostsim::JournalContains("drv tv-out 1"));
}

}  // namespace
