// Partition detection and the upgrade manager answer from the host's configuration.
#include "tests/sim/host/host_test_support.h"

namespace {

using Upgrade = HostTest;

TEST_F(Upgrade, PartitionsComeBackAsParallelLists) {
    hostsim::SetPartitions({{"/mnt/hda1", "C:"}, {"/mnt/hda5", "D:"}});
    CUIAUTODETECT* detector = CUIAUTODETECT::GetOrCreateObject();
    std::vector<std::string> locations{"stale"}, drives;
    EXPECT_EQ(detector->LinuxPartitionID2WindowsPartitionID(locations, drives), 2);
    EXPECT_EQ(locations, (std::vector<std::string>{"/mnt/hda1", "/mnt/hda5"}));
    EXPECT_EQ(drives, (std::vector<std::string>{"C:", "D:"}));
    CUIAUTODETECT::DeleteAutoDetect();
    EXPECT_TRUE(hostsim::JournalContains("autodetect partitions 2"));
    EXPECT_TRUE(hostsim::JournalContains("autodetect-delete"));
}

TEST_F(Upgrade, APatchAtTheMountPointIsFoundWithItsDeviceAndVersion) {
    hostsim::SetPatches({{"/mnt/hda5", "/dev/loop3", 1, 2, 0}});
    std::string device;
    int major = 1, minor = 0, build = 1;
    EXPECT_EQ(CZaqUpgradeManager::CheckPatchFiles("/mnt/hda5/", device, major, minor, build), 1);
    EXPECT_EQ(device, "/dev/loop3");
    EXPECT_EQ(minor, 2);
    EXPECT_TRUE(hostsim::JournalContains("upgrade check /mnt/hda5/ 1.0.1 -> 1 /dev/loop3 1.2.0"));
}

TEST_F(Upgrade, OlderPatchesOtherMountsAndAnEmptyMountFindNothing) {
    hostsim::SetPatches({{"/mnt/hda5", "/dev/loop3", 1, 0, 0}});
    std::string device = "untouched";
    int major = 1, minor = 0, build = 1;
    EXPECT_EQ(CZaqUpgradeManager::CheckPatchFiles("/mnt/hda5", device, major, minor, build), 0);
    EXPECT_EQ(CZaqUpgradeManager::CheckPatchFiles("/mnt/hda1/", device, major, minor, build), 0);
    EXPECT_EQ(CZaqUpgradeManager::CheckPatchFiles("", device, major, minor, build), 0);
    EXPECT_EQ(device, "untouched");
    EXPECT_EQ(build, 1);
}

TEST_F(Upgrade, InstalledVersionIsConfigurable) {
    int major = 0, minor = 0, build = 0;
    EXPECT_EQ(CZaqUpgradeManager::ReadVersionNumber("SolvaneON_PATCHVERSION", major, minor, build),
              1);
    EXPECT_EQ(major, 1);
    hostsim::SetInstalledVersion(true, 2, 3, 4);
    CZaqUpgradeManager::ReadVersionNumber("SolvaneON_PATCHVERSION", major, minor, build);
    EXPECT_EQ(build, 4);
    EXPECT_TRUE(hostsim::JournalContains("upgrade read-version SolvaneON_PATCHVERSION -> 1 2.3.4"));
    hostsim::SetInstalledVersion(false, 0, 0, 0);
    EXPECT_EQ(CZaqUpgradeManager::ReadVersionNumber("SolvaneON_PATCHVERSION", major, minor, build),
              0);
    EXPECT_EQ(major, 2) << "an unknown version leaves the numbers alone";
}

TEST_F(Upgrade, ResetForgetsTheStoredMountPointAndDevice) {
    CZaqUpgradeManager::m_sCDriveDeviceMountPoint = "/mnt/hda5";
    CZaqUpgradeManager::m_sLoopbackDevice = "/dev/loop3";
    hostsim::ResetAll();
    EXPECT_EQ(CZaqUpgradeManager::m_sCDriveDeviceMountPoint, "");
    EXPECT_EQ(CZaqUpgradeManager::m_sLoopbackDevice, "");
}

}  // namespace
