// The shared patch check: each controller's way of storing the drive found, and the
// menu's message.
#include "plugins/common/patch_check.h"

#include <gtest/gtest.h>

#include <memory>

#include "sim/host/host_journal.h"

namespace {

class PatchCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        hostsim::ResetAll();
        CZaqUpgradeManager::m_sCDriveDeviceMountPoint.clear();
        CZaqUpgradeManager::m_sLoopbackDevice.clear();
    }
    void TearDown() override { hostsim::ResetAll(); }
};

TEST_F(PatchCheck, TvKeepsTheTrailingSlashAndFmStoresTheBareLocation) {
    hostsim::SetPartitions({{"/mnt/a", "A:"}, {"/mnt/c", "C:"}});
    hostsim::SetPatches({{"/mnt/c/", "/dev/loop3", 2, 0, 0}});
    hostsim::SetInstalledVersion(true, 1, 0, 0);
    EXPECT_TRUE(CheckForUpgradePatch(kTvPatchSearch));
    EXPECT_EQ(CZaqUpgradeManager::m_sCDriveDeviceMountPoint, "/mnt/c/");
    EXPECT_EQ(CZaqUpgradeManager::m_sLoopbackDevice, "/dev/loop3");
    EXPECT_TRUE(CheckForUpgradePatch(kFmPatchSearch));
    EXPECT_EQ(CZaqUpgradeManager::m_sCDriveDeviceMountPoint, "/mnt/c");
    EXPECT_EQ(CZaqUpgradeManager::m_sLoopbackDevice, "/dev/loop3");
    // Drive A: is no data drive and is never looked at.
    EXPECT_EQ(hostsim::JournalCount("upgrade check /mnt/a"), 0u);
}

TEST_F(PatchCheck, AnInstalledVersionAsNewAsThePatchMeansNoPatch) {
    hostsim::SetPartitions({{"/mnt/c", "C:"}});
    hostsim::SetPatches({{"/mnt/c/", "/dev/loop3", 2, 0, 0}});
    hostsim::SetInstalledVersion(true, 3, 0, 0);
    EXPECT_FALSE(CheckForUpgradePatch(kTvPatchSearch));
    EXPECT_FALSE(CheckForUpgradePatch(kFmPatchSearch));
}

TEST_F(PatchCheck, FmCarriesTheFirstPatchVersionToTheNextDriveAndTvDoesNot) {
    hostsim::SetPartitions({{"/mnt/c", "C:"}, {"/mnt/d", "D:"}});
    hostsim::SetPatches({{"/mnt/c/", "/dev/loop3", 2, 0, 0}, {"/mnt/d/", "/dev/loop4", 1, 5, 0}});
    EXPECT_TRUE(CheckForUpgradePatch(kTvPatchSearch));
    EXPECT_EQ(CZaqUpgradeManager::m_sCDriveDeviceMountPoint, "/mnt/d/");
    EXPECT_EQ(CZaqUpgradeManager::m_sLoopbackDevice, "/dev/loop4");
    // D:'s 1.5.0 is older than C:'s 2.0.0, which FM compares it with.
    EXPECT_TRUE(CheckForUpgradePatch(kFmPatchSearch));
    EXPECT_EQ(CZaqUpgradeManager::m_sCDriveDeviceMountPoint, "/mnt/c");
    EXPECT_EQ(CZaqUpgradeManager::m_sLoopbackDevice, "/dev/loop3");
}

TEST_F(PatchCheck, TheMenuGetsMessage27Or28) {
    std::unique_ptr<CSetupMenuMediator> menu(CZAQTVSetupMenuFactory::TVSetupMenuFactory(nullptr));
    ShowPatchCheckResult(menu.get(), true);
    EXPECT_TRUE(hostsim::JournalContains("menu 90 27 0 0 0"));
    ShowPatchCheckResult(menu.get(), false);
    EXPECT_TRUE(hostsim::JournalContains("menu 91 28 0 0 0"));
    const size_t lines = hostsim::JournalSnapshot().size();
    ShowPatchCheckResult(nullptr, true);
    EXPECT_EQ(hostsim::JournalSnapshot().size(), lines);
}

}  // namespace
