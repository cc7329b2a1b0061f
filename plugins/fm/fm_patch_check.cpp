// The patch check (command set 29): find a patch on a data partition, compare it with
// the installed version and tell the menu which message to show.
#include <string>
#include <vector>

#include "plugins/fm/fm_controller.h"

namespace sonidra {
namespace {

bool IsDataDrive(const std::string& drive) {
    return !drive.empty() && drive[0] >= 'C' && drive[0] <= 'Z';
}

}  // namespace

void FmController::PatchCheck() {
    CUIAUTODETECT* detect = CUIAUTODETECT::GetOrCreateObject();
    std::vector<std::string> locations;
    std::vector<std::string> drives;
    if (detect) detect->LinuxPartitionID2WindowsPartitionID(locations, drives);
    std::string loopback;
    int major = 1, minor = 0, build = 1;
    for (size_t i = 0; i < locations.size() && i < drives.size(); ++i) {
        if (!IsDataDrive(drives[i])) continue;
        if (CZaqUpgradeManager::CheckPatchFiles(locations[i] + "/", loopback, major, minor,
                                                build) == 1) {
            CZaqUpgradeManager::m_sCDriveDeviceMountPoint = locations[i];
            CZaqUpgradeManager::m_sLoopbackDevice = loopback;
        }
    }
    const std::string mountPoint = CZaqUpgradeManager::m_sCDriveDeviceMountPoint;
    major = minor = build = 0;
    CZaqUpgradeManager::ReadVersionNumber("SolvaneON_PATCHVERSION", major, minor, build);
    const int found =
        CZaqUpgradeManager::CheckPatchFiles(mountPoint, loopback, major, minor, build);
    CZaqUpgradeManager::m_sCDriveDeviceMountPoint = mountPoint;
    CZaqUpgradeManager::m_sLoopbackDevice = loopback;
    CUIAUTODETECT::DeleteAutoDetect();
    const int message = found ? 27 : 28;
    Menu(found ? 90 : 91, &message);
    Flip();
}

}  // namespace sonidra
