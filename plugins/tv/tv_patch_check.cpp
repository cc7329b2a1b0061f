// Command 29: looks for an upgrade patch on the drives C: to Z: and tells the
// menu whether one is present.
#include <string>
#include <vector>

#include "plugins/tv/tv_actions.h"
#include "plugins/tv/tv_settings_keys.h"

namespace {

constexpr int kPatchPresentMessage = 27;
constexpr int kNoPatchMessage = 28;

bool IsPatchDrive(const std::string& drive) {
    return !drive.empty() && drive[0] >= 'C' && drive[0] <= 'Z';
}

void FindPatchDrives() {
    CUIAUTODETECT* detect = CUIAUTODETECT::GetOrCreateObject();
    if (!detect) return;
    std::vector<std::string> locations;
    std::vector<std::string> drives;
    detect->LinuxPartitionID2WindowsPartitionID(locations, drives);
    const size_t count = locations.size() < drives.size() ? locations.size() : drives.size();
    for (size_t i = 0; i < count; ++i) {
        if (!IsPatchDrive(drives[i])) continue;
        const std::string mountPoint = locations[i] + "/";
        std::string device;
        int major = 1, minor = 0, build = 1;
        if (CZaqUpgradeManager::CheckPatchFiles(mountPoint, device, major, minor, build) == 1) {
            CZaqUpgradeManager::m_sCDriveDeviceMountPoint = mountPoint;
            CZaqUpgradeManager::m_sLoopbackDevice = device;
        }
    }
}

}  // namespace

void CheckForPatch(TvController& tv) {
    FindPatchDrives();
    int major = 0, minor = 0, build = 0;
    CZaqUpgradeManager::ReadVersionNumber(kKeyPatchVersion, major, minor, build);
    const std::string mountPoint = CZaqUpgradeManager::m_sCDriveDeviceMountPoint;
    std::string device = CZaqUpgradeManager::m_sLoopbackDevice;
    const bool present =
        CZaqUpgradeManager::CheckPatchFiles(mountPoint, device, major, minor, build) == 1;
    CZaqUpgradeManager::m_sCDriveDeviceMountPoint = mountPoint;
    CZaqUpgradeManager::m_sLoopbackDevice = device;
    CUIAUTODETECT::DeleteAutoDetect();
    const int message = present ? kPatchPresentMessage : kNoPatchMessage;
    tv.Menu(present ? kMenuPatchFound : kMenuMessage, &message);
}
