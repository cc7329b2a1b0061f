// The walk of the PCI configuration files. Entries are visited in name order
// (bus directories, then slot.function files), so "the last controller wins"
// means the same on every file system.
#include "video/render/pci_scan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr uint16_t kVgaClassWord = 0x0300;
constexpr int kMaxDepth = 8;

uint16_t Word(const uint8_t* bytes, int offset) {
    return uint16_t(bytes[offset] | (bytes[offset + 1] << 8));
}

std::vector<std::string> SortedEntries(const std::string& directory) {
    std::vector<std::string> names;
    DIR* dir = opendir(directory.c_str());
    if (dir == nullptr) return names;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// The filters look at the path below the root: the summary file "devices" is
// skipped, and only function 0 of a slot (a name with ".0") is read.
void VisitFile(const std::string& path, const std::string& relative, PciDisplay* result) {
    if (relative.find("device") != std::string::npos) return;
    if (relative.find(".0") == std::string::npos) return;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    uint8_t config[12] = {};
    const ssize_t got = read(fd, config, sizeof config);
    close(fd);
    if (got < ssize_t(sizeof config)) return;  // too short to hold the class word
    if (Word(config, 10) != kVgaClassWord) return;
    result->vendor = Word(config, 0);
    result->device = Word(config, 2);
    result->found = true;
}

void Walk(const std::string& directory, const std::string& relative, int depth,
          PciDisplay* result) {
    for (const std::string& name : SortedEntries(directory)) {
        const std::string path = directory + "/" + name;
        const std::string below = relative.empty() ? name : relative + "/" + name;
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode) && depth < kMaxDepth) Walk(path, below, depth + 1, result);
        if (S_ISREG(info.st_mode)) VisitFile(path, below, result);
    }
}

}  // namespace

std::string PciRoot() {
    const char* root = std::getenv("MIROVA_PCI_ROOT");
    return root != nullptr && *root ? root : "/proc/bus/pci";
}

PciDisplay ScanPciDisplay(const std::string& root, const PciDisplay& previous) {
    PciDisplay result = previous;
    result.found = false;
    Walk(root, "", 0, &result);
    return result;
}
