// CZaqUpgradeManager: patches and the installed version come from the host's
// configuration.
#include <tuple>

#include "sim/host/host_world.h"

std::string CZaqUpgradeManager::m_sCDriveDeviceMountPoint;
std::string CZaqUpgradeManager::m_sLoopbackDevice;

namespace {

// "/mnt/c/" and "/mnt/c" name the same mount point.
std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string VersionText(int major, int minor, int build) {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(build);
}

bool FindPatch(const std::string& mountPoint, hostsim::Patch& found) {
    std::vector<hostsim::Patch> patches;
    hostsim::WithConfig([&](hostsim::Config& c) { patches = c.patches; });
    if (mountPoint.empty()) return false;
    for (const auto& patch : patches) {
        if (WithoutTrailingSlashes(patch.mountPoint) == WithoutTrailingSlashes(mountPoint)) {
            found = patch;
            return true;
        }
    }
    return false;
}

}  // namespace

int CZaqUpgradeManager::CheckPatchFiles(const std::string& mountPoint, std::string& device,
                                        int& major, int& minor, int& build) {
    std::string line =
        "upgrade check " + mountPoint + " " + VersionText(major, minor, build) + " -> ";
    hostsim::Patch patch;
    bool present = FindPatch(mountPoint, patch) &&
                   std::tie(patch.major, patch.minor, patch.build) >= std::tie(major, minor, build);
    if (!present) {
        hostsim::Record(line + "0");
        return 0;
    }
    device = patch.device;
    major = patch.major;
    minor = patch.minor;
    build = patch.build;
    hostsim::Record(line + "1 " + device + " " + VersionText(major, minor, build));
    return 1;
}

int CZaqUpgradeManager::ReadVersionNumber(const std::string& key, int& major, int& minor,
                                          int& build) {
    bool known = false;
    int version[3] = {0, 0, 0};
    hostsim::WithConfig([&](hostsim::Config& c) {
        known = c.versionKnown;
        std::copy(c.version, c.version + 3, version);
    });
    if (known) {
        major = version[0];
        minor = version[1];
        build = version[2];
    }
    hostsim::Record("upgrade read-version " + key + " -> " + (known ? "1 " : "0 ") +
                    VersionText(major, minor, build));
    return known ? 1 : 0;
}
