// The patch check: the drive search, the final check and the menu's message.
#include "plugins/common/patch_check.h"

#include <string>
#include <vector>

namespace {

constexpr const char kKeyPatchVersion[] = "SolvaneON_PATCHVERSION";
constexpr unsigned kMenuPatchFound = 90;
constexpr unsigned kMenuMessage = 91;
constexpr int kPatchPresentMessage = 27;
constexpr int kNoPatchMessage = 28;

struct PatchVersion {
    int major = 1;
    int minor = 0;
    int build = 1;
};

bool IsDataDrive(const std::string& drive) {
    return !drive.empty() && drive[0] >= 'C' && drive[0] <= 'Z';
}

// Returns the device of the last drive that held a patch (or the carried one).
std::string SearchDrives(const PatchSearchStyle& style) {
    CUIAUTODETECT* detect = CUIAUTODETECT::GetOrCreateObject();
    std::vector<std::string> locations;
    std::vector<std::string> drives;
    if (detect) detect->LinuxPartitionID2WindowsPartitionID(locations, drives);
    const size_t count = locations.size() < drives.size() ? locations.size() : drives.size();
    PatchVersion carried;
    std::string carriedDevice;
    for (size_t i = 0; i < count; ++i) {
        if (!IsDataDrive(drives[i])) continue;
        PatchVersion fresh;
        PatchVersion& version = style.carryAcrossDrives ? carried : fresh;
        std::string freshDevice;
        std::string& device = style.carryAcrossDrives ? carriedDevice : freshDevice;
        const std::string withSlash = locations[i] + "/";
        if (CZaqUpgradeManager::CheckPatchFiles(withSlash, device, version.major, version.minor,
                                                version.build) == 1) {
            CZaqUpgradeManager::m_sCDriveDeviceMountPoint =
                style.mountPointWithSlash ? withSlash : locations[i];
            CZaqUpgradeManager::m_sLoopbackDevice = device;
        }
    }
    return style.carryAcrossDrives ? carriedDevice : CZaqUpgradeManager::m_sLoopbackDevice;
}

}  // namespace

bool CheckForUpgradePatch(const PatchSearchStyle& style) {
    std::string device = SearchDrives(style);
    int major = 0, minor = 0, build = 0;
    CZaqUpgradeManager::ReadVersionNumber(kKeyPatchVersion, major, minor, build);
    const std::string mountPoint = CZaqUpgradeManager::m_sCDriveDeviceMountPoint;
    const bool present =
        CZaqUpgradeManager::CheckPatchFiles(mountPoint, device, major, minor, build) == 1;
    CZaqUpgradeManager::m_sCDriveDeviceMountPoint = mountPoint;
    CZaqUpgradeManager::m_sLoopbackDevice = device;
    CUIAUTODETECT::DeleteAutoDetect();
    return present;
}

void ShowPatchCheckResult(CSetupMenuMediator* menu, bool present) {
    if (!menu) return;
    const int message = present ? kPatchPresentMessage : kNoPatchMessage;
    menu->Command(present ? kMenuPatchFound : kMenuMessage, &message, nullptr, nullptr, nullptr);
}
